#include "cli/ApplySetup.h"

#include "cli/CliDevice.h"
#include "cli/CliText.h"

#include "config/TextNumber.h"
#include "device/CompanionFiles.h"
#include "device/DetectorLoop.h"
#include "device/DeviceDownload.h"
#include "device/StartDecisions.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

namespace kor::cli {

std::optional<int> ReadApplyRequest(const CommandSpec& self, Invocation& inv, ApplyRequest& request)
{
    if ((inv.Has("program-code") || inv.Has("program-sensors")) && !inv.Has("io-check"))
        return UsageError(self, inv, "--program-code and --program-sensors belong to --io-check");
    if (inv.Has("home-enable") && !inv.Has("home"))
        return UsageError(self, inv, "--home-enable belongs to --home");
    if (!inv.Has("install") && !inv.Has("update-settings") && !inv.Has("send-config") &&
        !inv.Has("io-check") && !inv.Has("home"))
        return UsageError(
            self, inv, "say what to do: --install, --update-settings, --send-config, --io-check or --home");
    LinkOptions& options = request.Options;
    options.Install = inv.Has("install");
    options.UpdateSettings = inv.Has("update-settings");
    options.SendConfig = inv.Has("send-config");
    options.IoCheck = inv.Has("io-check");
    options.ProgramCode = inv.Has("program-code");
    options.ProgramSensors = inv.Has("program-sensors");
    options.Home = inv.Has("home");
    if (inv.Has("input-one-as-sensor")) {
        const std::string v = inv.Value("input-one-as-sensor");
        if (v != "0" && v != "1")
            return UsageError(self, inv, "--input-one-as-sensor takes 0 or 1");
        request.InputOneAnswer = v == "1" ? 1 : 0;
    }
    request.AskOnTerminal = inv.Has("ask");
    request.YesAnswer = inv.Has("home-programs");
    request.NoTaskList = inv.Has("no-task-list");
    request.Project = inv.Value("project");
    return std::nullopt;
}

Result<HomeChoice> HomeChoiceOf(const Invocation& inv, const CurrentCamera& camera)
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
    const std::vector<CameraPosition>& positions = camera.Positions();
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

LinkFields FieldsOf(const CameraUnit& unit)
{
    LinkFields fields;
    fields.Address = unit.Camera.IpAddress();
    fields.PortText = DecimalText(unit.Camera.Port());
    fields.User = unit.Camera.UserName();
    fields.Password = unit.Camera.Password();
    return fields;
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

    RunSequence link(services, host, SubjectOf(unit, in.Start));
    end.Outcome = link.ConnectAndApply(doc, FieldsOf(unit), request.Options, taskListDirty);
    end.StoredText = link.StoredConfiguration();
    end.OutcomeText = link.Outcome().Text;
    return end;
}

} // namespace kor::cli
