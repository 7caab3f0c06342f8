#include "device/DeviceLink.h"

#include "config/ConfigFiles.h"
#include "config/LangTextId.h"
#include "config/TextNumber.h"
#include "device/FirmwareRelease.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace kor {

namespace {

constexpr int kRequestSeconds = 30;
constexpr int kCancelledError = 18;
constexpr int kFileError = 75;
constexpr int kInternalError = 51;
constexpr std::size_t kMinRedacted = 4;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

DeviceLink::DeviceLink(LinkServices services, LinkSubject subject)
    : m_s(std::move(services)), m_subject(std::move(subject))
{}

std::string DeviceLink::Text(int number) const
{
    std::string text = m_s.Text ? m_s.Text(number) : std::string();
    return text.empty() ? "[" + DecimalText(number) + "]" : text;
}

void DeviceLink::Log(const std::string& line, LogKind kind)
{
    // The transports already strip credentials from what they report; this catches anything a
    // camera might echo. Very short passwords are left to the transports, or every "1" of a line
    // such as "Sensor 1" would be masked.
    m_s.Host->Log(RedactSecrets(line, {m_fields.Password, m_subject.Camera.Password, m_subject.Relay.Pwd},
                                kMinRedacted),
                  kind);
}

void DeviceLink::LogText(int number)
{
    Log(Text(number));
}

void DeviceLink::SetError(int number, std::string description)
{
    m_error.Number = number;
    m_error.Description = std::move(description);
}

void DeviceLink::SetError(const HttpResponse& response, const DeviceUrl& url)
{
    if (response.Error != 0)
        SetError(response.Error, url.Redacted(response.ErrorText));
    else
        SetError(static_cast<int>(response.Status), response.StatusText);
}

bool DeviceLink::CheckCancelled()
{
    if (!m_s.Host->Cancelled())
        return false;
    SetError(kCancelledError, "The run was cancelled");
    return true;
}

DeviceTarget DeviceLink::FieldTarget() const
{
    DeviceTarget t;
    t.Address = m_fields.Address;
    t.PortText = m_fields.PortText;
    t.User = m_fields.User;
    t.Password = m_fields.Password;
    t.Relay = m_subject.Relay;
    return t;
}

DeviceTarget DeviceLink::CameraTarget() const
{
    const CameraRecord& c = m_subject.Camera;
    DeviceTarget t;
    t.Address = c.IpAddress;
    t.PortText = DecimalText(c.Port);
    t.User = c.UserName;
    t.Password = c.Password;
    t.Relay = m_subject.Relay;
    return t;
}

DeviceTarget DeviceLink::AccessTarget() const
{
    const AxisDevice& d = m_subject.Device;
    DeviceTarget t;
    t.Address = d.Address();
    t.PortText = DecimalText(d.Port());
    t.User = d.UserName();
    t.Password = d.Password();
    t.Relay = m_subject.Relay;
    return t;
}

QString DeviceLink::GenFile(const char* name) const
{
    return QDir(m_s.WorkFolder).filePath(QStringLiteral("Gen/") + QString::fromLatin1(name));
}

QString DeviceLink::ModelPath() const
{
    return QDir(m_s.DataFolder).filePath(QString::fromLocal8Bit(m_modelFolder.c_str()));
}

int DeviceLink::AwaitedPost(const DeviceUrl& url, const std::string& body)
{
    m_requestState = 0;
    const HttpResponse r = m_s.Http->Post(url, body, kRequestSeconds);
    if (r.FailedState()) {
        m_requestReply = r.Error != 0 ? DecimalText(r.Error) + ":" + url.Redacted(r.ErrorText)
                                      : DecimalText(r.Status) + ":" + r.StatusText;
        m_requestState = 11;
    } else {
        m_requestReply = r.Body;
        m_requestState = 12;
    }
    return m_requestState;
}

DeviceLink::RunResult DeviceLink::ConnectAndApply(ConfigDocument& doc, const LinkFields& fields,
                                                  const LinkOptions& options, bool& taskListDirty)
{
    m_firmwareRelease.clear();
    if (fields.Address == "0.0.0.0" || fields.Address.empty())
        return RunResult::NotStarted;
    m_fields = fields;
    m_options = options;
    m_error = {};
    m_requestReply.clear();

    m_s.Host->SetBusy(true);
    bool failed = true;
    try {
        failed = RunSteps(doc, taskListDirty);
    } catch (const std::exception& e) {
        // Nothing leaves the engine: an unexpected failure takes the error path like any other.
        SetError(kInternalError, e.what());
    }
    if (failed && m_error.Number != 0)
        Log("Error " + DecimalText(m_error.Number) + " " + m_error.Description);
    // Closing steps.
    m_s.Host->SetBusy(false);
    LogText(LangTextId(808));
    m_s.Ftp->Close();
    return failed ? RunResult::Failed : RunResult::Completed;
}

bool DeviceLink::RunSteps(ConfigDocument& doc, bool& taskListDirty)
{
    const CameraRecord& camera = m_subject.Camera;
    const ModelRecord& model = m_subject.Model;

    LogText(LangTextId(801));
    if (camera.Brand != "CANON" && m_options.Install && m_firmwareRelease.empty()) {
        if (Identify()) {
            LogText(LangTextId(802));
            m_error = {};
            return true;
        }
    }
    if (CheckCancelled())
        return true;

    const DeviceUrl reach = DeviceUrl::Reachability(FieldTarget());
    const HttpResponse r = m_s.Http->Get(reach, kRequestSeconds);
    if (!r.Completed()) {
        LogText(LangTextId(802));
        SetError(r, reach);
        return true;
    }

    m_macText = MacText(camera.Mac);
    if (camera.ModelName.empty()) {
        LogText(LangTextId(802));
        return true;
    }
    std::string line = Text(LangTextId(803)) + " " + camera.ModelName;
    if (m_options.Install)
        line += " Firmware Release " + m_firmwareRelease;
    Log(line);

    m_modelFolder = model.ModelFolderName;
    if (model.PerFirmwareFolder)
        m_modelFolder += "/" + m_firmwareRelease;
    if (!QFileInfo(ModelPath()).isDir()) {
        LogText(LangTextId(804));
        return true;
    }
    if (CheckCancelled())
        return true;

    if (m_options.Install || m_options.UpdateSettings) {
        m_generalForInstall = doc.GeneralSettings;
        if (InstallApplication(m_options.Install))
            return true;
    }
    if (CheckCancelled())
        return true;

    if (m_options.SendConfig) {
        DeviceLine device;
        device.Port = Trimmed(m_fields.PortText).empty() ? 0 : PortValue(m_fields.PortText);
        device.User = m_fields.User;
        device.Password = m_fields.Password;
        device.Mac = m_macText;
        device.Brand = camera.Brand;
        if (const Status written = WriteAlarmAppFile(doc, m_s.WorkFolder, device); written.failed()) {
            SetError(kFileError, written.reason());
            return true;
        }
        if (UploadConfiguration())
            return true;
        if (taskListDirty) {
            if (BuildTaskList(doc) || SendTaskList(taskListDirty))
                return true;
            RestartDevice();
        }
    }
    if (CheckCancelled())
        return true;

    if (m_options.IoCheck && CheckInputsOutputs(doc.ZelkSettings))
        return true;
    if (CheckCancelled())
        return true;

    if (m_options.Home)
        HomeStep();
    return false;
}

bool DeviceLink::HomeStep()
{
    LogText(LangTextId(805));
    const HomeChoice choice = m_s.Host->ChooseHome(m_subject.Camera.Positions);
    if (!choice.Continue) {
        LogText(LangTextId(807));
        return false;
    }
    m_home = choice;
    if (BuildHomeConfig())
        LogText(LangTextId(806));
    if (SendHomeConfig())
        LogText(LangTextId(806));
    return false;
}

bool DeviceLink::Identify()
{
    const DeviceUrl url = DeviceUrl::Identification(FieldTarget());
    const HttpResponse r = m_s.Http->Get(url, kRequestSeconds);
    if (r.FailedState()) {
        SetError(r, url);
        return true;
    }
    const std::optional<std::string> release =
        FirmwareFromServerReport(std::string_view(r.Body).substr(0, 2000));
    if (!release)
        return true; // a quotation that never closes: the release cannot be read
    m_firmwareRelease = *release;
    return false;
}

} // namespace kor
