#include "device/CameraRun.h"

#include "app/AppSession.h"
#include "app/CameraConfigRecord.h"
#include "config/TextNumber.h"
#include "device/CompanionFiles.h"
#include "device/DetectorLoop.h"
#include "device/DeviceDownload.h"
#include "device/StartDecisions.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"
#include "rules/ModelFit.h"

#include <QDir>
#include <QFile>

#include <limits>

namespace kor {

namespace {

// Logs the misfits; false when they stop the camera.
bool AcceptMisfits(PoolRunHost& host, const std::vector<std::string>& misfits, bool force)
{
    for (const std::string& misfit : misfits)
        host.Log((force ? "forced: " : "does not fit: ") + misfit, LogKind::Error);
    if (misfits.empty() || force)
        return true;
    host.FailureLine = misfits.front() + (misfits.size() > 1 ? " (and " + std::to_string(misfits.size() - 1) +
                                                                   " more, see the log)"
                                                             : std::string());
    return false;
}

} // namespace

Status LoadCameraUnit(const ClientConnection& connection, const StartValues& start, std::int32_t id,
                      CameraUnit& unit)
{
    // The record is looked up by a 16-bit identifier.
    if (id < std::numeric_limits<std::int16_t>::min() || id > std::numeric_limits<std::int16_t>::max())
        return Status::Fail("camera identifier " + std::to_string(id) + " does not fit 16 bits");
    unit.Camera.SetConnection(&connection);
    if (Status loaded = unit.Camera.Load(static_cast<std::int16_t>(id)); loaded.failed())
        return loaded;
    const CurrentCamera& camera = unit.Camera;
    if (camera.IpAddress().empty())
        return Status::Fail("camera " + std::to_string(id) + " has no IP address");
    if (Status loaded = unit.Model.Load(connection, camera.ModelName(), "AXIS"); loaded.failed())
        return loaded;
    PointDevice(unit.Device, start, camera, unit.Model);
    return Status::Ok();
}

LinkSubject SubjectOf(const CameraUnit& unit, const StartValues& start)
{
    LinkSubject subject;
    subject.Camera = unit.Camera.Record();
    subject.Model = unit.Model.Record();
    subject.Device = unit.Device;
    subject.Relay = RelayOf(start);
    return subject;
}

DeviceTarget CameraTargetOf(const CameraUnit& unit, const StartValues& start)
{
    DeviceTarget t;
    t.Address = unit.Camera.IpAddress();
    t.PortText = DecimalText(unit.Camera.Port());
    t.User = unit.Camera.UserName();
    t.Password = unit.Camera.Password();
    t.Relay = RelayOf(start);
    return t;
}

LinkFields FieldsOf(const CameraUnit& unit)
{
    LinkFields fields;
    fields.Address = unit.Camera.IpAddress();
    fields.PortText = DecimalText(unit.Camera.Port());
    fields.User = unit.Camera.UserName();
    fields.Password = unit.Camera.Password();
    return fields;
}

std::vector<std::string> RefusedOptions(const LinkOptions& options, const CameraUnit& unit,
                                        const StartValues& start)
{
    // What the screen offers whatever the loop check finds.
    const OfferedLinkOptions offered = OfferedLinkOptionsFor(
        unit.Model.InputOutput(), unit.Model.HasCapability(Capability::Presets), start.RelayEnabled, 1);
    std::vector<std::string> refused;
    if (options.Install && !offered.Install)
        refused.emplace_back("--install needs a direct connection to the camera; the relay is enabled");
    if (options.IoCheck && !offered.IoCheck)
        refused.emplace_back("--io-check: the camera's model has no input/output loop");
    if (options.Home && !offered.Home)
        refused.emplace_back("--home: the camera's model has no positioning presets");
    return refused;
}

Result<CameraRunEnd> ApplyToCamera(const CameraRunInput& in, RunHost& host,
                                   const std::function<void(const std::string&)>& say, const SendCheck& check)
{
    const CameraUnit& unit = in.Unit;
    const ApplyRequest& request = in.Request;
    const TextLookup& text = in.Text;
    CurlHttpClient http;
    SystemClock clock(SystemClock::DivisorFromEnvironment());

    // As at start-up: the detector loop decides whether rule 1 is digital input 1; when the loop
    // does not answer, --input-one-as-sensor (or the terminal with --ask) answers the question, else
    // the check's own result stands.
    DetectorLoopResult loop = LoopConnected;
    if (in.DryRun) {
        loop = LoopNotAnswered;
    } else if (unit.Model.InputOutput()) {
        // Not logged: the run's lines stay those of the device link screen's log.
        loop = CheckDetectorLoop(http, clock, unit.Device, unit.Model.Record(), RelayOf(in.Start));
    }
    const std::optional<std::int16_t> inputOne =
        DecideInputOneAsSensor(unit.Model.InputOutput(), loop, [&]() {
            if (request.InputOneAnswer)
                return *request.InputOneAnswer == 1;
            if (in.DryRun)
                return true;
            if (!request.AskOnTerminal)
                return false;
            return host.AskYesNo(text(176) + "\n" + text(177), text(178));
        });
    if (!inputOne)
        return Status::Fail(text(827));
    if (request.Options.IoCheck && !OfferedLinkOptionsFor(true, unit.Model.HasCapability(Capability::Presets),
                                                          in.Start.RelayEnabled, *inputOne)
                                        .IoCheck)
        return Status::Fail("--io-check: input 1 is not the detector loop (the loop check got no answer; "
                            "--input-one-as-sensor 1 says it is)");

    CameraRunEnd end;
    ConfigDocument doc;
    doc.InitialiseForStartUp(*inputOne);
    if (in.Project) {
        doc = *in.Project;
        doc.InputOneAsSensor = *inputOne;
    } else {
        // As at start-up, the run works on the camera's own configuration.
        const DownloadResult result = DownloadFromDevice(doc, http, CameraTargetOf(unit, in.Start),
                                                         unit.Model.ChannelCount(), unit.Camera.Channel());
        say(text(result.MessageText));
        if (!result.ConfigLoaded)
            doc.InitialiseForStartUp(*inputOne);
        else
            end.DownloadedText = result.ConfigText;
    }
    const bool taskListDirty = request.Options.SendConfig && !request.NoTaskList && UsesDeviceTasks(doc);
    if (check) {
        if (const Status fits = check(doc, taskListDirty); fits.failed())
            return fits;
    }

    CurlFtpClient ftp;
    IcmpPinger ping;
    DeviceServices services;
    services.Http = &http;
    services.Ftp = &ftp;
    services.Ping = &ping;
    services.Wait = &clock;
    services.Text = text;
    services.WorkFolder = in.WorkFolder;
    services.DataFolder = in.DataFolder;
    if (!in.HistoryFolder.isEmpty())
        services.KeepSystemFiles = SystemFilesKeeper(in.HistoryFolder, in.CameraId);

    RunSequence link(services, host, SubjectOf(unit, in.Start));
    end.Outcome = link.ConnectAndApply(doc, FieldsOf(unit), request.Options, taskListDirty);
    end.StoredText = link.StoredConfiguration();
    end.OutcomeText = link.Outcome().Text;
    end.Firmware = link.FirmwareRelease();
    return end;
}

namespace {

// As a single run does: what was read at the start and what the camera stored. A history that
// cannot be written does not fail a run that worked; the camera's log says so.
void KeepInHistory(PoolRunHost& host, const QString& workRoot, std::int32_t id, const CameraRunEnd& end)
{
    const CameraConfigRecord history(QDir(workRoot).filePath(QStringLiteral("cameras")));
    for (const auto& [operation, text] : {std::pair{HistoryOperation::Read, &end.DownloadedText},
                                          std::pair{HistoryOperation::Sent, &end.StoredText}}) {
        if (text->empty())
            continue;
        if (const Status kept = history.Remember(id, operation, *text, end.Firmware); kept.failed())
            host.Log("warning: " + kept.reason(), LogKind::Plain);
    }
}

} // namespace

Status PrivateFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return Status::Fail("cannot create the folder " + path.toStdString());
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return Status::Fail("cannot restrict the folder " + path.toStdString() + " to its owner");
    return Status::Ok();
}

