#include "cli/CliSession.h"

#include "cli/CliText.h"

#include "app/ClientDatabase.h"
#include "app/LocalSettings.h"

#include <limits>

namespace kor::cli {

namespace {

QString DatabasePathForCli(const Invocation& inv)
{
    if (!inv.Globals.Database.empty())
        return QString::fromStdString(inv.Globals.Database);
    LocalSettings settings;
    return ReadDatabasePath(settings);
}

} // namespace

bool StartValuesForCli(Invocation& inv, StartValues& values)
{
    if (const Status read = ApplyStartCommandLine(ArgumentBytes(inv.Globals.Start), values); read.failed()) {
        Failure(inv, read.reason());
        return false;
    }
    return true;
}

bool OpenDatabaseForCli(Invocation& inv, ClientConnection& connection)
{
    if (const Status opened = connection.Open(DatabasePathForCli(inv)); opened.failed()) {
        Failure(inv, opened.reason());
        return false;
    }
    return true;
}

bool OpenCameraSession(Invocation& inv, std::optional<std::int32_t> cameraId, CameraSession& session)
{
    if (!StartValuesForCli(inv, session.Start))
        return false;
    const StartValues& start = session.Start;
    session.Connection.SetRemote(start.RemoteMode, start.RelayHost, start.RelayDataPort, start.RelayPwd);
    if (const Status opened = OpenClientDatabase(session.Connection, DatabasePathForCli(inv));
        opened.failed()) {
        Failure(inv, opened.reason());
        return false;
    }
    // The record is looked up by a 16-bit identifier.
    const std::int32_t id = cameraId.value_or(start.CameraId);
    if (id < std::numeric_limits<std::int16_t>::min() || id > std::numeric_limits<std::int16_t>::max()) {
        Failure(inv, "camera identifier " + std::to_string(id) + " does not fit 16 bits");
        return false;
    }
    session.Camera.SetConnection(&session.Connection);
    if (const Status loaded = session.Camera.Load(static_cast<std::int16_t>(id)); loaded.failed()) {
        Failure(inv, loaded.reason());
        return false;
    }
    const CurrentCamera& camera = session.Camera;
    if (camera.IpAddress().empty()) {
        Failure(inv, "camera " + std::to_string(id) + " has no IP address");
        return false;
    }
    if (const Status loaded = session.Model.Load(session.Connection, camera.ModelName(), "AXIS");
        loaded.failed()) {
        Failure(inv, loaded.reason());
        return false;
    }
    session.Device.SetRemote(start.RemoteMode, start.RelayHost, start.RelayDataPort, start.RelayPwd,
                             start.RelayEnabled, start.RelayPort);
    session.Device.SetCamera(camera.IpAddress(), camera.Port(), camera.UserName(), camera.Password(),
                             camera.Channel(), camera.Brand(), camera.ModelName());
    session.Device.SetChannelCount(session.Model.ChannelCount());
    return true;
}

} // namespace kor::cli
