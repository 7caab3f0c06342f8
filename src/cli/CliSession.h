#pragma once

#include "cli/Command.h"

#include "app/StartCommandLine.h"
#include "config/Result.h"
#include "device/CameraRun.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CurrentCamera.h"
#include "outside/companion/ModelProfile.h"

#include <cstdint>
#include <optional>

namespace kor::cli {

// The start values of the global --start (the defaults without it); a failure gives the reason the
// window would fail to start with.
Status StartValuesForCli(const Invocation& inv, StartValues& values);

// Opens the companion database of --database, else the one the local settings name.
Status OpenDatabaseForCli(const Invocation& inv, ClientConnection& connection);

// What the window's start-up prepares for the device commands: start values, the companion
// connection (with the USRS row ensured) and the camera.
struct CameraSession : CameraUnit
{
    StartValues Start;
    ClientConnection Connection;
};

// Fills a session for cameraId, or for the start command line's CAMID when none is given. The model
// profile is loaded with the brand "AXIS", as the start-up does; unlike the window, other camera
// brands are kept, so that their branches of the device link stay reachable. Fails for a bad start
// command line, database, unknown camera, a camera without address, no profile for its model.
Status OpenCameraSession(const Invocation& inv, std::optional<std::int32_t> cameraId, CameraSession& session);
// The first half of it: the start values and the companion connection, for commands on many cameras.
Status OpenCompanionSession(const Invocation& inv, CameraSession& session);
// The second half: camera id of the open session's database into unit.
Status LoadCameraUnit(const CameraSession& session, std::int32_t id, CameraUnit& unit);

} // namespace kor::cli
