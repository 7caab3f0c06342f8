#include "cli/CompareInput.h"

#include "cli/CliText.h"
#include "cli/LoadProject.h"

#include "config/ConfigFiles.h"
#include "config/LangTextId.h"
#include "config/SaveFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kor::cli {

Status ReadCompareFile(const std::string& path, CompareInput& input)
{
    if (const Status loaded = LoadProjectForCli(input.Doc, path); loaded.failed())
        return loaded;
    input.Device.reset();
    // As show tags them: rule 1 is digital input 1 unless said otherwise.
    input.Doc.InputOneAsSensor = 1;
    if (QFileInfo(QString::fromStdString(path)).suffix().toLower() == QStringLiteral("json"))
        return Status::Ok();
    const Result<std::string> text = ReadWholeFile(QString::fromStdString(path));
    if (text.failed())
        return Status::Fail(path + ": " + text.reason());
    input.Device = ReadDeviceLine(*text);
    return Status::Ok();
}

void PrintChanges(const std::vector<ConfigChange>& changes, bool json, const LangTextLookup& langText,
                  std::ostream& out)
{
    if (!json) {
        out << TerminalText(ChangeLines(changes, langText)) << "\n";
        return;
    }
    const auto text = [](const std::string& cp1252) { return QString::fromStdString(TerminalText(cp1252)); };
    QJsonArray list;
    for (const ConfigChange& c : changes) {
        QJsonObject o{{QStringLiteral("kind"), QString::fromLatin1(ChangeKindName(c.Kind))},
                      {QStringLiteral("text"), text(c.Text)}};
        if (c.Rule >= 0)
            o[QStringLiteral("rule")] = c.Rule;
        if (c.Action >= 0)
            o[QStringLiteral("action")] = c.Action;
        if (c.From >= 0)
            o[QStringLiteral("from")] = c.From;
        if (c.Action >= 0)
            o[QStringLiteral("action_name")] = text(c.ActionName);
        if (!c.Field.empty())
            o[QStringLiteral("field")] = text(c.Field);
        if (c.Secret) {
            o[QStringLiteral("changed")] = true;
        } else if (c.Kind == ChangeKind::FieldChanged || c.Kind == ChangeKind::SettingChanged) {
            o[QStringLiteral("before")] = text(c.Before);
            o[QStringLiteral("after")] = text(c.After);
        } else if (c.Kind == ChangeKind::IntervalAdded || c.Kind == ChangeKind::IntervalRemoved) {
            o[QStringLiteral("interval")] = text(c.Kind == ChangeKind::IntervalAdded ? c.After : c.Before);
        }
        list.append(o);
    }
    out << QJsonDocument(
               QJsonObject{{QStringLiteral("equal"), changes.empty()}, {QStringLiteral("changes"), list}})
               .toJson(QJsonDocument::Indented)
               .toStdString();
}

} // namespace kor::cli
