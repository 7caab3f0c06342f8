#include "device/DetectorLoop.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"
#include "device/FirmwareRelease.h"
#include "device/PulsePattern.h"

namespace kor {

namespace {

constexpr int kRequestSeconds = 20;
constexpr int kSettleMs = 700;

struct Probe
{
    HttpClient& Http;
    Clock& Wait;
    const AxisDevice& Device;
    const ModelRecord& Model;
    DeviceTarget Target;
    bool TimedOut = false;

    // Sends a pattern to output 1 and reads input 1; nothing when the value is not a number or a
    // request failed.
    std::optional<std::int16_t> Pulse(std::string_view pattern)
    {
        const HttpResponse out = Http.Get(
            DeviceUrl::DeviceIo(Target, Device.OutputRequestAddress(1) +
                                            AdaptPattern(pattern, Model.InvertedOutput, Model.PulseTime)),
            kRequestSeconds);
        if (Failed(out))
            return std::nullopt;
        Wait.SleepMs(kSettleMs);
        const HttpResponse in =
            Http.Get(DeviceUrl::DeviceIo(Target, Device.InputRequestAddress(1)), kRequestSeconds);
        if (Failed(in))
            return std::nullopt;
        std::int16_t value = 0;
        if (ReadNumberAs(ValueAfterEquals(in.Body), value) != NumberRead::Ok)
            return std::nullopt;
        return value;
    }

    bool Failed(const HttpResponse& r)
    {
        if (r.Error == kRequestTimeoutError)
            TimedOut = true;
        return !r.Completed();
    }
};

} // namespace

DetectorLoopResult CheckDetectorLoop(HttpClient& http, Clock& clock, const AxisDevice& device,
                                     const ModelRecord& model, const RelaySettings& relay)
{
    Probe probe{http, clock, device, model, {}};
    probe.Target.Address = device.Address();
    probe.Target.PortText = DecimalText(device.Port());
    probe.Target.User = device.UserName();
    probe.Target.Password = device.Password();
    probe.Target.Relay = relay;

    auto ending = [&probe](DetectorLoopResult otherwise) {
        return probe.TimedOut ? LoopTimedOut : otherwise;
    };

    const HttpResponse stop = http.Get(DeviceUrl::StartupStopCheck(probe.Target), kRequestSeconds);
    if (probe.Failed(stop) || stop.Body.empty())
        return ending(LoopNotAnswered);
    if (FindNoCase(stop.Body, "\nOK") == std::string::npos)
        return LoopNotAnswered;

    const auto first = probe.Pulse(kPulsePatternA);
    if (!first || *first <= 0)
        return ending(LoopNotAnswered);
    const auto second = probe.Pulse(kPulsePatternB);
    if (!second || *second != 0)
        return ending(LoopNotAnswered);
    const auto third = probe.Pulse(kPulsePatternA);
    if (!third || *third < 0)
        return ending(LoopNotAnswered);
    return *third != 0 ? LoopConnected : LoopNotAnswered;
}

} // namespace kor
