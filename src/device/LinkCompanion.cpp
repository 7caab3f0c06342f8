// Configuration upload and the companion files of the device link.
#include "device/DeviceLink.h"

#include "config/ConfigFiles.h"
#include "config/LangTextId.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"
#include "device/UploadPlan.h"

#include <QDir>
#include <QFile>

namespace kor {

namespace {

constexpr int kRelayPauseMs = 5000;
constexpr int kRequestSeconds = 30;
constexpr int kFileError = 75;

std::string WithZero(std::string_view bytes)
{
    std::string body(bytes);
    body.push_back('\0');
    return body;
}

} // namespace

bool DeviceLink::UploadConfiguration()
{
    LogText(LangTextId(809));
    const Result<std::string> read =
        ReadWholeFile(QDir(m_s.WorkFolder).filePath(QString::fromLatin1(kAlarmAppFileName)));
    if (read.failed()) {
        Log(DecimalText(kFileError) + ":" + read.reason());
        return true;
    }
    const std::string& file = *read;
    const int channels = m_subject.Model.ChannelCount;
    const int channel = m_subject.Camera.Channel;
    const std::vector<std::size_t> pieces = UploadPieceSizes(file.size());
    if (m_subject.Relay.Enabled)
        m_s.Wait->SleepMs(kRelayPauseMs);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0 && CheckCancelled()) {
            Log(DecimalText(m_error.Number) + ":" + m_error.Description);
            m_error = {};
            return true;
        }
        const DeviceUrl url = i == 0 ? DeviceUrl::UploadFirst(FieldTarget(), channels, channel)
                                     : DeviceUrl::UploadAppend(FieldTarget(), channels, channel);
        if (AwaitedPost(url, WithZero(std::string_view(file).substr(offset, pieces[i]))) == 11) {
            Log(DecimalText(m_requestState) + ":" + m_requestReply);
            return true;
        }
        offset += pieces[i];
        m_s.Host->Progress(static_cast<int>(i + 1), static_cast<int>(pieces.size()));
    }
    return false;
}

bool DeviceLink::BuildBufferConfig(const GeneralSettings& general)
{
    BufferConfigValues v;
    v.PortText = m_fields.PortText;
    v.User = m_fields.User;
    v.Password = m_fields.Password;
    v.Model = m_subject.Camera.ModelName;
    QDir().mkpath(QDir(m_s.WorkFolder).filePath(QStringLiteral("Gen")));
    if (const Status saved = SaveFileAtomically(GenFile("bufferd.conf"), BufferConfigText(v, general));
        saved.failed()) {
        SetError(kFileError, saved.reason());
        return true;
    }
    return false;
}

bool DeviceLink::SendBufferConfig()
{
    LogText(LangTextId(820));
    const Result<std::string> bytes = ReadWholeFile(GenFile("bufferd.conf"));
    if (bytes.failed()) {
        SetError(kFileError, bytes.reason());
        return true;
    }
    const DeviceUrl url =
        DeviceUrl::BufferConfig(FieldTarget(), m_subject.Model.ChannelCount, m_subject.Camera.Channel);
    const HttpResponse r = m_s.Http->Post(url, WithZero(*bytes), kRequestSeconds);
    // The file holds the device password: it does not stay on disk.
    QFile::remove(GenFile("bufferd.conf"));
    if (!r.Completed()) {
        SetError(r, url);
        return true;
    }
    return false;
}

bool DeviceLink::BuildHomeConfig()
{
    QDir().mkpath(QDir(m_s.WorkFolder).filePath(QStringLiteral("Gen")));
    QFile::remove(GenFile("movetohomed.conf"));
    if (const Status saved = SaveFileAtomically(GenFile("movetohomed.conf"), HomeConfigText(m_home));
        saved.failed()) {
        SetError(kFileError, saved.reason());
        return true;
    }
    return false;
}

bool DeviceLink::SendHomeConfig()
{
    const Result<std::string> bytes = ReadWholeFile(GenFile("movetohomed.conf"));
    if (bytes.failed()) {
        SetError(kFileError, bytes.reason());
        return true;
    }
    const DeviceUrl url = DeviceUrl::HomeFile(FieldTarget());
    const HttpResponse r = m_s.Http->Post(url, WithZero(*bytes), kRequestSeconds);
    if (!r.Completed()) {
        SetError(r, url);
        return true;
    }
    return false;
}

bool DeviceLink::BuildTaskList(const ConfigDocument& doc)
{
    const DeviceUrl url = DeviceUrl::TaskListRead(CameraTarget(), !m_subject.Device.UserName().empty());
    const HttpResponse r = m_s.Http->Get(url, kRequestSeconds);
    // An unreadable list counts as an empty one: only this configuration's entries are written.
    const std::string deviceList = r.FailedState() ? std::string() : r.Body;
    const std::string text =
        TaskListText(doc, m_subject.Model.ChannelCount, m_subject.Device.Channel(), deviceList);
    QDir().mkpath(QDir(m_s.WorkFolder).filePath(QStringLiteral("Gen")));
    QFile::remove(GenFile("tasklist"));
    if (const Status saved = SaveFileAtomically(GenFile("tasklist"), text); saved.failed()) {
        SetError(kFileError, saved.reason());
        return true;
    }
    return false;
}

bool DeviceLink::SendTaskList(bool& taskListDirty)
{
    const Result<std::string> bytes = ReadWholeFile(GenFile("tasklist"));
    bool failed = false;
    if (bytes.failed()) {
        Log(DecimalText(kFileError) + ":" + bytes.reason());
        failed = true;
    } else if (AwaitedPost(DeviceUrl::TaskListUpload(FieldTarget()), WithZero(*bytes)) == 11) {
        Log(DecimalText(m_requestState) + ":" + m_requestReply);
        failed = true;
    }
    taskListDirty = false;
    return failed;
}

} // namespace kor