Result<QString> CameraWorkFolder(const QString& root, std::int32_t id)
{
    // Not under cameras/, where the history of each camera is kept.
    const QString work = QDir(root).filePath(QStringLiteral("runs/") + QString::number(id));
    if (const Status made = PrivateFolder(work); made.failed())
        return made;
    return work;
}

PoolJob ApplyJob(const ManyApply& shared, std::int32_t id, const CameraUnit& unit, std::string setupFailure,
                 HomeChoice home)
{
    PoolJob job;
    job.Id = id;
    job.YesAnswer = shared.Request.YesAnswer;
    job.Home = home;
    QString work;
    if (setupFailure.empty()) {
        Result<QString> folder = CameraWorkFolder(shared.WorkRoot, id);
        setupFailure = folder.reason();
        if (folder.ok())
            work = *folder;
    }
    job.Work = [&shared, &unit, id, setupFailure, work](PoolRunHost& host) {
        if (!setupFailure.empty()) {
            host.Fail(setupFailure);
            return PoolOutcome::Failed;
        }
        const ConfigDocument* project = shared.Project;
        // With a shared project the fit is known before the camera is touched.
        std::vector<std::string> misfits = RefusedOptions(shared.Request.Options, unit, shared.Start);
        if (project) {
            const std::vector<std::string> model =
                ModelMisfits(*project, unit.Model.Record(), unit.Camera.Channel());
            misfits.insert(misfits.end(), model.begin(), model.end());
        }
        if (!AcceptMisfits(host, misfits, shared.Force))
            return PoolOutcome::Skipped;
        bool skipped = false;
        const SendCheck fits = [&](const ConfigDocument& doc, bool) {
            if (project)
                return Status::Ok();
            skipped = !AcceptMisfits(host, ModelMisfits(doc, unit.Model.Record(), unit.Camera.Channel()),
                                     shared.Force);
            return skipped ? Status::Fail({}) : Status::Ok();
        };
        const CameraRunInput in{shared.Request,    unit,  shared.Start, project,        shared.Text, work,
                                shared.DataFolder, false, id,           shared.WorkRoot};
        const Result<CameraRunEnd> end = ApplyToCamera(
            in, host, [&](const std::string& line) { host.Log(line, LogKind::Plain); }, fits);
        if (skipped)
            return PoolOutcome::Skipped;
        if (end.failed()) {
            host.Fail(end.reason());
            return PoolOutcome::Failed;
        }
        KeepInHistory(host, shared.WorkRoot, id, *end);
        if (end->Outcome == RunOutcome::NotStarted) {
            host.Fail("the camera has no address");
            return PoolOutcome::Failed;
        }
        if (end->Outcome == RunOutcome::Failed || end->Outcome == RunOutcome::NotStored) {
            host.FailureLine = end->OutcomeText;
            // A run that ends while the runs are being cancelled ended on the cancel.
            return host.Cancelled() ? PoolOutcome::Cancelled : PoolOutcome::Failed;
        }
        return PoolOutcome::Succeeded;
    };
    return job;
}

} // namespace kor
