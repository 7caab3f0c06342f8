#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/Commands.h"
#include "cli/LoadProject.h"

#include "app/CameraConfigRecord.h"
#include "cli/CompareInput.h"
#include "config/ConfigText.h"
#include "config/TextNumber.h"
#include "device/CompanionFiles.h"
#include "device/DetectorLoop.h"
#include "device/DeviceDownload.h"
#include "device/StartDecisions.h"
#include "device/UploadStep.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <unistd.h>

#include <iostream>
#include <ostream>

namespace kor::cli {

namespace {

// The configuration read back after the upload is not the one sent.
constexpr int kExitNotStored = 3;

// --home N (the N-th stored position of the camera) or --home preset:NAME.
Result<HomeChoice> HomeChoiceOf(const Invocation& inv, const CameraSession& session)
{
    const std::string value = inv.Value("home");
    HomeChoice home;
    home.Continue = true;
    home.Enabled = inv.Has("home-enable");
    if (value.rfind("preset:", 0) == 0 && value.size() > 7) {
        Result<std::string> preset = ArgumentBytes(value.substr(7), "--home");
        if (preset.failed())
            return preset.status();
        home.HomePreset = std::move(preset).value();
        return home;
    }
    const std::vector<CameraPosition>& positions = session.Camera.Positions();
    const auto n = ReadNumber(value);
    if (!n || *n < 1 || *n > static_cast<std::int64_t>(positions.size()))
        return Status::Fail("--home takes a stored position 1.." + std::to_string(positions.size()) +
                            " of the camera or preset:NAME");
    const CameraPosition& p = positions[static_cast<std::size_t>(*n - 1)];
    home.X = p.X;
    home.Y = p.Y;
    home.Z = p.z;
    return home;
}

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
    if (!inv.Has("camera"))
        return UsageError(self, inv, "--camera is required");
    if (inv.Has("restore-system-files")) {
        for (const char* other : {"install", "update-settings", "send-config", "io-check", "home", "dry-run",
                                  "if-unchanged", "project"}) {
            if (inv.Has(other))
                return UsageError(self, inv, "--restore-system-files runs alone");
        }
        return RestoreSystemFiles(inv);
    }
    if ((inv.Has("program-code") || inv.Has("program-sensors")) && !inv.Has("io-check"))
        return UsageError(self, inv, "--program-code and --program-sensors belong to --io-check");
    if (inv.Has("home-enable") && !inv.Has("home"))
        return UsageError(self, inv, "--home-enable belongs to --home");
    if (!inv.Has("install") && !inv.Has("update-settings") && !inv.Has("send-config") &&
        !inv.Has("io-check") && !inv.Has("home"))
        return UsageError(
            self, inv, "say what to do: --install, --update-settings, --send-config, --io-check or --home");
    std::int64_t id = 0;
    if (const Status read = NumberOption(inv, "camera", -32768, 32767, id); read.failed())
        return Failure(inv, read.reason());
    CameraSession session;
    if (const Status opened = OpenCameraSession(inv, static_cast<std::int32_t>(id), session); opened.failed())
        return Failure(inv, opened.reason());
    LanguageCatalogue catalogue;
    if (const Status loaded = LoadCliLanguage(inv, session, catalogue); loaded.failed())
        return Failure(inv, loaded.reason());
    const TextLookup text = LookupOf(catalogue);
    if (const Status carried = CheckCameraCredentials(session, text); carried.failed())
        return Failure(inv, carried.reason());
    const auto cameraId = static_cast<std::int32_t>(id);
    const bool dryRun = inv.Has("dry-run");

    // The options the device link screen would not offer for this camera.
    LinkOptions options;
    options.Install = inv.Has("install");
    options.UpdateSettings = inv.Has("update-settings");
    options.SendConfig = inv.Has("send-config");
    options.IoCheck = inv.Has("io-check");
    options.ProgramCode = inv.Has("program-code");
    options.ProgramSensors = inv.Has("program-sensors");
    options.Home = inv.Has("home");
    std::optional<std::int16_t> inputOneAnswer;
    if (inv.Has("input-one-as-sensor")) {
        const std::string v = inv.Value("input-one-as-sensor");
        if (v != "0" && v != "1")
            return UsageError(self, inv, "--input-one-as-sensor takes 0 or 1");
        inputOneAnswer = v == "1" ? 1 : 0;
    }
    const bool hasPresets = session.Model.HasCapability(Capability::Presets);
    // What the screen offers whatever the loop check finds.
    const OfferedLinkOptions offeredAlways =
        OfferedLinkOptionsFor(session.Model.InputOutput(), hasPresets, session.Start.RelayEnabled, 1);
    if (options.Install && !offeredAlways.Install)
        return Failure(inv, "--install needs a direct connection to the camera; the relay is enabled");
    if (options.IoCheck && !offeredAlways.IoCheck)
        return Failure(inv, "--io-check: the camera's model has no input/output loop");
    if (options.Home && !offeredAlways.Home)
        return Failure(inv, "--home: the camera's model has no positioning presets");

    TerminalHost host(inv);
    host.OnTerminal = &inv.Out == &std::cout && isatty(STDOUT_FILENO) != 0;
    host.ProgressOnTerminal = &inv.Err == &std::cerr && isatty(STDERR_FILENO) != 0;
    host.AskOnTerminal = inv.Has("ask");
    host.YesAnswer = inv.Has("home-programs");
    host.Text = text;
    if (options.Home) {
        const Result<HomeChoice> home = HomeChoiceOf(inv, session);
        if (home.failed())
            return Failure(inv, home.reason());
        host.Home = *home;
    }

