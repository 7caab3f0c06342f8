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

Status StartValuesForCli(const Invocation& inv, StartValues& values)
{
    const Result<std::string> start = ArgumentBytes(inv.Globals.Start, "--start");
    if (start.failed())
        return start.status();
    return ApplyStartCommandLine(*start, values);
}

Status OpenDatabaseForCli(const Invocation& inv, ClientConnection& connection)
{
    return connection.Open(DatabasePathForCli(inv));
}

Status OpenCompanionSession(const Invocation& inv, CameraSession& session)
{
    if (Status read = StartValuesForCli(inv, session.Start); read.failed())
        return read;
    const StartValues& start = session.Start;
    session.Connection.SetRemote(start.RemoteMode, start.RelayHost, start.RelayDataPort, start.RelayPwd);
    return OpenClientDatabase(session.Connection, DatabasePathForCli(inv));
}

Status LoadCameraUnit(const CameraSession& session, std::int32_t id, CameraUnit& unit)
{
    return kor::LoadCameraUnit(session.Connection, session.Start, id, unit);
}

Status OpenCameraSession(const Invocation& inv, std::optional<std::int32_t> cameraId, CameraSession& session)
{
    if (Status opened = OpenCompanionSession(inv, session); opened.failed())
        return opened;
    return LoadCameraUnit(session, cameraId.value_or(session.Start.CameraId), session);
}

} // namespace kor::cli
