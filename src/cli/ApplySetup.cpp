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

} // namespace kor::cli