    CurlHttpClient http;
    SystemClock clock(SystemClock::DivisorFromEnvironment());

    // Read before anything is sent: what the camera holds now, against what this tool kept.
    std::string cameraText;
    if (dryRun || inv.Has("if-unchanged")) {
        const Result<CameraDrift> drift =
            ReadCameraDrift(http, CameraTargetOf(session), session.Model.ChannelCount(),
                            session.Camera.Channel(), CameraConfigRecord(), cameraId, text);
        if (drift.failed())
            return Failure(inv, TerminalText(drift.reason()));
        if (inv.Has("if-unchanged")) {
            if (const Status same = CheckUnchanged(cameraId, *drift, text, inv.Out); same.failed())
                return Failure(inv, same.reason());
        }
        cameraText = drift->CameraText;
    }

    // As at start-up: the detector loop decides whether rule 1 is digital input 1; when the loop
    // does not answer, --input-one-as-sensor (or the terminal with --ask) answers the question, else
    // the check's own result stands.
    DetectorLoopResult loop = LoopConnected;
    // A dry run switches no output: rule 1 is what --input-one-as-sensor says, input 1 by default.
    if (dryRun && !inputOneAnswer)
        inputOneAnswer = 1;
    if (dryRun)
        loop = LoopNotAnswered;
    else if (session.Model.InputOutput()) {
        // Not logged: the run's lines stay those of the device link screen's log.
        loop = CheckDetectorLoop(http, clock, session.Device, session.Model.Record(), RelayOf(session.Start));
    }
    const std::optional<std::int16_t> inputOne =
        DecideInputOneAsSensor(session.Model.InputOutput(), loop, [&]() {
            if (inputOneAnswer)
                return *inputOneAnswer == 1;
            if (!host.AskOnTerminal)
                return false;
            return host.AskYesNo(text(176) + "\n" + text(177), text(178));
        });
    if (!inputOne)
        return Failure(inv, TerminalText(text(827)));
    if (options.IoCheck &&
        !OfferedLinkOptionsFor(true, hasPresets, session.Start.RelayEnabled, *inputOne).IoCheck)
        return Failure(inv, "--io-check: input 1 is not the detector loop (the loop check got no answer; "
                            "--input-one-as-sensor 1 says it is)");

    ConfigDocument doc;
    doc.InitialiseForStartUp(*inputOne);
    if (inv.Has("project")) {
        if (const Status loaded = LoadProjectForCli(doc, inv.Value("project")); loaded.failed())
            return Failure(inv, loaded.reason());
        doc.InputOneAsSensor = *inputOne;
    } else {
        // As at start-up, the run works on the camera's own configuration.
        const DownloadResult result = DownloadFromDevice(
            doc, http, CameraTargetOf(session), session.Model.ChannelCount(), session.Camera.Channel());
        inv.Out << TerminalText(text(result.MessageText)) << std::endl;
        if (!result.ConfigLoaded)
            doc.InitialiseForStartUp(*inputOne);
        else if (!dryRun)
            RememberCameraText(inv, cameraId, HistoryOperation::Read, result.ConfigText);
    }
    const bool taskListDirty = options.SendConfig && !inv.Has("no-task-list") && UsesDeviceTasks(doc);

    CurlFtpClient ftp;
    IcmpPinger ping;
    const DeviceServices services = CliDeviceServices(http, ftp, ping, clock, text, cameraId);
    const LinkFields fields = FieldsOf(session);

    if (dryRun) {
        inv.Out << "Dry run: nothing is sent to the camera.\n";
        if (options.SendConfig) {
            CompareInput now;
            if (const Status read = ReadCompareText(cameraText, now); read.failed())
                return Failure(inv, "the camera's configuration does not read: " + read.reason());
            const DeviceLine device = UploadDeviceLine(fields, SubjectOf(session).Camera);
            PrintChanges(DiffConfigs(now.Side(), ConfigSide{&doc, &device}, text), false, text, inv.Out);
        }
        PrintPlannedSteps(options, taskListDirty, inv.Out);
        return ExitOk;
    }

    RunSequence link(services, host, SubjectOf(session));
    switch (link.ConnectAndApply(doc, fields, options, taskListDirty)) {
    case RunOutcome::NotStarted:
        return Failure(inv, "the camera has no address");
    case RunOutcome::Failed:
        inv.Err << "korctl: " << TerminalText(link.Outcome().Text) << "\n";
        return ExitFailed;
    case RunOutcome::NotStored:
        inv.Err << "korctl: " << TerminalText(link.Outcome().Text) << "\n";
        return kExitNotStored;
    case RunOutcome::Completed:
        break;
    }
    if (!link.StoredConfiguration().empty())
        RememberCameraText(inv, cameraId, HistoryOperation::Sent, link.StoredConfiguration(),
                           link.FirmwareRelease());
    return ExitOk;
}

} // namespace

CommandSpec ApplyCommand()
{
    CommandSpec spec;
    spec.Name = "apply";
    spec.Synopsis = "--camera ID [--project IN.kma] [--install] [--update-settings] [--send-config]\n"
                    "             [--io-check [--program-code] [--program-sensors]] [--home N|preset:NAME]\n"
                    "             [--dry-run] [--if-unchanged]\n"
                    "       apply --camera ID --restore-system-files N";
    spec.Summary = "Apply a configuration to a camera, as the device link screen does.";
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
        "to it or read from it (kept per camera in the per-user data folder).\n";
    spec.Options = {
        {"camera", "ID", "camera number in the companion database"},
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
