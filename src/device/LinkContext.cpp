#include "device/LinkContext.h"

#include "config/LangTextId.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"
#include "device/Clock.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"

#include <QDir>
#include <QFile>

namespace kor {

namespace {

QString GenPath(const QString& workFolder, const char* name)
{
    return QDir(workFolder).filePath(QStringLiteral("Gen/") + QString::fromLatin1(name));
}

} // namespace

LinkContext::LinkContext(DeviceServices services, RunHost& host, LinkSubject subject)
    : S(std::move(services)), Host(host), Subject(std::move(subject))
{}

void LinkContext::Log(const std::string& line, LogKind kind) const
{
    Host.Log(line, kind);
}

void LinkContext::LogText(int number, LogKind kind) const
{
    Log(Text(number), kind);
}

std::string LinkContext::Text(int number) const
{
    std::string text = S.Text ? S.Text(number) : std::string();
    return text.empty() ? "[" + DecimalText(number) + "]" : text;
}

Status LinkContext::CheckCancelled() const
{
    if (!Host.Cancelled())
        return Status::Ok();
    return Status::Fail(Text(LangTextId(1181)));
}

Status LinkContext::Retry(int tries, int waitMs, const std::function<Status()>& attempt) const
{
    Status status = Status::Fail({});
    for (int i = 0; i < tries && status.failed(); ++i) {
        if (i > 0)
            S.Wait->SleepMs(waitMs);
        status = attempt();
    }
    return status;
}

DeviceTarget LinkContext::FieldTarget() const
{
    return {Fields.Address, Fields.PortText, Fields.User, Fields.Password, Subject.Relay};
}

DeviceTarget LinkContext::CameraTarget() const
{
    const CameraRecord& c = Subject.Camera;
    return {c.IpAddress, DecimalText(c.Port), c.UserName, c.Password, Subject.Relay};
}

DeviceTarget LinkContext::AccessTarget() const
{
    const AxisDevice& d = Subject.Device;
    return {d.Address(), DecimalText(d.Port()), d.UserName(), d.Password(), Subject.Relay};
}

QString LinkContext::ModelPath() const
{
    return QDir(S.DataFolder).filePath(QString::fromLocal8Bit(ModelFolder.c_str()));
}

Status LinkContext::WriteGenFile(const char* name, std::string_view bytes) const
{
    // The Gen folder's files hold the device password: the folder and its files are the user's alone.
    const Status made =
        MakePrivateFolder(QDir(S.WorkFolder).filePath(QStringLiteral("Gen")), ExistingFolder::MakePrivate);
    if (made.failed())
        return made;
    QFile::remove(GenPath(S.WorkFolder, name));
    return SaveFileAtomically(GenPath(S.WorkFolder, name), bytes, FileAccess::OwnerOnly);
}

Result<std::string> LinkContext::ReadGenFile(const char* name) const
{
    return ReadWholeFile(GenPath(S.WorkFolder, name));
}

void LinkContext::RemoveGenFile(const char* name) const
{
    QFile::remove(GenPath(S.WorkFolder, name));
}

std::string LinkError::Line() const
{
    return "Error " + DecimalText(Number) + " " + Description;
}

std::string LinkError::ShortLine() const
{
    return "Error " + DecimalText(Number) + (Description.empty() ? "" : " " + Description);
}

LinkError RequestFailure(const HttpResponse& response, const DeviceUrl& url)
{
    if (response.Error != 0)
        return {response.Error, url.Redacted(response.ErrorText)};
    return {response.Status, response.StatusText};
}

std::string AwaitedFailureLine(const HttpResponse& response, const DeviceUrl& url)
{
    const LinkError e = RequestFailure(response, url);
    return "11:" + DecimalText(e.Number) + ":" + e.Description;
}

std::string WithZero(std::string_view bytes)
{
    std::string body(bytes);
    body.push_back('\0');
    return body;
}

} // namespace kor
