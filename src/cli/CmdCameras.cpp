#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/Commands.h"

#include "config/Cp1252.h"
#include "config/TextNumber.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ModelTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>
#include <ostream>

namespace kor::cli {

namespace {

QString J(std::string_view cp1252)
{
    return FromCp1252(cp1252);
}

// Everything of a camera but its password.
QJsonObject CameraJson(const CameraRecord& camera)
{
    QJsonArray positions;
    for (const CameraPosition& p : camera.Positions)
        positions.append(QJsonObject{{QStringLiteral("name"), J(p.Nm)},
                                     {QStringLiteral("x"), p.X},
                                     {QStringLiteral("y"), p.Y},
                                     {QStringLiteral("z"), p.z}});
    return QJsonObject{{QStringLiteral("id"), camera.Id},
                       {QStringLiteral("name"), J(camera.DisplayName)},
                       {QStringLiteral("ip"), J(camera.IpAddress)},
                       {QStringLiteral("port"), camera.Port},
                       {QStringLiteral("user"), J(camera.UserName)},
                       {QStringLiteral("channel"), camera.Channel},
                       {QStringLiteral("brand"), J(camera.Brand)},
                       {QStringLiteral("model"), J(camera.ModelName)},
                       {QStringLiteral("mac"), QString::fromStdString(CameraTable::MacText(camera.Mac))},
                       {QStringLiteral("positioning"), camera.PositioningSupport},
                       {QStringLiteral("positions"), positions},
                       {QStringLiteral("group"), J(camera.Group)}};
}

int RunList(const CommandSpec& self, Invocation& inv)
{
    if (const int status = RejectOptions(self, inv, "list", {"json"}))
        return status;
    if (inv.Positional.size() > 1)
        return UsageError(self, inv, "'cameras list' takes no further arguments");
    ClientConnection connection;
    if (const Status opened = OpenDatabaseForCli(inv, connection); opened.failed())
        return Failure(inv, opened.reason());
    const Result<std::vector<CameraRecord>> listed = CameraTable::List(connection);
    if (listed.failed())
        return Failure(inv, listed.reason());
    const std::vector<CameraRecord>& cameras = *listed;
    if (inv.Has("json")) {
        QJsonArray list;
        for (const CameraRecord& camera : cameras)
            list.append(CameraJson(camera));
        inv.Out << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
        return ExitOk;
    }
    for (const CameraRecord& camera : cameras)
        inv.Out << camera.Id << '\t' << TerminalText(camera.DisplayName) << '\t'
                << TerminalText(camera.IpAddress) << '\t' << camera.Port << '\t' << TerminalText(camera.Brand)
                << '\t' << TerminalText(camera.ModelName) << '\n';
    return ExitOk;
}

int RunAdd(const CommandSpec& self, Invocation& inv)
{
    if (const int status = RejectOptions(self, inv, "add",
                                         {"id", "name", "ip", "port", "user", "password", "brand", "model",
                                          "channel", "mac", "positioning", "group"}))
        return status;
    if (inv.Positional.size() > 1)
        return UsageError(self, inv, "'cameras add' takes options only");
    for (const char* required : {"id", "name", "ip", "port", "user", "password", "brand", "model"}) {
        if (!inv.Has(required))
            return UsageError(self, inv, std::string("'cameras add' needs --") + required);
    }
    CameraRecord camera;
    std::int64_t id = 0;
    std::int64_t port = 0;
    if (const Status checked = FirstFailure({
            NumberOption(inv, "id", 0, std::numeric_limits<std::int16_t>::max(), id),
            NumberOption(inv, "port", 1, 65535, port),
            TextOption(inv, "name", false, camera.DisplayName),
            TextOption(inv, "user", true, camera.UserName, kCameraCredentialKind),
            TextOption(inv, "password", true, camera.Password, kCameraCredentialKind),
            TextOption(inv, "brand", false, camera.Brand, ValueKind::Line),
            TextOption(inv, "model", false, camera.ModelName),
            TextOption(inv, "group", true, camera.Group),
        });
        checked.failed())
        return Failure(inv, checked.reason());
    if (const Status flag = FlagOption(inv, "positioning", false, camera.PositioningSupport); flag.failed())
        return UsageError(self, inv, flag.reason());
    camera.Id = static_cast<std::int16_t>(id);
    camera.Port = static_cast<std::int32_t>(port);
    camera.IpAddress = inv.Value("ip");
    if (!IsDottedAddress(camera.IpAddress))
        return Failure(inv, "--ip " + inv.Value("ip") + ": not an IPv4 address such as 192.168.0.90");
    if (inv.Has("mac")) {
        const auto mac = CameraTable::ParseMac(inv.Value("mac"));
        if (!mac)
            return Failure(inv,
                           "--mac " + inv.Value("mac") + ": not a MAC address such as 00:11:22:AA:BB:CC");
        camera.Mac = *mac;
    }

    ClientConnection connection;
    if (const Status opened = OpenDatabaseForCli(inv, connection); opened.failed())
        return Failure(inv, opened.reason());
    // The start-up loads the model's profile with the brand "AXIS"; a profile under the camera's own
    // brand serves the other brands.
    Result<std::optional<ModelRecord>> found = ModelTable::Find(connection, camera.ModelName, "AXIS");
    if (found.ok() && !found->has_value())
        found = ModelTable::Find(connection, camera.ModelName, camera.Brand);
    if (found.failed())
        return Failure(inv, found.reason());
    if (!found->has_value())
        return Failure(inv, "unknown model " + inv.Value("model") + " (see 'korctl models list')");
    const ModelRecord& model = **found;
    std::int64_t channel = 1;
    if (inv.Has("channel")) {
        if (const Status read =
                NumberOption(inv, "channel", 1, std::max<std::int64_t>(1, model.ChannelCount), channel);
            read.failed())
            return Failure(inv, read.reason());
    }
    camera.Channel = static_cast<std::uint8_t>(channel);
    if (const Status added = CameraTable::Add(connection, camera); added.failed())
        return Failure(inv, added.reason());
    inv.Out << "Added camera " << camera.Id << " (" << TerminalText(camera.DisplayName) << ").\n";
    return ExitOk;
}

int RunRemove(const CommandSpec& self, Invocation& inv)
{
    if (const int status = RejectOptions(self, inv, "remove", {}))
        return status;
    if (inv.Positional.size() != 2)
        return UsageError(self, inv, "'cameras remove' needs the camera identifier");
    std::int16_t id = 0;
    if (ReadNumberAs<std::int16_t>(inv.Positional[1], id) != NumberRead::Ok)
        return Failure(inv, "camera identifier " + inv.Positional[1] + ": not a whole number of 16 bits");
    ClientConnection connection;
    if (const Status opened = OpenDatabaseForCli(inv, connection); opened.failed())
        return Failure(inv, opened.reason());
    if (const Status removed = CameraTable::Remove(connection, id); removed.failed())
        return Failure(inv, removed.reason());
    inv.Out << "Removed camera " << id << ".\n";
    return ExitOk;
}

// cameras group ID NAME: the camera joins the group (an empty name: none).
int RunGroup(const CommandSpec& self, Invocation& inv)
{
    if (const int status = RejectOptions(self, inv, "group", {}))
        return status;
    if (inv.Positional.size() != 3)
        return UsageError(self, inv, "'cameras group' needs the camera identifier and the group name");
    std::int16_t id = 0;
    if (ReadNumberAs<std::int16_t>(inv.Positional[1], id) != NumberRead::Ok)
        return Failure(inv, "camera identifier " + inv.Positional[1] + ": not a whole number of 16 bits");
    inv.Values["group"] = inv.Positional[2]; // checked as --group is
    std::string group;
    if (const Status read = TextOption(inv, "group", true, group); read.failed())
        return Failure(inv, read.reason());
    ClientConnection connection;
    if (const Status opened = OpenDatabaseForCli(inv, connection); opened.failed())
        return Failure(inv, opened.reason());
    Result<std::optional<CameraRecord>> found = CameraTable::Find(connection, id);
    if (found.failed())
        return Failure(inv, found.reason());
    if (!found->has_value())
        return Failure(inv, "no camera has the identifier " + std::to_string(id));
    CameraRecord camera = **found;
    camera.Group = group;
    if (const Status updated = CameraTable::Update(connection, camera); updated.failed())
        return Failure(inv, updated.reason());
    inv.Out << "Camera " << id << (group.empty() ? " is in no group" : " is in group " + TerminalText(group))
            << ".\n";
    return ExitOk;
}

int RunCameras(const CommandSpec& self, Invocation& inv)
{
    const std::string& action = inv.Positional[0];
    if (action == "list")
        return RunList(self, inv);
    if (action == "add")
        return RunAdd(self, inv);
    if (action == "remove")
        return RunRemove(self, inv);
    if (action == "group")
        return RunGroup(self, inv);
    return UsageError(self, inv, "unknown action '" + action + "' (list, add, remove or group)");
}

} // namespace

CommandSpec CamerasCommand()
{
    CommandSpec spec;
    spec.Name = "cameras";
    spec.Synopsis =
        "list [--json] | add --id N --name TEXT --ip ADDR --port N --user U --password P --brand B "
        "--model M [--channel N] [--mac AA:BB:CC:DD:EE:FF] [--positioning 0|1] [--group NAME] | remove ID |\n"
        "group ID NAME";
    spec.Summary = "List, add, remove or group the cameras of the companion database.";
    spec.Details =
        "list prints one camera per line: identifier, name, address, port, brand, model (tab-separated).\n"
        "The model must have a profile (korctl models list); the channel counts from 1 up to the\n"
        "model's channel count. Passwords are stored, never printed.\n"
        "group puts a camera in a site or group (\"\" for none); apply --cameras group:NAME selects them.";
    spec.Options = {
        {"json", "", "list: print the cameras as JSON"},
        {"id", "N", "add: camera identifier, 0 to 32767"},
        {"name", "TEXT", "add: display name"},
        {"ip", "ADDR", "add: IPv4 address"},
        {"port", "N", "add: HTTP port, 1 to 65535"},
        {"user", "U",
         "add: device user name (no \";\", \"$\" or line break: the camera's files cannot carry them)"},
        {"password", "P", "add: device password (no \";\", \"$\" or line break, as --user)"},
        {"brand", "B", "add: brand, for example AXIS"},
        {"model", "M", "add: model name with a profile"},
        {"channel", "N", "add: channel number (default 1)"},
        {"mac", "MAC", "add: MAC address AA:BB:CC:DD:EE:FF"},
        {"positioning", "0|1", "add: the camera moves to positions (default 0)"},
        {"group", "NAME", "add: the site or group of the camera"},
    };
    spec.MinPositional = 1;
    spec.MaxPositional = 3;
    spec.Run = [spec](Invocation& inv) { return RunCameras(spec, inv); };
    return spec;
}

} // namespace kor::cli
