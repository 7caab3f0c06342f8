#include "cli/CliSession.h"
#include "cli/CliText.h"
#include "cli/CliValues.h"
#include "cli/Commands.h"

#include "config/Cp1252.h"
#include "outside/companion/ModelTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <limits>
#include <ostream>

namespace kor::cli {

namespace {

QString J(std::string_view cp1252)
{
    return FromCp1252(cp1252);
}

QJsonObject ModelJson(const ModelRecord& m)
{
    return QJsonObject{{QStringLiteral("name"), J(m.ModelName)},
                       {QStringLiteral("brand"), J(m.Brand)},
                       {QStringLiteral("channels"), m.ChannelCount},
                       {QStringLiteral("folder"), J(m.ModelFolderName)},
                       {QStringLiteral("per_firmware"), m.PerFirmwareFolder},
                       {QStringLiteral("io"), m.InputOutput},
                       {QStringLiteral("capabilities"), static_cast<qint64>(m.CapabilityFlags)},
                       {QStringLiteral("camera_events"), m.CameraEventCount},
                       {QStringLiteral("inverted"), m.InvertedOutput},
                       {QStringLiteral("pulse_time"), m.PulseTime},
                       {QStringLiteral("cgi_bin"), m.CgiBinLayout},
                       {QStringLiteral("programs"), J(m.ProgramList)}};
}

// A program name becomes a start-up table line and a file name on the device: plain characters only.
bool IsProgramName(std::string_view name)
{
    if (!name.empty() && name[0] == '@')
        name.remove_prefix(1);
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '_' || c == '-';
    });
}

bool IsFolderName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string_view::npos;
}

int RunList(const CommandSpec& self, Invocation& inv)
{
    if (const int status = RejectOptions(self, inv, "list", {"json"}))
        return status;
    if (inv.Positional.size() > 1)
        return UsageError(self, inv, "'models list' takes no further arguments");
    ClientConnection connection;
    if (const Status opened = OpenDatabaseForCli(inv, connection); opened.failed())
        return Failure(inv, opened.reason());
    const Result<std::vector<ModelRecord>> listed = ModelTable::List(connection);
    if (listed.failed())
        return Failure(inv, listed.reason());
    const std::vector<ModelRecord>& models = *listed;
    if (inv.Has("json")) {
        QJsonArray list;
        for (const ModelRecord& m : models)
            list.append(ModelJson(m));
        inv.Out << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
        return ExitOk;
    }
    for (const ModelRecord& m : models)
        inv.Out << TerminalText(m.ModelName) << "\tbrand=" << TerminalText(m.Brand)
                << "\tchannels=" << m.ChannelCount << "\tfolder=" << TerminalText(m.ModelFolderName)
                << "\tper-firmware=" << m.PerFirmwareFolder << "\tio=" << m.InputOutput
                << "\tcapabilities=" << m.CapabilityFlags << "\tcamera-events=" << m.CameraEventCount
                << "\tinverted=" << m.InvertedOutput << "\tpulse-time=" << m.PulseTime
                << "\tcgi-bin=" << m.CgiBinLayout << "\tprograms=" << TerminalText(m.ProgramList) << '\n';
    return ExitOk;
}

