// Input/output check of the detector loop and programming of the detector.
#include "device/DeviceLink.h"

#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"
#include "device/PulsePattern.h"

namespace kor {

namespace {

constexpr int kRequestSeconds = 30;
constexpr int kSettleMs = 700;
constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;

} // namespace

bool DeviceLink::SendPattern(const std::string& pattern)
{
    const ModelRecord& model = m_subject.Model;
    const DeviceUrl url =
        DeviceUrl::DeviceIo(AccessTarget(), m_subject.Device.OutputRequestAddress(1) +
                                                AdaptPattern(pattern, model.InvertedOutput, model.PulseTime));
    const HttpResponse r = m_s.Http->Get(url, kRequestSeconds);
    if (!r.Completed()) {
        SetError(r, url);
        return true;
    }
    return false;
}

bool DeviceLink::ReadInput(int& value)
{
    const DeviceUrl url = DeviceUrl::DeviceIo(AccessTarget(), m_subject.Device.InputRequestAddress(1));
    const HttpResponse r = m_s.Http->Get(url, kRequestSeconds);
    if (!r.Completed()) {
        SetError(r, url);
        return true;
    }
    std::int16_t v = 0;
    if (ReadNumberAs(ValueAfterEquals(r.Body), v) != NumberRead::Ok) {
        SetError(kTypeMismatch, "the input answer holds no number");
        return true;
    }
    value = v;
    return false;
}

bool DeviceLink::CheckInputsOutputs(const ZelkSettings& zelk)
{
    auto errorPath = [this] {
        Log("Error " + DecimalText(m_error.Number) +
            (m_error.Description.empty() ? "" : " " + m_error.Description));
        m_error = {};
        return true;
    };
    const HttpResponse stop = m_s.Http->Get(DeviceUrl::StopCheck(FieldTarget()), kRequestSeconds);
    if (UpperCp1252(stop.Body).find("OK") == std::string::npos)
        LogText(LangTextId(815));
    LogText(LangTextId(816));

    // Output 1 drives the detector; input 1 must follow: on, off, on.
    const struct
    {
        std::string_view Pattern;
        bool ExpectOn;
        int FailureText;
    } steps[] = {
        {kPulsePatternA, true, LangTextId(817)},
        {kPulsePatternB, false, LangTextId(818)},
        {kPulsePatternA, true, LangTextId(818)},
    };
    for (const auto& step : steps) {
        int value = 0;
        if (SendPattern(std::string(step.Pattern)))
            return errorPath();
        m_s.Wait->SleepMs(kSettleMs);
        if (ReadInput(value))
            return errorPath();
        if (value < 0) {
            SetError(kOverflow, "the input answer is negative");
            return errorPath();
        }
        if ((value > 0) != step.ExpectOn) {
            LogText(step.FailureText);
            m_error = {};
            return true;
        }
        if (CheckCancelled())
            return errorPath();
    }

    if (m_options.ProgramCode) {
        if (zelk.BC < 0 || zelk.BC > 255) {
            SetError(kOverflow, "Overflow");
            return errorPath();
        }
        LogText(LangTextId(819));
        if (SendPattern(CodePattern(static_cast<std::uint8_t>(zelk.BC))))
            return errorPath();
    }
    if (m_options.ProgramSensors) {
        LogText(LangTextId(809));
        for (int s = 0; s < 8; ++s) {
            Log("Sensor " + DecimalText(s + 1));
            if (SendPattern(SensorPattern(s, zelk.S[static_cast<std::size_t>(s)])))
                return errorPath();
            m_s.Wait->SleepMs(kSettleMs);
        }
        if (SendPattern(MaskPattern(zelk.MSK)))
            return errorPath();
    }
    return false;
}

} // namespace kor
