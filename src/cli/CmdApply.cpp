#include "cli/ApplyMany.h"
#include "cli/ApplySetup.h"
#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/Commands.h"
#include "cli/CompareInput.h"
#include "cli/LoadProject.h"

#include "app/AppPaths.h"
#include "app/CameraConfigRecord.h"
#include "config/ConfigText.h"
#include "device/UploadStep.h"
#include "outside/transport/CurlHttpClient.h"
#include "rules/CameraDrift.h"

#include <unistd.h>

#include <iostream>
#include <ostream>

namespace kor::cli {

namespace {

// The configuration read back after the upload is not the one sent.
constexpr int kExitNotStored = 3;

// What the run would do, one line a step, in the order the run takes them.
void PrintPlannedSteps(const LinkOptions& options, bool taskList, std::ostream& out)
{
    out << "The run would:\n";
    if (options.Install)
        out << "  identify the camera and install the alarm application over FTP, then restart it\n";
    else if (options.UpdateSettings)
        out << "  send the buffer settings and restart the camera\n";
    if (options.SendConfig)
        out << "  send the configuration and read it back to verify it\n"
            << (taskList ? "  send the task list and restart the camera\n" : "");
    if (options.IoCheck)
        out << "  check the detector loop between output 1 and input 1"
            << (options.ProgramCode || options.ProgramSensors ? " and program the detector" : "") << "\n";
    if (options.Home)
        out << "  set the home position\n";
}

// --if-unchanged: the camera must hold what this tool last sent to it or read from it.
Status CheckUnchanged(std::int32_t camera, const CameraDrift& drift, const LangTextLookup& langText,
                      std::ostream& out)
{
    if (!drift.Kept)
        return Status::Fail("--if-unchanged: this tool has not sent a configuration to camera " +
                            std::to_string(camera) + " nor read one from it yet; download it first");
    if (!drift.Changed())
        return Status::Ok();
    if (drift.Changes.empty())
        out << TerminalText(drift.Unreadable) << "\n";
    else
        PrintChanges(drift.Changes, false, langText, out);
    return Status::Fail("--if-unchanged: the camera's configuration changed since this tool last sent or "
                        "read it (the lines above); nothing was sent");
}

int RunApply(const CommandSpec& self, Invocation& inv)
{
    if (inv.Has("cameras"))
        return RunApplyMany(self, inv);
    if (!inv.Has("camera"))
        return UsageError(self, inv, "--camera or --cameras is required");
    if (inv.Has("restore-system-files")) {
        for (const char* other : {"install", "update-settings", "send-config", "io-check", "home", "dry-run",
                                  "if-unchanged", "project"}) {
            if (inv.Has(other))
                return UsageError(self, inv, "--restore-system-files runs alone");
        }
        return RestoreSystemFiles(inv);
    }
    for (const char* many : {"jobs", "log-dir", "json", "force"}) {
        if (inv.Has(many))
            return UsageError(self, inv, std::string("--") + many + " belongs to --cameras");
    }
    ApplyRequest request;
    if (const std::optional<int> stopped = ReadApplyRequest(self, inv, request))
        return *stopped;
    std::int64_t id = 0;
    if (const Status read = NumberOption(inv, "camera", -32768, 32767, id); read.failed())
        return Failure(inv, read.reason());
    CameraSession session;
    LanguageCatalogue catalogue;
    if (const Status opened = OpenCameraForRun(inv, static_cast<std::int32_t>(id), session, catalogue);
        opened.failed())
        return Failure(inv, opened.reason());
    const TextLookup text = LookupOf(catalogue);
    const auto cameraId = static_cast<std::int32_t>(id);
    const bool dryRun = inv.Has("dry-run");
    if (const std::vector<std::string> refused = RefusedOptions(request.Options, session, session.Start);
        !refused.empty())
        return Failure(inv, refused.front());

    TerminalHost host(inv);
    host.OnTerminal = &inv.Out == &std::cout && isatty(STDOUT_FILENO) != 0;
    host.ProgressOnTerminal = &inv.Err == &std::cerr && isatty(STDERR_FILENO) != 0;
    host.AskOnTerminal = request.AskOnTerminal;
    host.YesAnswer = request.YesAnswer;
    host.Text = text;
    if (request.Options.Home) {
        const Result<HomeChoice> home = HomeChoiceOf(inv, session.Camera);
        if (home.failed())
            return Failure(inv, home.reason());
        host.Home = *home;
    }
    ConfigDocument project;
    if (!request.Project.empty()) {
        if (const Status loaded = LoadProjectForCli(project, request.Project); loaded.failed())
            return Failure(inv, loaded.reason());
    }

    // Read before anything is sent: what the camera holds now, against what this tool kept.
    std::string cameraText;
    if (dryRun || inv.Has("if-unchanged")) {
        CurlHttpClient http;
        const Result<CameraDrift> drift =
            ReadCameraDrift(http, CameraTargetOf(session, session.Start), session.Model.ChannelCount(),
                            session.Camera.Channel(), CameraConfigRecord(), cameraId, text);
        if (drift.failed())
            return Failure(inv, TerminalText(drift.reason()));
        if (inv.Has("if-unchanged")) {
            if (const Status same = CheckUnchanged(cameraId, *drift, text, inv.Out); same.failed())
                return Failure(inv, same.reason());
        }
        cameraText = drift->CameraText;
    }
    // A dry run stops where the run would begin to send.
    bool dryRunDone = false;
    const SendCheck dryRunReport = [&](const ConfigDocument& doc, bool taskListDirty) {
        inv.Out << "Dry run: nothing is sent to the camera.\n";
        if (request.Options.SendConfig) {
            CompareInput now;
            if (const Status read = ReadCompareText(cameraText, now); read.failed())
                return Status::Fail("the camera's configuration does not read: " + read.reason());
            const DeviceLine device =
                UploadDeviceLine(FieldsOf(session), SubjectOf(session, session.Start).Camera);
            PrintChanges(DiffConfigs(now.Side(), ConfigSide{&doc, &device}, text), false, text, inv.Out);
        }
        PrintPlannedSteps(request.Options, taskListDirty, inv.Out);
        dryRunDone = true;
        return Status::Fail({});
    };

    const CameraRunInput in{request,
                            session,
                            session.Start,
                            request.Project.empty() ? nullptr : &project,
                            text,
                            AppPaths::WorkDir(),
                            AppPaths::Resource(QStringLiteral("Data")),
                            dryRun,
                            cameraId,
                            AppPaths::WorkDir()};
    const Result<CameraRunEnd> end = ApplyToCamera(
        in, host, [&](const std::string& line) { inv.Out << TerminalText(line) << std::endl; },
        dryRun ? dryRunReport : SendCheck());
    if (dryRunDone)
        return ExitOk;
    if (end.failed())
        return Failure(inv, TerminalText(end.reason()));
    if (!dryRun && !end->DownloadedText.empty())
        RememberCameraText(inv, cameraId, HistoryOperation::Read, end->DownloadedText, end->Firmware);
    switch (end->Outcome) {
    case RunOutcome::NotStarted:
        return Failure(inv, "the camera has no address");
    case RunOutcome::Failed:
        inv.Err << "korctl: " << TerminalText(end->OutcomeText) << "\n";
        return ExitFailed;
    case RunOutcome::NotStored:
        inv.Err << "korctl: " << TerminalText(end->OutcomeText) << "\n";
        return kExitNotStored;
    case RunOutcome::Completed:
        break;
    }
    if (!end->StoredText.empty())
        RememberCameraText(inv, cameraId, HistoryOperation::Sent, end->StoredText, end->Firmware);
    return ExitOk;
}

} // namespace

CommandSpec ApplyCommand()
{
    CommandSpec spec;
    spec.Name = "apply";
    spec.Synopsis =
        "--camera ID [--project IN.kma] [--install] [--update-settings] [--send-config]\n"
        "             [--io-check [--program-code] [--program-sensors]] [--home N|preset:NAME]\n"
        "             [--dry-run] [--if-unchanged]\n"
        "       korctl apply --camera ID --restore-system-files N\n"
        "       korctl apply --cameras LIST|all|group:NAME [--jobs N] [--log-dir DIR] [--json] [--force] ...";
    spec.Summary = "Apply a configuration to a camera, or to many at once, as the device link screen does.";
    spec.Details =
        "Prints the same lines as the device link screen's log, the outcome line before the last; exit\n"
        "status 1 when the run ended in an error, whose outcome line goes to standard error as well.\n"
        "Waits for a restarting camera go to standard error: one line each, or a countdown on one line\n"
        "on a terminal.\n"
        "Without --project the camera's own configuration is downloaded first, as at start-up.\n"
        "With --send-config the task list is sent (and the camera restarted) when the configuration uses\n"
        "inputs, motion windows, audio, tampering or temperature; --no-task-list leaves it alone.\n"
        "Questions are answered from the flags; --ask asks them on the terminal instead.\n"
        "As at the window's start, the detector loop is checked first: when it does not answer, rule 1\n"
        "is sent as the default rule (input 1 is not the loop) unless --input-one-as-sensor 1 says\n"
        "otherwise; --io-check needs input 1 to be the loop.\n"
        "After sending, the configuration is read back; when the camera kept something else the run fails\n"
        "with exit status 3.\n"
        "--dry-run reads the camera's configuration, prints how the one to send differs from it and what\n"
        "the run would do, and sends nothing (the detector loop is not checked either).\n"
        "--if-unchanged refuses to run when the camera's configuration is not the one this tool last sent\n"
        "to it or read from it (kept per camera in the per-user data folder).\n"
        "With --cameras (ids and ranges such as 1,4,7-12, all, or group:NAME) up to --jobs cameras run at\n"
        "once, each with its own header values; a camera whose model lacks what the configuration uses is\n"
        "skipped (--force runs it anyway). One status line per camera, a summary table at the end; exit\n"
        "status 0 only when every camera succeeded. Questions are answered from the flags.\n";
    spec.Options = {
        {"camera", "ID", "camera number in the companion database"},
        {"cameras", "LIST", "many cameras: ids and ranges (1,4,7-12), all or group:NAME"},
        {"jobs", "N", "cameras run at once (with --cameras; default 4)"},
        {"log-dir", "DIR", "each camera's full log as DIR/ID.log (with --cameras)"},
        {"json", "", "the summary as JSON (with --cameras)"},
        {"force", "", "run cameras whose model lacks what the configuration uses (with --cameras)"},
        {"project", "IN.kma", "configuration to apply (default: the camera's own)"},
        {"install", "", "install the alarm application over FTP (direct connection only)"},
        {"update-settings", "", "send the buffer settings and restart (without --install)"},
        {"send-config", "", "write and send the configuration (and the task list)"},
        {"no-task-list", "", "never send the task list"},
        {"io-check", "", "check the detector loop between output 1 and input 1"},
        {"program-code", "", "program the detector's base code (with --io-check)"},
        {"program-sensors", "", "program the detector's sensor and mask flags (with --io-check)"},
        {"home", "N|preset:NAME", "home position: the camera's N-th stored position or a named preset"},
        {"home-enable", "", "return home after alarms (with --home)"},
        {"home-programs", "", "answer yes when the installation asks to install the home programs"},
        {"input-one-as-sensor", "0|1",
         "answer to the start's question whether input 1 is the detector loop (when the loop does not "
         "answer)"},
        {"ask", "", "ask the run's questions on the terminal"},
        {"restore-system-files", "N",
         "put back the start-up table and web-server configuration of history entry N, and restart"},
        {"dry-run", "", "print the difference against the camera and the steps; send nothing"},
        {"if-unchanged", "",
         "refuse when someone changed the camera's configuration since this tool's last run"},
        {"lang", "LANG", "language of the log lines (default: the active one of the database)"},
    };
    spec.MinPositional = 0;
    spec.MaxPositional = 0;
    spec.Run = [spec](Invocation& inv) { return RunApply(spec, inv); };
    return spec;
}

} // namespace kor::cli
