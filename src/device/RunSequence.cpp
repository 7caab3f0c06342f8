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

} // namespace

RunSequence::RunSequence(DeviceServices services, RunHost& host, LinkSubject subject)
    : m_ctx(std::move(services), host, std::move(subject))
{}

RunOutcome RunSequence::ConnectAndApply(ConfigDocument& doc, const LinkFields& fields,
                                        const LinkOptions& options, bool taskListDirty)
{
    m_ctx.FirmwareRelease.clear();
    m_ctx.StoredConfig.clear();
    m_ctx.StoredDiffers = false;
    m_ctx.TaskListDirty = taskListDirty;
    if (fields.Address == "0.0.0.0" || fields.Address.empty())
        return RunOutcome::NotStarted;
    m_ctx.Fields = fields;
    m_ctx.Options = options;

    m_ctx.Host.SetBusy(true);
    Status status;
    try {
        status = RunSteps(doc);
    } catch (const std::exception& e) {
        // Nothing leaves the engine: an unexpected failure takes the error path like any other.
        status = LinkError{kInternalError, e.what()}.Failed();
    }
    // Error path: the failure's line, unless its step has logged it already.
    if (status.failed() && !status.reason().empty())
        m_ctx.Log(status.reason());
    // Closing steps.
    m_ctx.Host.SetBusy(false);
    m_ctx.LogText(LangTextId(808));
    m_ctx.S.Ftp->Close();
    if (status.ok())
        return RunOutcome::Completed;
    return m_ctx.StoredDiffers ? RunOutcome::NotStored : RunOutcome::Failed;
}

Status RunSequence::RunSteps(ConfigDocument& doc)
{
    const CameraRecord& camera = m_ctx.Subject.Camera;
    const ModelRecord& model = m_ctx.Subject.Model;
    const LinkOptions& options = m_ctx.Options;

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
        m_ctx.LogText(LangTextId(802));
        return RequestFailure(r, reach).Failed();
    }
    if (camera.ModelName.empty()) {
        m_ctx.LogText(LangTextId(802));
        return Status::Fail({});
    }
    std::string line = m_ctx.Text(LangTextId(803)) + " " + camera.ModelName;
    if (options.Install)
        line += " Firmware Release " + m_ctx.FirmwareRelease;
    m_ctx.Log(line);

    m_ctx.ModelFolder = model.ModelFolderName;
    if (model.PerFirmwareFolder)
        m_ctx.ModelFolder += "/" + m_ctx.FirmwareRelease;
    if (!QFileInfo(m_ctx.ModelPath()).isDir()) {
        m_ctx.LogText(LangTextId(804));
        return Status::Fail({});
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.Install || options.UpdateSettings) {
        if (Status installed = InstallStep(m_ctx).Run(options.Install, doc.GeneralSettings);
            installed.failed())
            return installed;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.SendConfig) {
        if (Status sent = UploadStep(m_ctx).Run(doc); sent.failed())
            return sent;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.IoCheck) {
        if (Status checked = IoCheckStep(m_ctx).Run(doc.ZelkSettings); checked.failed())
            return checked;
    }
    if (Status cancelled = m_ctx.CheckCancelled(); cancelled.failed())
        return cancelled;

    if (options.Home)
        HomeStep(m_ctx).Run();
    return Status::Ok();
}

} // namespace kor
