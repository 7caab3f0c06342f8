#include "device/RunSequence.h"

#include "config/LangTextId.h"
#include "device/DeviceUrl.h"
#include "device/FtpClient.h"
#include "device/HomeStep.h"
#include "device/HttpClient.h"
#include "device/IdentifyStep.h"
#include "device/InstallStep.h"
#include "device/IoCheckStep.h"
#include "device/UploadStep.h"

#include <QFileInfo>

#include <exception>

namespace kor {

namespace {

constexpr int kInternalError = 51;
constexpr long kUnauthorized = 401;

} // namespace

// Notes the camera's last answer on the way through, so that a refused password is named as such
// whichever step met it.
class RunSequence::AnswerWatch final : public HttpClient
{
public:
    explicit AnswerWatch(HttpClient* next) : m_next(next) {}

    HttpResponse Get(const DeviceUrl& url, int timeoutSeconds) override
    {
        return Noted(m_next->Get(url, timeoutSeconds));
    }
    HttpResponse Post(const DeviceUrl& url, const std::string& body, int timeoutSeconds) override
    {
        return Noted(m_next->Post(url, body, timeoutSeconds));
    }
    HttpClient* Through() { return m_next ? this : nullptr; }
    bool LastRefused() const { return m_lastStatus == kUnauthorized; }
    void Reset() { m_lastStatus = 0; }

private:
    HttpResponse Noted(HttpResponse r)
    {
        m_lastStatus = r.Completed() ? r.Status : 0;
        return r;
    }

