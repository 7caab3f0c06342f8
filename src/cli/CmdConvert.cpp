#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/LoadProject.h"

#include "config/ConfigFiles.h"
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
    if (to.empty())
        to = QFileInfo(QString::fromStdString(out)).suffix().toLower() == QStringLiteral("kma") ? "kma" : "";
    if (to.empty())
        return UsageError(self, inv, "say --to kma or --to alarm_app (OUT does not end in .kma)");
    if (to != "kma" && to != "alarm_app")
        return UsageError(self, inv, "--to takes kma or alarm_app, not '" + to + "'");

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
    if (!LoadProjectForCli(doc, in, inv))
        return ExitFailed;
    doc.InputOneAsSensor = inputOne;

    std::string error;
    const QString outPath = QString::fromStdString(out);
    bool failed = false;
    if (to == "kma") {
        failed = SaveProjectFile(doc, outPath, &error);
    } else {
        DeviceLine device{port, ArgumentBytes(inv.Value("user")), ArgumentBytes(inv.Value("password")),
                          ArgumentBytes(inv.Value("mac")), ArgumentBytes(inv.Value("brand"))};
        // The upload file is named alarm_app; OUT names it wherever the user wants it.
        failed = !SaveFileAtomically(outPath, BuildAlarmAppText(doc, device), &error);
    }
    if (failed)
        return Failure(inv, "cannot write " + out + ": " + error);
    return ExitOk;
}

} // namespace

CommandSpec ConvertCommand()
{
    CommandSpec spec;
    spec.Name = "convert";
    spec.Synopsis = "IN OUT [--to kma|alarm_app] [--port N] [--user U] [--password P] [--mac M] [--brand B] "
                    "[--input-one-as-sensor 0|1]";
    spec.Summary = "Convert a project file, upload file or device text into a project or upload file.";
    spec.Details = "IN may be a .kma project file, an alarm_app upload file or a configuration text saved\n"
                   "from the camera. OUT is written only when IN was read completely; an existing OUT is\n"
                   "replaced only once the new file is complete.";
    spec.Options = {
        {"to", "FORMAT", "kma (project file, default for a .kma name) or alarm_app (upload file)"},
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
