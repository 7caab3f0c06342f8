#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/LoadProject.h"

#include "config/ConfigFiles.h"
#include "config/ConfigJson.h"
#include "config/SaveFile.h"
#include "rules/ConfigCheck.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <ostream>

namespace kor::cli {

namespace {

int RunCheck(const CommandSpec&, Invocation& inv)
{
    const std::string& in = inv.Positional[0];
    ConfigDocument doc;
    if (const Status loaded = LoadProjectForCli(doc, in); loaded.failed())
        return Failure(inv, loaded.reason());
    // The text shows what reading it already lost; a JSON file holds no such text.
    std::string text;
    if (QFileInfo(QString::fromStdString(in)).suffix().toLower() != QStringLiteral("json")) {
        Result<std::string> read = ReadWholeFile(QString::fromStdString(in), kMaxConfigFileBytes);
        if (read.failed())
            return Failure(inv, in + ": " + read.reason());
        text = std::move(read).value();
    }
    const std::vector<CheckFinding> findings = CheckConfig(doc, text);

    if (inv.Has("json")) {
        QJsonArray list;
        for (const CheckFinding& f : findings) {
            QJsonObject o{{QStringLiteral("code"), QString::fromStdString(f.Code)},
                          {QStringLiteral("message"), QString::fromStdString(TerminalText(f.Message))}};
            if (f.Rule >= 0)
                o[QStringLiteral("rule")] = f.Rule;
            if (f.Action >= 0)
                o[QStringLiteral("action")] = f.Action;
            if (!f.ActionName.empty())
                o[QStringLiteral("action_name")] = QString::fromStdString(TerminalText(f.ActionName));
            list.append(o);
        }
        inv.Out << QJsonDocument(QJsonObject{{QStringLiteral("findings"), list}})
                       .toJson(QJsonDocument::Indented)
                       .toStdString();
    } else {
        for (const CheckFinding& f : findings)
            inv.Out << TerminalText(FindingPlace(f)) << ": " << TerminalText(f.Message) << " [" << f.Code
                    << "]\n";
        if (findings.empty())
            inv.Out << "No findings.\n";
    }
    return findings.empty() ? ExitOk : ExitFailed;
}

} // namespace

CommandSpec CheckCommand()
{
    CommandSpec spec;
    spec.Name = "check";
    spec.Synopsis = "IN [--json]";
    spec.Summary = "List what is probably wrong with a configuration before it is sent.";
    spec.Details =
        "Each finding names its rule and action: e-mail without a mail server, Contact ID without\n"
        "an alarm centre, FTP without a server, an output switched on around the clock, a time\n"
        "table that does not read as intervals, unknown action types (left out of the upload),\n"
        "settings outside the screens' limits.\n"
        "Exit status 0 without findings, 1 with findings (or when IN cannot be read).";
    spec.Options = {{"json", "", "print the findings as JSON"}};
    spec.MinPositional = 1;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunCheck(spec, inv); };
    return spec;
}

} // namespace kor::cli