    HttpClient* m_next;
    long m_lastStatus = 0;
};

namespace {

DeviceServices Watched(DeviceServices services, HttpClient* watch)
{
    services.Http = watch;
    return services;
}

} // namespace

RunSequence::RunSequence(DeviceServices services, RunHost& host, LinkSubject subject)
    : m_answers(std::make_unique<AnswerWatch>(services.Http)),
      m_ctx(Watched(services, m_answers->Through()), host, std::move(subject))
{}

RunSequence::~RunSequence() = default;

RunOutcome RunSequence::ConnectAndApply(ConfigDocument& doc, const LinkFields& fields,
                                        const LinkOptions& options, bool taskListDirty)
{
    m_ctx.FirmwareRelease.clear();
    m_ctx.StoredConfig.clear();
    m_ctx.StoredDiffers = false;
    m_ctx.TaskListDirty = taskListDirty;
    if (fields.Address == "0.0.0.0" || fields.Address.empty())
        return RunOutcome::NotStarted;
    if (std::optional<std::string> refused =
            CredentialsRefusal(fields.User, fields.Password, [this](int n) { return m_ctx.Text(n); })) {
        m_outcome = {std::move(*refused), LogKind::Error};
        m_ctx.Log(m_outcome.Text, m_outcome.Kind);
        return RunOutcome::Failed;
    }
    m_ctx.Fields = fields;
    m_ctx.Options = options;
    return Guarded([&] { return RunSteps(doc); });
}

RunOutcome RunSequence::RestoreSystemFiles(const LinkFields& fields, const std::string& inittab,
                                           const std::string& boaConf)
{
    m_ctx.StoredDiffers = false;
    if (fields.Address == "0.0.0.0" || fields.Address.empty())
        return RunOutcome::NotStarted;
    m_ctx.Fields = fields;
    return Guarded([&] {
        m_ctx.LogText(LangTextId(801));
        return InstallStep(m_ctx).RestoreSystemFiles(inittab, boaConf);
    });
}

RunOutcome RunSequence::Guarded(const std::function<Status()>& steps)
{
    m_ctx.Host.SetBusy(true);
    m_answers->Reset();
    m_ctx.Failure = RunFailure::None;
    m_stage = RunFailure::None;
    m_done = RunDone();
    Status status;
    try {
        status = steps();
    } catch (const std::exception& e) {
        // Nothing leaves the engine: an unexpected failure takes the error path like any other.
        status = LinkError{kInternalError, e.what()}.Failed();
    }
    // Error path: the failure's line, unless its step has logged it already.
    if (status.failed() && !status.reason().empty())
        m_ctx.Log(status.reason(), LogKind::Error);
    m_outcome = RunOutcomeLine(status.failed() ? FailureKind() : RunFailure::None, m_done,
                               [this](int n) { return m_ctx.Text(n); });
    m_ctx.Log(m_outcome.Text, m_outcome.Kind);
    // Closing steps.
    m_ctx.Host.SetBusy(false);
    m_ctx.LogText(LangTextId(808));
    m_ctx.S.Ftp->Close();
    if (status.ok())
        return RunOutcome::Completed;
    return m_ctx.StoredDiffers ? RunOutcome::NotStored : RunOutcome::Failed;
}

RunFailure RunSequence::FailureKind() const
{
    if (m_ctx.Host.Cancelled())
        return RunFailure::Cancelled;
    if (m_ctx.Failure != RunFailure::None)
        return m_ctx.Failure;
    if (m_answers->LastRefused())
        return RunFailure::Refused;
    return m_stage == RunFailure::None ? RunFailure::Unreachable : m_stage;
}

Status RunSequence::RunSteps(ConfigDocument& doc)
{
    const CameraRecord& camera = m_ctx.Subject.Camera;
    const ModelRecord& model = m_ctx.Subject.Model;
    const LinkOptions& options = m_ctx.Options;

    m_stage = RunFailure::Unreachable;
    m_ctx.LogText(LangTextId(801));
    if (camera.Brand != "CANON" && options.Install && m_ctx.FirmwareRelease.empty()) {
        if (Status identified = IdentifyStep(m_ctx).Run(); identified.failed())
            return identified;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    const DeviceUrl reach = DeviceUrl::Reachability(m_ctx.FieldTarget());
    const HttpResponse r = m_ctx.S.Http->Get(reach, kLinkRequestSeconds);
    if (!r.Completed()) {
        m_ctx.LogText(LangTextId(802), LogKind::Error);
        return RequestFailure(r, reach).Failed();
    }
    if (camera.ModelName.empty()) {
        m_ctx.LogText(LangTextId(802), LogKind::Error);
        return Status::Fail({});
    }
    std::string line = m_ctx.Text(LangTextId(803)) + " " + camera.ModelName;
    if (options.Install)
        line += " Firmware Release " + m_ctx.FirmwareRelease;
    m_ctx.Log(line);

    m_stage = RunFailure::NoApplicationFiles;
    m_ctx.ModelFolder = model.ModelFolderName;
    if (model.PerFirmwareFolder)
        m_ctx.ModelFolder += "/" + m_ctx.FirmwareRelease;
    if (!QFileInfo(m_ctx.ModelPath()).isDir()) {
        m_ctx.LogText(LangTextId(804), LogKind::Error);
        return Status::Fail({});
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.Install || options.UpdateSettings) {
        m_stage = options.Install ? RunFailure::Installation : RunFailure::Settings;
        if (Status installed = InstallStep(m_ctx).Run(options.Install, doc.GeneralSettings);
            installed.failed())
            return installed;
        (options.Install ? m_done.Installed : m_done.SettingsSent) = true;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.SendConfig) {
        m_stage = RunFailure::Upload;
        if (Status sent = UploadStep(m_ctx).Run(doc); sent.failed())
            return sent;
        m_done.ConfigSent = true;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.IoCheck) {
        m_stage = RunFailure::IoCheck;
        if (Status checked = IoCheckStep(m_ctx).Run(doc.ZelkSettings); checked.failed())
            return checked;
        m_done.LoopChecked = true;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.Home) {
        m_stage = RunFailure::Home;
        const Result<bool> home = HomeStep(m_ctx).Run();
        if (home.failed())
            return home.status();
        m_done.HomeSet = *home;
    }
    return Status::Ok();
}

} // namespace kor
