#include "device/InstallStep.h"

#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"
#include "device/CompanionFiles.h"
#include "device/DeviceRestart.h"
#include "device/DeviceUrl.h"
#include "device/FtpClient.h"
#include "device/FtpReply.h"
#include "device/HomeStep.h"
#include "device/HttpClient.h"
#include "device/LinkContext.h"
#include "device/SystemFilePatch.h"

#include <QDir>

namespace kor {

namespace {

constexpr int kFtpTries = 9;
constexpr int kFtpRetryMs = 700;
constexpr int kFetchError = 12003;
constexpr int kFtpLoginRefused = 530;

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

Status InstallStep::Run(bool install, const GeneralSettings& general)
{
    m_general = general;
    m_homeWanted = false;
    return Finish(install ? FullInstallation() : SettingsOnly());
}

Status InstallStep::RestoreSystemFiles(const std::string& inittab, const std::string& boaConf)
{
    Status status = FtpLogin();
    FtpClient& ftp = *m_ctx.S.Ftp;
    if (status.ok() && (ftp.ChangeDir("/etc/httpd/conf").failed() || ftp.Put("boa.conf", boaConf).failed() ||
                        ftp.ChangeDir("/etc").failed() || ftp.Put("inittab", inittab).failed()))
        status = Status::Fail(FtpFailure("inittab/boa.conf"));
    ftp.Close();
    return Finish(status);
}

// The restart that ends every installation, the error line, and what must not outlive the step.
Status InstallStep::Finish(Status status)
{
    if (status.ok())
        status = DeviceRestart(m_ctx).RestartAfterInstallation();
    if (status.failed())
        m_ctx.Log(status.reason(), LogKind::Error);
    m_inittab.clear();
    m_ctx.S.Ftp->Close();
    // The buffer file holds the device password: it does not stay on disk.
    m_ctx.RemoveGenFile("bufferd.conf");
    return status.ok() ? Status::Ok() : Status::Fail({});
}

std::string InstallStep::FtpFailure(const std::string& what) const
{
    const FtpClient& ftp = *m_ctx.S.Ftp;
    return FtpErrorText(ftp.LastResponseCode(), ftp.LastResponseText(), ftp.LastErrorText()) + " (" + what +
           ")";
}

Status InstallStep::FtpLogin()
{
    FtpClient& ftp = *m_ctx.S.Ftp;
    const LinkFields& f = m_ctx.Fields;
    // Only the last attempt's refusal counts: a retried log-in may still get through.
    m_ctx.Failure = RunFailure::None;
    if (ftp.Connect(f.Address, m_ctx.S.FtpPort, f.User, f.Password).ok())
        return Status::Ok();
    // Only the last reply tells why: the 331 to the user name belongs to every log-in, also to one
    // that went through before a later command failed.
    const std::string answers = ftp.LastResponseText();
    if (FtpAskedForPassword(answers)) {
        m_ctx.Failure = RunFailure::Refused;
        return Status::Fail(m_ctx.Text(LangTextId(810)));
    }
    if (ftp.LastResponseCode() == kFtpLoginRefused)
        m_ctx.Failure = RunFailure::Refused;
    return Status::Fail(FtpErrorText(ftp.LastResponseCode(), answers, ftp.LastErrorText()));
}

Status InstallStep::BuildBufferConfig()
{
    BufferConfigValues v;
    v.PortText = m_ctx.Fields.PortText;
    v.User = m_ctx.Fields.User;
    v.Password = m_ctx.Fields.Password;
    v.Model = m_ctx.Subject.Camera.ModelName;
    if (Status written = m_ctx.WriteGenFile("bufferd.conf", BufferConfigText(v, m_general)); written.failed())
        return Status::Fail(LinkError{kLinkFileError, written.reason()}.ShortLine());
    return Status::Ok();
}

Status InstallStep::SettingsOnly()
{
    if (Status built = BuildBufferConfig(); built.failed())
        return built;
    m_ctx.LogText(LangTextId(820));
    const Result<std::string> bytes = m_ctx.ReadGenFile("bufferd.conf");
    if (bytes.failed())
        return Status::Fail(LinkError{kLinkFileError, bytes.reason()}.ShortLine());
    const DeviceUrl url = DeviceUrl::BufferConfig(m_ctx.FieldTarget(), m_ctx.Subject.Model.ChannelCount,
                                                  m_ctx.Subject.Camera.Channel);
    const HttpResponse r = m_ctx.S.Http->Post(url, WithZero(*bytes), kLinkRequestSeconds);
    // The file holds the device password: it does not stay on disk.
    m_ctx.RemoveGenFile("bufferd.conf");
    if (!r.Completed())
        return Status::Fail(RequestFailure(r, url).ShortLine());
    return Status::Ok();
}

Status InstallStep::FullInstallation()
{
    FtpClient& ftp = *m_ctx.S.Ftp;
    const ModelRecord& model = m_ctx.Subject.Model;
    QString folder = m_ctx.ModelPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    if (Status login = FtpLogin(); login.failed())
        return login;
    if (Status built = BuildBufferConfig(); built.failed())
        return built;
    if (m_ctx.Subject.Camera.PositioningSupport &&
        m_ctx.Host.AskYesNo(m_ctx.Text(LangTextId(811)), m_ctx.Text(LangTextId(812)))) {
        m_homeWanted = true;
        // Only a choice of the user makes the camera return home after alarms.
        m_ctx.Home = HomeChoice();
        if (Status built = HomeStep(m_ctx).BuildHomeFile(); built.failed())
            return built;
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
        return Status::Fail(LinkError{kFetchError, "the camera's inittab or boa.conf could not be fetched: " +
                                                       ftp.LastErrorText()}
                                .ShortLine());
    }
    if (m_ctx.S.KeepSystemFiles) {
        if (Status kept = m_ctx.S.KeepSystemFiles(*inittab, *boa, m_ctx.FirmwareRelease); kept.failed())
            return Status::Fail(LinkError{
                kLinkFileError, "the camera's inittab and boa.conf could not be kept: " + kept.reason()}
                                    .ShortLine());
    }
    m_inittab = *inittab;
    const InittabOptions inittabOptions{model.ProgramList, model.ChannelCount, m_homeWanted};
    const std::string boaOut = PatchBoaConf(*boa, {model.CgiBinLayout, m_ctx.Subject.Camera.Brand});
    // Without its system files the camera would not serve or start the application: a refused
    // store ends the installation with the server's answer.
    if (ftp.Put("boa.conf", boaOut).failed() || ftp.ChangeDir("/etc").failed() ||
        ftp.Put("inittab", PatchInittab(m_inittab, inittabOptions, true)).failed())
        return Status::Fail(FtpFailure("inittab/boa.conf"));

    const Result<std::string> buffer = m_ctx.ReadGenFile("bufferd.conf");
    if (buffer.failed())
        return Status::Fail(LinkError{kLinkFileError, buffer.reason()}.ShortLine());
    // The settings files are stored as well as they go: the camera starts without them.
    if (model.ChannelCount < 2) {
        (void)ftp.Put("bufferd.conf", *buffer);
    } else {
        for (int k = 1; k <= model.ChannelCount; ++k)
            (void)ftp.Put("bufferd" + DecimalText(k) + ".conf", *buffer);
    }
    if (m_homeWanted) {
        if (const Result<std::string> home = m_ctx.ReadGenFile("movetohomed.conf"); home.ok())
            (void)ftp.Put("movetohomed.conf", *home);
    }
    ftp.Close();

    DeviceRestart restart(m_ctx);
    m_ctx.LogText(LangTextId(813));
    if (Status opened = restart.OpenRestartUrl(); opened.failed())
        return opened;
    restart.WaitForDeviceDown();
    m_ctx.LogText(LangTextId(801));
    if (Status up = restart.WaitForDeviceUp(); up.failed())
        return up;
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (Status login = m_ctx.Retry(kFtpTries, kFtpRetryMs, [this] { return FtpLogin(); }); login.failed())
        return login;

    m_ctx.LogText(LangTextId(814));
    // The folders may exist already; a file that cannot be stored is logged by UploadFolder.
    (void)ftp.MakeDir(kBinDir);
    if (model.CgiBinLayout) {
        (void)ftp.MakeDir(kCgiDir);
        (void)ftp.MakeDir(kRecordingsDir);
    }
    (void)ftp.ChangeDir(kBinDir);
    UploadFolder(model.CgiBinLayout ? folder + QStringLiteral("a") : folder, kBinDir);
    if (model.CgiBinLayout) {
        (void)ftp.ChangeDir(kRecordingsDir);
        UploadFolder(folder + QStringLiteral("b"), kRecordingsDir);
    }
    if (ftp.ChangeDir("/etc").failed() ||
        ftp.Put("inittab", PatchInittab(m_inittab, inittabOptions, false)).failed())
        return Status::Fail(FtpFailure("inittab"));
    ftp.Close();
    return Status::Ok();
}

void InstallStep::UploadFolder(const QString& folder, const std::string& remoteDir)
{
    const QStringList files = FolderFiles(folder);
    int done = 0;
    for (const QString& file : files) {
        const QString upper = file.toUpper();
        ++done;
        if (upper == QStringLiteral("THUMBS.DB"))
            continue;
        if (!m_homeWanted &&
            (upper == QStringLiteral("MOVETOHOMED") || upper == QStringLiteral("SETMOVETOHOMED.CGI")))
            continue;
        const Result<std::string> bytes = ReadWholeFile(QDir(folder).filePath(file));
        if (bytes.failed())
            continue;
        const std::string name = file.toLocal8Bit().toStdString();
        if (m_ctx.S.Ftp->Put(name, *bytes).ok())
            (void)m_ctx.S.Ftp->Command("SITE chmod 755 " + remoteDir + "/" + name);
        else
            m_ctx.Log(FtpFailure(name),
                      LogKind::Error); // the installation goes on, but the user learns of the gap
        m_ctx.Host.Progress(done, static_cast<int>(files.size()));
    }
}

} // namespace kor
