// Installation of the alarm application, restarts and the waits around them.
#include "device/DeviceLink.h"

#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"
#include "device/SystemFilePatch.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace kor {

namespace {

constexpr int kSecondMs = 1000;
constexpr int kDownTries = 30;
constexpr int kUpTries = 60;
constexpr int kRestartTries = 10;
constexpr int kRelayRestartSeconds = 40;
constexpr int kPollTries = 30;
constexpr int kFtpTries = 9;
constexpr int kFtpRetryMs = 700;
constexpr int kRequestSeconds = 30;
constexpr int kFileError = 75;
constexpr int kDeviceGoneError = 11010;
constexpr int kFetchError = 12003;

constexpr char kBinDir[] = "/mnt/flash/bin";
constexpr char kCgiDir[] = "/mnt/flash/bin/cgi-bin";
constexpr char kRecordingsDir[] = "/mnt/flash/bin/cgi-bin/recordings";

// The files of a folder in name order, without sub-folders.
QStringList FolderFiles(const QString& folder)
{
    QDir dir(folder);
    return dir.entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

} // namespace

bool DeviceLink::InstallApplication(bool install)
{
    std::string message;
    bool homeWanted = false;
    m_error = {};
    bool failed = install ? FullInstallation(message, homeWanted) : SettingsOnly(message);
    if (!failed)
        failed = CommonRestart(message);
    if (failed) {
        if (message.empty()) {
            message = "Error " + DecimalText(m_error.Number);
            if (!m_error.Description.empty())
                message += " " + m_error.Description;
        }
        Log(message, LogKind::Error);
        m_error = {};
    }
    m_inittab.clear();
    m_requestReply.clear();
    m_s.Ftp->Close();
    // The buffer file holds the device password: it does not stay on disk.
    QFile::remove(GenFile("bufferd.conf"));
    return failed;
}

std::string DeviceLink::FtpFailure(const std::string& what) const
{
    std::string text = m_s.Ftp->LastResponseText();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (const std::size_t lastLine = text.rfind('\n'); lastLine != std::string::npos)
        text = text.substr(lastLine + 1);
    const std::string code = DecimalText(m_s.Ftp->LastResponseCode());
    if (text.starts_with(code + " ") || text.starts_with(code + "-"))
        text = text.substr(code.size() + 1);
    if (text.empty())
        text = m_s.Ftp->LastErrorText();
    return "Error:" + code + " " + text + " (" + what + ")";
}

bool DeviceLink::FtpLogin(std::string& message)
{
    if (m_s.Ftp->Connect(m_fields.Address, m_s.FtpPort, m_fields.User, m_fields.Password).ok())
        return false;
    const std::string answer = m_s.Ftp->LastResponseText();
    std::vector<std::string> lines;
    SplitText(answer, "\n", lines);
    for (const std::string& line : lines) {
        if (line.starts_with("331 ")) {
            message = Text(LangTextId(810));
            return true;
        }
    }
    std::string text = answer;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (text.empty())
        text = m_s.Ftp->LastErrorText();
    message = "Error:" + DecimalText(m_s.Ftp->LastResponseCode()) + " " + text;
    return true;
}

bool DeviceLink::FullInstallation(std::string& message, bool& homeWanted)
{
    FtpClient& ftp = *m_s.Ftp;
    const ModelRecord& model = m_subject.Model;
    QString folder = ModelPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    if (FtpLogin(message))
        return true;
    if (BuildBufferConfig(m_generalForInstall))
        return true;
    if (m_subject.Camera.PositioningSupport &&
        m_s.Host->AskYesNo(Text(LangTextId(811)), Text(LangTextId(812)))) {
        homeWanted = true;
        // Only a choice of the user makes the camera return home after alarms.
        m_home = HomeChoice();
        if (BuildHomeConfig())
            return true;
    }

    // Without both system files nothing may be stored: a patched empty start-up table would leave
    // the camera unable to start.
    const auto fetch = [&ftp](const std::string& dir, const std::string& name) -> Result<std::string> {
        if (Status changed = ftp.ChangeDir(dir); changed.failed())
            return changed;
        return ftp.Get(name);
    };
    const Result<std::string> inittab = fetch("/etc", "inittab");
    const Result<std::string> boa = inittab.ok() ? fetch("/etc/httpd/conf", "boa.conf") : inittab;
    if (boa.failed()) {
        SetError(kFetchError,
                 "the camera's inittab or boa.conf could not be fetched: " + ftp.LastErrorText());
        return true;
    }
    m_inittab = *inittab;
    const InittabOptions inittabOptions{model.ProgramList, model.ChannelCount, homeWanted};
    const std::string boaOut = PatchBoaConf(*boa, {model.CgiBinLayout, m_subject.Camera.Brand});
    // Without its system files the camera would not serve or start the application: a refused
    // store ends the installation with the server's answer.
    if (ftp.Put("boa.conf", boaOut).failed() || ftp.ChangeDir("/etc").failed() ||
        ftp.Put("inittab", PatchInittab(m_inittab, inittabOptions, true)).failed()) {
        message = FtpFailure("inittab/boa.conf");
        return true;
    }

    const Result<std::string> read = ReadWholeFile(GenFile("bufferd.conf"));
    if (read.failed()) {
        SetError(kFileError, read.reason());
        return true;
    }
    // The settings files are stored as well as they go: the camera starts without them.
    const std::string& buffer = *read;
    if (model.ChannelCount < 2) {
        (void)ftp.Put("bufferd.conf", buffer);
    } else {
        for (int k = 1; k <= model.ChannelCount; ++k)
            (void)ftp.Put("bufferd" + DecimalText(k) + ".conf", buffer);
    }
    if (homeWanted) {
        if (const Result<std::string> home = ReadWholeFile(GenFile("movetohomed.conf")); home.ok())
            (void)ftp.Put("movetohomed.conf", *home);
    }
    ftp.Close();

    LogText(LangTextId(813));
    if (OpenRestartUrl())
        return true;
    WaitForDeviceDown();
    LogText(LangTextId(801));
    if (!WaitForDeviceUp())
        return true;
    if (CheckCancelled())
        return true;

    bool connected = false;
    for (int attempt = 0; attempt < kFtpTries && !connected; ++attempt) {
        if (attempt > 0)
            m_s.Wait->SleepMs(kFtpRetryMs);
        connected = !FtpLogin(message);
    }
    if (!connected)
        return true;
    message.clear();

    LogText(LangTextId(814));
    // The folders may exist already; a file that cannot be stored is logged by UploadFolder.
    (void)ftp.MakeDir(kBinDir);
    if (model.CgiBinLayout) {
        (void)ftp.MakeDir(kCgiDir);
        (void)ftp.MakeDir(kRecordingsDir);
    }
    (void)ftp.ChangeDir(kBinDir);
    UploadFolder(model.CgiBinLayout ? folder + QStringLiteral("a") : folder, kBinDir, homeWanted);
    if (model.CgiBinLayout) {
        (void)ftp.ChangeDir(kRecordingsDir);
        UploadFolder(folder + QStringLiteral("b"), kRecordingsDir, homeWanted);
    }
    if (ftp.ChangeDir("/etc").failed() ||
        ftp.Put("inittab", PatchInittab(m_inittab, inittabOptions, false)).failed()) {
        message = FtpFailure("inittab");
        return true;
    }
    ftp.Close();
    return false;
}

void DeviceLink::UploadFolder(const QString& folder, const std::string& remoteDir, bool homeWanted)
{
    const QStringList files = FolderFiles(folder);
    int done = 0;
    for (const QString& file : files) {
        const QString upper = file.toUpper();
        ++done;
        if (upper == QStringLiteral("THUMBS.DB"))
            continue;
        if (!homeWanted &&
            (upper == QStringLiteral("MOVETOHOMED") || upper == QStringLiteral("SETMOVETOHOMED.CGI")))
            continue;
        const Result<std::string> read = ReadWholeFile(QDir(folder).filePath(file));
        if (read.failed())
            continue;
        const std::string& bytes = *read;
        const std::string name = file.toLocal8Bit().toStdString();
        if (m_s.Ftp->Put(name, bytes).ok())
            (void)m_s.Ftp->Command("SITE chmod 755 " + remoteDir + "/" + name);
        else
            Log(FtpFailure(name), LogKind::Error); // the installation goes on, but the user learns of the gap
        m_s.Host->Progress(done, static_cast<int>(files.size()));
    }
}

bool DeviceLink::SettingsOnly(std::string&)
{
    return BuildBufferConfig(m_generalForInstall) || SendBufferConfig();
}

bool DeviceLink::OpenRestartUrl()
{
    const DeviceUrl url = DeviceUrl::Restart(FieldTarget());
    const HttpResponse r = m_s.Http->Get(url, kRequestSeconds);
    if (!r.Completed()) {
        SetError(r, url);
        return true;
    }
    return false;
}

// The waits report each second as progress and end early when the run is cancelled: the next
// step then takes the error path.
void DeviceLink::WaitForDeviceDown()
{
    for (int i = 0; i < kDownTries; ++i) {
        if (m_s.Host->Cancelled())
            return;
        m_s.Wait->SleepMs(kSecondMs);
        m_s.Host->Progress(i + 1, kDownTries);
        if (m_s.Ping->PingDevice(m_fields.Address) != 0)
            return;
    }
}

bool DeviceLink::WaitForDeviceUp()
{
    for (int i = 0; i < kUpTries; ++i) {
        if (CheckCancelled())
            return false;
        m_s.Wait->SleepMs(kSecondMs);
        m_s.Host->Progress(i + 1, kUpTries);
        if (m_s.Ping->PingDevice(m_fields.Address) == 0)
            return true;
    }
    SetError(kDeviceGoneError, "the camera did not answer again after its restart");
    return false;
}

bool DeviceLink::CommonRestart(std::string& message)
{
    LogText(LangTextId(813));
    bool opened = false;
    for (int attempt = 0; attempt < kRestartTries && !opened; ++attempt) {
        if (attempt > 0)
            m_s.Wait->SleepMs(kSecondMs);
        opened = !OpenRestartUrl();
    }
    if (!opened)
        return true;
    m_error = {};
    if (m_subject.Relay.Enabled) {
        for (int i = 0; i < kRelayRestartSeconds; ++i) {
            if (CheckCancelled())
                return true;
            m_s.Wait->SleepMs(kSecondMs);
            m_s.Host->Progress(i + 1, kRelayRestartSeconds);
        }
    } else {
        WaitForDeviceDown();
        LogText(LangTextId(801));
        if (!WaitForDeviceUp())
            return true;
    }

    const DeviceUrl poll = DeviceUrl::ReadinessPoll(FieldTarget());
    HttpResponse r;
    for (int attempt = 0; attempt < kPollTries; ++attempt) {
        if (CheckCancelled())
            return true;
        r = m_s.Http->Get(poll, kRequestSeconds);
        // Any answer of the web server means the camera is back.
        if (r.Completed())
            return false;
        m_s.Wait->SleepMs(kSecondMs);
    }
    message = DecimalText(r.Error) + ":" + poll.Redacted(r.ErrorText);
    return true;
}

void DeviceLink::RestartDevice()
{
    LogText(LangTextId(813));
    if (OpenRestartUrl()) {
        m_error = {};
        return;
    }
    WaitForDeviceDown();
    LogText(LangTextId(801));
    WaitForDeviceUp();
    m_error = {};
}

} // namespace kor
