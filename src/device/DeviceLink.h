#pragma once

#include "config/ConfigDocument.h"
#include "device/Clock.h"
#include "device/CompanionFiles.h"
#include "device/DeviceUrl.h"
#include "device/FtpClient.h"
#include "device/HttpClient.h"
#include "device/Pinger.h"
#include "device/RunHost.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/CameraRecord.h"
#include "outside/companion/ModelRecord.h"

#include <QString>

#include <functional>
#include <string>

namespace kor {

// Text number to Windows-1252 text (the active language).
using TextLookup = std::function<std::string(int)>;

// The transports, the clock, the front end and the folders a run works with.
struct LinkServices
{
    HttpClient* Http = nullptr;
    FtpClient* Ftp = nullptr;
    Pinger* Ping = nullptr;
    Clock* Wait = nullptr;
    RunHost* Host = nullptr;
    TextLookup Text;
    QString WorkFolder; // alarm_app and Gen/ are written here
    QString DataFolder; // the application files, one folder per model
    int FtpPort = 21;
};

// The option boxes of the device link screen.
struct LinkOptions
{
    bool Install = false;        // Check4
    bool UpdateSettings = false; // Check1
    bool SendConfig = false;     // Check2
    bool IoCheck = false;        // Check3
    bool ProgramCode = false;    // Check5
    bool ProgramSensors = false; // Check6
    bool Home = false;           // Check7
};

// The connection fields of the device link screen.
struct LinkFields
{
    std::string Address;
    std::string PortText;
    std::string User;
    std::string Password;
};

// The camera and its model as the companion objects give them.
struct LinkSubject
{
    CameraRecord Camera;
    ModelRecord Model;
    AxisDevice Device;
    RelaySettings Relay;
};

// The device link run sequence: identification, reachability, installation, upload, companion
// files, input/output check and home preset, each as the options ask, logged line by line through
// the host. Blocking code: run it on a worker thread.
class DeviceLink
{
public:
    DeviceLink(LinkServices services, LinkSubject subject);

    enum class RunResult
    {
        NotStarted,
        Completed,
        Failed
    };

    // One press of the run button. taskListDirty is the program-wide flag; the task-list upload
    // clears it. The closing steps run in every case once the run has started.
    RunResult ConnectAndApply(ConfigDocument& doc, const LinkFields& fields, const LinkOptions& options,
                              bool& taskListDirty);

    const std::string& FirmwareRelease() const { return m_firmwareRelease; }
    // ModelFolder of the last run.
    const std::string& ModelFolder() const { return m_modelFolder; }
    const HomeChoice& Home() const { return m_home; }

    // The steps, public for the tests of each; every one returns true on failure.
    bool Identify();
    bool UploadConfiguration();
    bool InstallApplication(bool install);
    void RestartDevice();
    bool BuildBufferConfig(const GeneralSettings& general);
    bool SendBufferConfig();
    bool BuildHomeConfig();
    bool SendHomeConfig();
    bool BuildTaskList(const ConfigDocument& doc);
    bool SendTaskList(bool& taskListDirty);
    bool CheckInputsOutputs(const ZelkSettings& zelk);

    void SetFields(const LinkFields& fields) { m_fields = fields; }
    void SetOptions(const LinkOptions& options) { m_options = options; }

private:
    struct PendingError
    {
        int Number = 0;
        std::string Description;
    };

    bool RunSteps(ConfigDocument& doc, bool& taskListDirty);
    bool HomeStep();

    // Installation pieces.
    bool FullInstallation(std::string& message, bool& homeWanted);
    bool SettingsOnly(std::string& message);
    bool CommonRestart(std::string& message);
    bool FtpLogin(std::string& message);
    // "Error:" code, the server's last answer line and what failed.
    std::string FtpFailure(const std::string& what) const;
    bool OpenRestartUrl();
    void WaitForDeviceDown();
    bool WaitForDeviceUp();
    void UploadFolder(const QString& folder, const std::string& remoteDir, bool homeWanted);

    // I/O check pieces.
    bool SendPattern(const std::string& pattern);
    bool ReadInput(int& value);

    void Log(const std::string& line, LogKind kind = LogKind::Plain);
    void LogText(int number);
    std::string Text(int number) const;
    bool CheckCancelled();
    void SetError(int number, std::string description);
    void SetError(const HttpResponse& response, const DeviceUrl& url);
    // An awaited request: state 12 or 11; RequestReply is set for 11.
    int AwaitedPost(const DeviceUrl& url, const std::string& body);

    DeviceTarget FieldTarget() const;
    DeviceTarget CameraTarget() const;
    DeviceTarget AccessTarget() const;
    QString GenFile(const char* name) const;
    QString ModelPath() const;

    LinkServices m_s;
    LinkSubject m_subject;
    LinkFields m_fields;
    LinkOptions m_options;
    std::string m_firmwareRelease;
    std::string m_modelFolder;
    std::string m_macText;
    HomeChoice m_home;
    PendingError m_error;
    int m_requestState = 0;
    std::string m_requestReply;
    std::string m_inittab; // the device's start-up table as fetched during an installation
    GeneralSettings m_generalForInstall;
};

} // namespace kor
