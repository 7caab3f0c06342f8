#include "device/IoCheckStep.h"

#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"
#include "device/Clock.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"
#include "device/LinkContext.h"
#include "device/PulsePattern.h"

namespace kor {

namespace {

constexpr int kSettleMs = 700;
constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;

Status Failure(long number, std::string description)
{
    return Status::Fail(LinkError{number, std::move(description)}.ShortLine());
}

} // namespace

Status IoCheckStep::SendPattern(const std::string& pattern)
{
    const ModelRecord& model = m_ctx.Subject.Model;
    const DeviceUrl url = DeviceUrl::DeviceIo(
        m_ctx.AccessTarget(), m_ctx.Subject.Device.OutputRequestAddress(1) +
                                  AdaptPattern(pattern, model.InvertedOutput, model.PulseTime));
    const HttpResponse r = m_ctx.S.Http->Get(url, kLinkRequestSeconds);
    if (!r.Completed())
        return Status::Fail(RequestFailure(r, url).ShortLine());
    return Status::Ok();
}

Result<int> IoCheckStep::ReadInput()
{
    const DeviceUrl url =
        DeviceUrl::DeviceIo(m_ctx.AccessTarget(), m_ctx.Subject.Device.InputRequestAddress(1));
    const HttpResponse r = m_ctx.S.Http->Get(url, kLinkRequestSeconds);
    if (!r.Completed())
        return Status::Fail(RequestFailure(r, url).ShortLine());
    std::int16_t v = 0;
    if (ReadNumberAs(ValueAfterEquals(r.Body), v) != NumberRead::Ok)
        return Failure(kTypeMismatch, "the input answer holds no number");
    return int{v};
}

Status IoCheckStep::Run(const ZelkSettings& zelk)
{
    const HttpResponse stop =
        m_ctx.S.Http->Get(DeviceUrl::StopCheck(m_ctx.FieldTarget()), kLinkRequestSeconds);
    if (UpperCp1252(stop.Body).find("OK") == std::string::npos)
        m_ctx.LogText(LangTextId(815), LogKind::Error);
    m_ctx.LogText(LangTextId(816));

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
        if (Status sent = SendPattern(std::string(step.Pattern)); sent.failed())
            return sent;
        m_ctx.S.Wait->SleepMs(kSettleMs);
        const Result<int> value = ReadInput();
        if (value.failed())
            return value.status();
        if (*value < 0)
            return Failure(kOverflow, "the input answer is negative");
        if ((*value > 0) != step.ExpectOn) {
            m_ctx.Failure = RunFailure::LoopBroken;
            return Status::Fail(m_ctx.Text(step.FailureText));
        }
        if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
            return cancelled;
    }

    if (m_ctx.Options.ProgramCode) {
        if (zelk.BC < 0 || zelk.BC > 255)
            return Failure(kOverflow, "Overflow");
        m_ctx.LogText(LangTextId(819));
        if (Status sent = SendPattern(CodePattern(static_cast<std::uint8_t>(zelk.BC))); sent.failed())
            return sent;
    }
    if (m_ctx.Options.ProgramSensors) {
        m_ctx.LogText(LangTextId(809));
        for (int s = 0; s < 8; ++s) {
            m_ctx.Log("Sensor " + DecimalText(s + 1));
            if (Status sent = SendPattern(SensorPattern(s, zelk.S[static_cast<std::size_t>(s)]));
                sent.failed())
                return sent;
            m_ctx.S.Wait->SleepMs(kSettleMs);
        }
        if (Status sent = SendPattern(MaskPattern(zelk.MSK)); sent.failed())
            return sent;
    }
    return Status::Ok();
}

} // namespace kor
