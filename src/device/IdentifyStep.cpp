#include "device/IdentifyStep.h"

#include "config/LangTextId.h"
#include "device/DeviceUrl.h"
#include "device/FirmwareRelease.h"
#include "device/HttpClient.h"
#include "device/LinkContext.h"

namespace kor {

namespace {

constexpr long kUnauthorized = 401;
constexpr std::size_t kReportPiece = 2000;

} // namespace

Status IdentifyStep::Run()
{
    const DeviceUrl url = DeviceUrl::Identification(m_ctx.FieldTarget());
    const HttpResponse r = m_ctx.S.Http->Get(url, kLinkRequestSeconds);
    std::optional<std::string> release;
    if (!r.FailedState())
        release = FirmwareFromServerReport(std::string_view(r.Body).substr(0, kReportPiece));
    if (!release) {
        // A quotation that never closes leaves the release unreadable, as no answer does.
        m_ctx.LogText(r.Error == 0 && r.Status == kUnauthorized ? LangTextId(1180) : LangTextId(802),
                      LogKind::Error);
        return Status::Fail({});
    }
    m_ctx.FirmwareRelease = *release;
    return Status::Ok();
}

} // namespace kor
