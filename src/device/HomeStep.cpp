#include "device/HomeStep.h"

#include "config/LangTextId.h"
#include "device/CompanionFiles.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"
#include "device/LinkContext.h"

namespace kor {

Result<bool> HomeStep::Run()
{
    m_ctx.LogText(LangTextId(805));
    const HomeChoice choice = m_ctx.Host.ChooseHome(m_ctx.Subject.Camera.Positions);
    if (!choice.Continue) {
        m_ctx.LogText(LangTextId(807));
        return false;
    }
    m_ctx.Home = choice;
    const bool built = BuildHomeFile().ok();
    if (!built)
        m_ctx.LogText(LangTextId(806), LogKind::Error);
    const bool sent = SendHomeFile().ok();
    if (!sent)
        m_ctx.LogText(LangTextId(806), LogKind::Error);
    // A home position the camera never got is no success, though the run went on to its end.
    if (!built || !sent)
        return Status::Fail({});
    return true;
}

Status HomeStep::BuildHomeFile()
{
    if (Status written = m_ctx.WriteGenFile("movetohomed.conf", HomeConfigText(m_ctx.Home)); written.failed())
        return Status::Fail(LinkError{kLinkFileError, written.reason()}.ShortLine());
    return Status::Ok();
}

Status HomeStep::SendHomeFile()
{
    const Result<std::string> bytes = m_ctx.ReadGenFile("movetohomed.conf");
    if (bytes.failed())
        return bytes.status();
    const DeviceUrl url = DeviceUrl::HomeFile(m_ctx.FieldTarget());
    const HttpResponse r = m_ctx.S.Http->Post(url, WithZero(*bytes), kLinkRequestSeconds);
    if (!r.Completed())
        return RequestFailure(r, url).Failed();
    return Status::Ok();
}

} // namespace kor
