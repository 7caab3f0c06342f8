#include "device/UploadStep.h"

#include "config/ConfigFiles.h"
#include "config/ConfigText.h"
#include "config/LangTextId.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"
#include "config/ValueRules.h"
#include "device/Clock.h"
#include "device/CompanionFiles.h"
#include "device/DeviceRestart.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"
#include "device/LinkContext.h"
#include "device/UploadPlan.h"
#include "outside/companion/CameraTable.h"

#include <QDir>

namespace kor {

namespace {

constexpr int kRelayPauseMs = 5000;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A work file that cannot be read, as the awaited requests report their failures.
Status FileFailure(const std::string& error)
{
    return Status::Fail(DecimalText(kLinkFileError) + ":" + error);
}

} // namespace

std::optional<std::string> CredentialsRefusal(const std::string& user, const std::string& password,
                                              const TextLookup& text)
{
    for (const auto& [value, caption] :
         {std::pair{&user, LangTextId(107)}, std::pair{&password, LangTextId(108)}}) {
        const std::optional<char> c = FirstRefusedByte(kCameraCredentialKind, *value);
        if (!c)
            continue;
        const std::string name = *c == '\r' || *c == '\n' ? text(LangTextId(1172))
                                 : *c == '\0'             ? text(LangTextId(1173))
                                                          : std::string("\"") + *c + '"';
        std::string line = text(LangTextId(1700));
        for (const auto& [mark, with] : {std::pair{"%1", text(caption)}, std::pair{"%2", name}}) {
            if (const std::size_t at = line.find(mark); at != std::string::npos)
                line.replace(at, 2, with);
        }
        return line;
    }
    return std::nullopt;
}

DeviceLine UploadDeviceLine(const LinkFields& fields, const CameraRecord& camera)
{
    DeviceLine device;
    device.Port = Trimmed(fields.PortText).empty() ? 0 : PortValue(fields.PortText);
    device.User = fields.User;
    device.Password = fields.Password;
    device.Mac = CameraTable::MacText(camera.Mac);
    device.Brand = camera.Brand;
    return device;
}

Status UploadStep::Run(const ConfigDocument& doc)
{
    const DeviceLine device = UploadDeviceLine(m_ctx.Fields, m_ctx.Subject.Camera);
    if (const Status written = WriteAlarmAppFile(doc, m_ctx.S.WorkFolder, device); written.failed())
        return LinkError{kLinkFileError, written.reason()}.Failed();
    if (Status sent = SendConfiguration(); sent.failed())
        return sent;
    if (Status verified = VerifyConfiguration(); verified.failed())
        return verified;
    if (!m_ctx.TaskListDirty)
        return Status::Ok();
    if (Status built = BuildTaskList(doc); built.failed())
        return built;
    if (Status sent = SendTaskList(); sent.failed())
        return sent;
    DeviceRestart(m_ctx).RestartDevice();
    return Status::Ok();
}

Status UploadStep::SendConfiguration()
{
    m_ctx.LogText(LangTextId(809));
    const Result<std::string> read =
        ReadWholeFile(QDir(m_ctx.S.WorkFolder).filePath(QString::fromLatin1(kAlarmAppFileName)));
    if (read.failed())
        return FileFailure(read.reason());
    m_sent = *read;
    const std::string& file = m_sent;
    const int channels = m_ctx.Subject.Model.ChannelCount;
    const int channel = m_ctx.Subject.Camera.Channel;
    const std::vector<std::size_t> pieces = UploadPieceSizes(file.size());
    if (m_ctx.Subject.Relay.Enabled)
        m_ctx.S.Wait->SleepMs(kRelayPauseMs);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
                return cancelled;
        }
        const DeviceUrl url = i == 0 ? DeviceUrl::UploadFirst(m_ctx.FieldTarget(), channels, channel)
                                     : DeviceUrl::UploadAppend(m_ctx.FieldTarget(), channels, channel);
        const HttpResponse r = m_ctx.S.Http->Post(
            url, WithZero(std::string_view(file).substr(offset, pieces[i])), kLinkRequestSeconds);
        if (r.FailedState())
            return Status::Fail(AwaitedFailureLine(r, url));
        offset += pieces[i];
        m_ctx.Host.Progress(static_cast<int>(i + 1), static_cast<int>(pieces.size()));
    }
    return Status::Ok();
}

Status UploadStep::VerifyConfiguration()
{
    const DeviceUrl url = DeviceUrl::DownloadConfig(m_ctx.FieldTarget(), m_ctx.Subject.Model.ChannelCount,
                                                    m_ctx.Subject.Camera.Channel);
    const HttpResponse r = m_ctx.S.Http->Get(url, kLinkRequestSeconds);
    if (r.FailedState())
        return Status::Fail(AwaitedFailureLine(r, url));
    if (!SameConfigurationText(m_sent, r.Body)) {
        m_ctx.StoredDiffers = true;
        m_ctx.Failure = RunFailure::NotStored;
        m_ctx.LogText(LangTextId(1211), LogKind::Error);
        return Status::Fail({});
    }
    m_ctx.StoredConfig = r.Body;
    return Status::Ok();
}

Status UploadStep::BuildTaskList(const ConfigDocument& doc)
{
    const AxisDevice& device = m_ctx.Subject.Device;
    const DeviceUrl url = DeviceUrl::TaskListRead(m_ctx.CameraTarget(), !device.UserName().empty());
    const HttpResponse r = m_ctx.S.Http->Get(url, kLinkRequestSeconds);
    // An unreadable list counts as an empty one: only this configuration's entries are written.
    const std::string deviceList = r.FailedState() ? std::string() : r.Body;
    const std::string text =
        TaskListText(doc, m_ctx.Subject.Model.ChannelCount, device.Channel(), deviceList);
    if (Status written = m_ctx.WriteGenFile("tasklist", text); written.failed())
        return LinkError{kLinkFileError, written.reason()}.Failed();
    return Status::Ok();
}

Status UploadStep::SendTaskList()
{
    m_ctx.TaskListDirty = false;
    const Result<std::string> bytes = m_ctx.ReadGenFile("tasklist");
    if (bytes.failed())
        return FileFailure(bytes.reason());
    const DeviceUrl url = DeviceUrl::TaskListUpload(m_ctx.FieldTarget());
    const HttpResponse r = m_ctx.S.Http->Post(url, WithZero(*bytes), kLinkRequestSeconds);
    if (r.FailedState())
        return Status::Fail(AwaitedFailureLine(r, url));
    return Status::Ok();
}

} // namespace kor
