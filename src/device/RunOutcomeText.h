#pragma once

#include "device/DeviceServices.h"
#include "device/RunHost.h"

#include <cstdint>
#include <string>

namespace kor {

// Where a run stopped. A step that knows better than its stage (a refused password, a broken
// loop) names the kind itself; otherwise the stage that failed does.
enum class RunFailure : std::uint8_t
{
    None,
    Unreachable,
    Refused,
    NoApplicationFiles,
    Installation,
    Settings,
    Upload,
    NotStored, // the camera kept something else than it was sent
    LoopBroken,
    IoCheck,
    Home,
    Cancelled,
};

// What a run did on the camera.
struct RunDone
{
    bool Installed = false;
    bool SettingsSent = false;
    bool ConfigSent = false;
    bool LoopChecked = false;
    bool HomeSet = false;
};

// The line before a run's closing line: what was done, or what failed and what to check.
struct OutcomeLine
{
    std::string Text;
    LogKind Kind = LogKind::Plain;
};

OutcomeLine RunOutcomeLine(RunFailure failure, const RunDone& done, const TextLookup& text);

} // namespace kor
