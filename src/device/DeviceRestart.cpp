#include "device/DeviceRestart.h"

#include "config/LangTextId.h"
#include "config/TextNumber.h"
#include "device/Clock.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"
#include "device/LinkContext.h"
#include "device/Pinger.h"

namespace kor {

namespace {

constexpr int kSecondMs = 1000;
constexpr int kDownTries = 30;
constexpr int kUpTries = 60;
constexpr int kRestartTries = 10;
constexpr int kRelayRestartSeconds = 40;
constexpr int kPollTries = 30;
constexpr int kDeviceGoneError = 11010;

} // namespace

Status DeviceRestart::OpenRestartUrl()
{
    const DeviceUrl url = DeviceUrl::Restart(m_ctx.FieldTarget());
    const HttpResponse r = m_ctx.S.Http->Get(url, kLinkRequestSeconds);
    if (!r.Completed())
        return Status::Fail(RequestFailure(r, url).ShortLine());
    return Status::Ok();
}

void DeviceRestart::WaitForDeviceDown()
{
    for (int i = 0; i < kDownTries; ++i) {
        if (m_ctx.Host.Cancelled())
            return;
        m_ctx.S.Wait->SleepMs(kSecondMs);
        m_ctx.Host.Waiting(i + 1, kDownTries);
        if (m_ctx.S.Ping->PingDevice(m_ctx.Fields.Address) != 0)
            return;
    }
}

Status DeviceRestart::WaitForDeviceUp()
{
    for (int i = 0; i < kUpTries; ++i) {
        if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
            return cancelled;
        m_ctx.S.Wait->SleepMs(kSecondMs);
        m_ctx.Host.Waiting(i + 1, kUpTries);
        if (m_ctx.S.Ping->PingDevice(m_ctx.Fields.Address) == 0)
            return Status::Ok();
    }
    return Status::Fail(
        LinkError{kDeviceGoneError, "the camera did not answer again after its restart"}.ShortLine());
}

Status DeviceRestart::RestartAfterInstallation()
{
    m_ctx.LogText(LangTextId(813));
    if (Status opened = m_ctx.Retry(kRestartTries, kSecondMs, [this] { return OpenRestartUrl(); });
        opened.failed())
        return opened;
    if (m_ctx.Subject.Relay.Enabled) {
        for (int i = 0; i < kRelayRestartSeconds; ++i) {
            if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
                return cancelled;
            m_ctx.S.Wait->SleepMs(kSecondMs);
            m_ctx.Host.Waiting(i + 1, kRelayRestartSeconds);
        }
    } else {
        WaitForDeviceDown();
        m_ctx.LogText(LangTextId(801));
        if (Status up = WaitForDeviceUp(); up.failed())
            return up;
    }

    const DeviceUrl poll = DeviceUrl::ReadinessPoll(m_ctx.FieldTarget());
    HttpResponse r;
    for (int attempt = 0; attempt < kPollTries; ++attempt) {
        if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
            return cancelled;
        r = m_ctx.S.Http->Get(poll, kLinkRequestSeconds);
        // Any answer of the web server means the camera is back.
        if (r.Completed())
            return Status::Ok();
        m_ctx.S.Wait->SleepMs(kSecondMs);
    }
    return Status::Fail(DecimalText(r.Error) + ":" + poll.Redacted(r.ErrorText));
}

void DeviceRestart::RestartDevice()
{
    m_ctx.LogText(LangTextId(813));
    if (OpenRestartUrl().failed())
        return;
    WaitForDeviceDown();
    m_ctx.LogText(LangTextId(801));
    (void)WaitForDeviceUp(); // a camera slow to come back shows in the next step
}

} // namespace kor
