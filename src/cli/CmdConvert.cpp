#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/LoadProject.h"

#include "config/ConfigFiles.h"
#include "config/ConfigJson.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"

#include <QFileInfo>

#include <ostream>

namespace kor::cli {

namespace {

int RunConvert(const CommandSpec& self, Invocation& inv)
{
    const std::string& in = inv.Positional[0];
    const std::string& out = inv.Positional[1];

    std::string to = inv.Value("to");
    if (to.empty()) {
        const QString suffix = QFileInfo(QString::fromStdString(out)).suffix().toLower();
        to = suffix == QStringLiteral("kma") ? "kma" : suffix == QStringLiteral("json") ? "json" : "";
    }
    if (to.empty())
        return UsageError(self, inv, "say --to kma, alarm_app or json (OUT does not end in .kma or .json)");
    if (to != "kma" && to != "alarm_app" && to != "json")
        return UsageError(self, inv, "--to takes kma, alarm_app or json, not '" + to + "'");

    std::int32_t port = 0;
    if (inv.Has("port") && ReadNumberAs(inv.Value("port"), port) != NumberRead::Ok)
        return UsageError(self, inv, "--port takes a whole number, not '" + inv.Value("port") + "'");
    std::int16_t inputOne = 1;
    if (inv.Has("input-one-as-sensor")) {
        const std::string v = inv.Value("input-one-as-sensor");
        if (v != "0" && v != "1")
            return UsageError(self, inv, "--input-one-as-sensor takes 0 or 1");
        inputOne = v == "1" ? 1 : 0;
    }

    ConfigDocument doc;
    if (const Status loaded = LoadProjectForCli(doc, in); loaded.failed())
        return Failure(inv, loaded.reason());
    doc.InputOneAsSensor = inputOne;

    const QString outPath = QString::fromStdString(out);
    Status written;
    if (to == "kma") {
        written = SaveProjectFile(doc, outPath);
    } else if (to == "json") {
        // Meant to be read back: the passwords stay, so the file is the user's alone, as a project is.
        ConfigJsonOptions options;
        options.MaskPasswords = false;
        const QByteArray json = ConfigToJson(doc, options);
        written = SaveFileAtomically(
            outPath, std::string_view(json.constData(), static_cast<std::size_t>(json.size())),
            FileAccess::Private);
    } else {
        DeviceLine device{port, {}, {}, {}, {}};
        for (auto [name, field] : {std::pair{"user", &device.User}, std::pair{"password", &device.Password},
                                   std::pair{"mac", &device.Mac}, std::pair{"brand", &device.Brand}}) {
            Result<std::string> bytes =
                ArgumentBytes(inv.Value(name), std::string("--") + name, ValueKind::Line);
            if (bytes.failed())
                return Failure(inv, bytes.reason());
            *field = std::move(bytes).value();
        }
        // The upload file is named alarm_app; OUT names it wherever the user wants it.
        written = SaveFileAtomically(
            outPath, [&](const FilePieceWriter& write) { return WriteAlarmAppText(doc, device, write); },
            FileAccess::Private);
    }
    if (written.failed())
        return Failure(inv, "cannot write " + out + ": " + written.reason());
    return ExitOk;
}

} // namespace

CommandSpec ConvertCommand()
{
    CommandSpec spec;
    spec.Name = "convert";
    spec.Synopsis =
        "IN OUT [--to kma|alarm_app|json] [--port N] [--user U] [--password P] [--mac M] [--brand B] "
        "[--input-one-as-sensor 0|1]";
    spec.Summary =
        "Convert a project file, upload file, device text or JSON into a project, upload or JSON file.";
    spec.Details = "IN may be a .kma project file, an alarm_app upload file, a configuration text saved\n"
                   "from the camera, or a .json file as --to json writes it (format 1; see docs/json.md).\n"
                   "OUT is written only when IN was read completely; an existing OUT is replaced only\n"
                   "once the new file is complete. A JSON file keeps the actions' passwords, as a project\n"
                   "file does; `korctl show --json` masks them and cannot be read back.\n"
                   "The file has no escaping: a device-line text or a JSON value holding \";\" or a line\n"
                   "break (a parameter value also \"$\") is refused, naming it, never written split.";
    spec.Options = {
        {"to", "FORMAT",
         "kma (project file, default for a .kma name), alarm_app (upload file) or json (default for .json)"},
        {"port", "N", "device line: the camera's HTTP port (default 0)"},
        {"user", "U", "device line: user name (default empty)"},
        {"password", "P", "device line: password (default empty)"},
        {"mac", "M", "device line: MAC address (default empty)"},
        {"brand", "B", "device line: brand (default empty)"},
        {"input-one-as-sensor", "0|1",
         "1: input 1 is a digital input; 0: rule 1 is the default rule (default 1)"},
    };
    spec.MinPositional = 2;
    spec.MaxPositional = 2;
    spec.Run = [spec](Invocation& inv) { return RunConvert(spec, inv); };
    return spec;
}

} // namespace kor::cli