int RunAdd(const CommandSpec& self, Invocation& inv)
{
    if (const int status =
            RejectOptions(self, inv, "add",
                          {"name", "brand", "channels", "folder", "per-firmware", "io", "capabilities",
                           "camera-events", "inverted", "pulse-time", "cgi-bin", "programs"}))
        return status;
    if (inv.Positional.size() > 1)
        return UsageError(self, inv, "'models add' takes options only");
    for (const char* required : {"name", "channels", "folder"}) {
        if (!inv.Has(required))
            return UsageError(self, inv, std::string("'models add' needs --") + required);
    }
    ModelRecord model;
    if (const Status flags = FirstFailure({
            FlagOption(inv, "per-firmware", false, model.PerFirmwareFolder),
            FlagOption(inv, "io", false, model.InputOutput),
            FlagOption(inv, "inverted", false, model.InvertedOutput),
            FlagOption(inv, "cgi-bin", false, model.CgiBinLayout),
        });
        flags.failed())
        return UsageError(self, inv, flags.reason());
    std::int64_t channels = 1;
    std::int64_t capabilities = 0;
    std::int64_t events = 0;
    std::int64_t pulse = 30;
    constexpr std::int64_t i16 = std::numeric_limits<std::int16_t>::max();
    // Options not given keep their defaults.
    const auto given = [&inv](const char* name, auto check) {
        return inv.Has(name) ? check() : Status::Ok();
    };
    if (const Status checked = FirstFailure({
            TextOption(inv, "name", false, model.ModelName),
            NumberOption(inv, "channels", 1, i16, channels),
            TextOption(inv, "folder", false, model.ModelFolderName),
            given("brand", [&] { return TextOption(inv, "brand", false, model.Brand); }),
            given("capabilities",
                  [&] {
                      return NumberOption(inv, "capabilities", 0, std::numeric_limits<std::uint32_t>::max(),
                                          capabilities);
                  }),
            given("camera-events", [&] { return NumberOption(inv, "camera-events", 0, i16, events); }),
            given("pulse-time", [&] { return NumberOption(inv, "pulse-time", 1, 60000, pulse); }),
            given("programs", [&] { return TextOption(inv, "programs", true, model.ProgramList); }),
        });
        checked.failed())
        return Failure(inv, checked.reason());
    if (!IsFolderName(model.ModelFolderName))
        return Failure(inv, "--folder " + inv.Value("folder") +
                                ": one folder name under Data/, without / \\ or :");
    if (!model.ProgramList.empty()) {
        std::string_view rest = model.ProgramList;
        for (;;) {
            const std::size_t hash = rest.find('#');
            if (!IsProgramName(rest.substr(0, hash)))
                return Failure(inv,
                               "--programs " + inv.Value("programs") +
                                   ": names of letters, digits, '.', '_' or '-', an optional leading '@',"
                                   " separated by '#'");
            if (hash == std::string_view::npos)
                break;
            rest.remove_prefix(hash + 1);
        }
    }
    model.ChannelCount = static_cast<std::int16_t>(channels);
    model.CapabilityFlags = static_cast<std::uint32_t>(capabilities);
    model.CameraEventCount = static_cast<std::int16_t>(events);
    model.PulseTime = static_cast<std::int32_t>(pulse);

    ClientConnection connection;
    if (const Status opened = OpenDatabaseForCli(inv, connection); opened.failed())
        return Failure(inv, opened.reason());
    if (const Status added = ModelTable::Add(connection, model); added.failed())
        return Failure(inv, added.reason());
    inv.Out << "Added model " << TerminalText(model.ModelName) << " of brand " << TerminalText(model.Brand)
            << ".\n";
    return ExitOk;
}

int RunModels(const CommandSpec& self, Invocation& inv)
{
    const std::string& action = inv.Positional[0];
    if (action == "list")
        return RunList(self, inv);
    if (action == "add")
        return RunAdd(self, inv);
    return UsageError(self, inv, "unknown action '" + action + "' (list or add)");
}

} // namespace

CommandSpec ModelsCommand()
{
    CommandSpec spec;
    spec.Name = "models";
    spec.Synopsis = "list [--json] | add --name M [--brand B] --channels N --folder DIR [--per-firmware 0|1] "
                    "[--io 0|1] [--capabilities N] [--camera-events N] [--inverted 0|1] [--pulse-time MS] "
                    "[--cgi-bin 0|1] [--programs P1#P2#@P3]";
    spec.Summary = "List or add the camera model profiles of the companion database.";
    spec.Details =
        "A profile names the folder of the model's application files under the resources' Data/ (with one\n"
        "subfolder per firmware release when --per-firmware 1, and a/ programs and b/ CGI programs when\n"
        "--cgi-bin 1). --capabilities sums the action types the model offers: 1 output, 2 recording, 4 call\n"
        "to a PC, 8 camera move (positioning presets), 16 notify client, 32 remote alarm, 64 user action,\n"
        "128 e-mail, 256 FTP. --programs lists the programs the camera starts, separated by '#'; a name\n"
        "starting with '@' is started once per channel.";
    spec.Options = {
        {"json", "", "list: print the profiles as JSON"},
        {"name", "M", "add: model name"},
        {"brand", "B", "add: brand (default AXIS, the brand the start-up loads profiles with)"},
        {"channels", "N", "add: channel count, 1 to 32767"},
        {"folder", "DIR", "add: folder of the application files under Data/"},
        {"per-firmware", "0|1", "add: application files per firmware release (default 0)"},
        {"io", "0|1", "add: the model has the detector's output and input (default 0)"},
        {"capabilities", "N", "add: capability flags (default 0)"},
        {"camera-events", "N", "add: camera event count (default 0)"},
        {"inverted", "0|1", "add: the output is wired inverted (default 0)"},
        {"pulse-time", "MS", "add: pulse step in milliseconds (default 30)"},
        {"cgi-bin", "0|1", "add: CGI programs in their own tree (default 0)"},
        {"programs", "LIST", "add: program list, names separated by '#'"},
    };
    spec.MinPositional = 1;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunModels(spec, inv); };
    return spec;
}

} // namespace kor::cli
