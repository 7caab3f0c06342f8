#pragma once

#include "cli/Command.h"

#include "app/StartCommandLine.h"
#include "config/Result.h"
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
// connection (with the USRS row ensured), the camera record, its model profile and the
// device-access object.
struct CameraSession
{
    StartValues Start;
    ClientConnection Connection;
    CurrentCamera Camera;
    ModelProfile Model;
    AxisDevice Device;
};

// Fills a session for cameraId, or for the start command line's CAMID when none is given. The model
// profile is loaded with the brand "AXIS", as the start-up does; unlike the window, other camera
// brands are kept, so that their branches of the device link stay reachable. Fails for a bad start
// command line, database, unknown camera, a camera without address, no profile for its model.
Status OpenCameraSession(const Invocation& inv, std::optional<std::int32_t> cameraId, CameraSession& session);

} // namespace kor::cli
