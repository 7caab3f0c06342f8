#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/LoadProject.h"

#include "app/Language.h"
#include "app/LanguageCatalogue.h"
#include "config/ActionSummary.h"
#include "config/ConfigJson.h"
#include "config/Cp1252.h"
#include "config/EventSources.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <ostream>

namespace kor::cli {

namespace {

struct Pair
{
    std::string Key;
    std::string Value;
};

// The pairs of a parameter string; a value under a password key is masked.
std::vector<Pair> ParamPairs(std::string_view params)
{
    std::vector<Pair> pairs;
    std::size_t pos = 0;
    while (pos < params.size()) {
        std::size_t end = params.find('\0', pos);
        if (end == std::string_view::npos)
            end = params.size();
        const std::string_view pair = params.substr(pos, end - pos);
        const std::size_t eq = pair.find('=');
        Pair p;
        p.Key = std::string(pair.substr(0, eq));
        p.Value = eq == std::string_view::npos ? std::string() : std::string(pair.substr(eq + 1));
        if (UpperCp1252(p.Key) == "PWD" && !p.Value.empty())
            p.Value = "********";
        pairs.push_back(std::move(p));
        pos = end + 1;
    }
    return pairs;
}

std::string TimeText(const TimeOfDay& t)
{
    std::string out;
    for (unsigned v : {unsigned(t.Hour), unsigned(t.Minute)}) {
        if (!out.empty())
            out.push_back(':');
        if (v < 10)
            out.push_back('0');
        out += DecimalText(v);
    }
    return out;
}

std::string IntervalText(const Interval& i)
{
    return TimeText(i.Start) + "-" + TimeText(i.End);
}

const char* const kDayNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

std::string FlagsText(const bool* flags, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(flags[i] ? '1' : '0');
    return out;
}

QString J(std::string_view cp1252)
{
    return QString::fromStdString(TerminalText(cp1252));
}

QJsonObject ActionJson(int index, const ActionRecord& action, const LangTextLookup& langText)
{
    QJsonObject o;
    o[QStringLiteral("index")] = index;
    o[QStringLiteral("name")] = J(action.Name);
    o[QStringLiteral("type")] = action.Type;
    o[QStringLiteral("type_name")] = QString::fromLatin1(ActionTypeName(action.Type));
    o[QStringLiteral("deleted")] = action.Deleted;
    o[QStringLiteral("summary")] = J(ActionSummary(action, langText));
    QJsonArray params;
    for (const Pair& p : ParamPairs(action.Params))
        params.append(QJsonObject{{QStringLiteral("key"), J(p.Key)}, {QStringLiteral("value"), J(p.Value)}});
    o[QStringLiteral("params")] = params;
    QJsonObject table;
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        QJsonArray intervals;
        for (const Interval& i : action.TimeTable.Day(day))
            intervals.append(QString::fromStdString(IntervalText(i)));
        if (!intervals.isEmpty())
            table[QString::fromLatin1(kDayNames[day - 1])] = intervals;
    }
    o[QStringLiteral("time_table")] = table;
    return o;
}

QJsonObject DocumentJson(const ConfigDocument& doc, const LangTextLookup& langText)
{
    QJsonArray rules;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        QJsonArray actions;
        for (std::size_t a = 0; a < rule.Actions.size(); ++a)
            actions.append(ActionJson(static_cast<int>(a), rule.Actions[a], langText));
        rules.append(QJsonObject{
            {QStringLiteral("index"), r},
            {QStringLiteral("tag"), QString::fromStdString(EventSourceTag(r, doc.InputOneAsSensor))},
            {QStringLiteral("actions"), actions}});
    }
    const GeneralSettings& g = doc.GeneralSettings;
    QJsonObject general{{QStringLiteral("FS"), g.FS},
                        {QStringLiteral("FTM"), g.FTM},
                        {QStringLiteral("FSB"), g.FSB},
                        {QStringLiteral("FTMB"), g.FTMB},
                        {QStringLiteral("SMTPH"), J(g.SMTPH)},
                        {QStringLiteral("SMTPP"), J(g.SMTPP)},
                        {QStringLiteral("SNDADDR"), J(g.SNDADDR)},
                        {QStringLiteral("RPLYADDR"), J(g.RPLYADDR)},
                        {QStringLiteral("CIDHEAD"), J(g.CIDHEAD)},
                        {QStringLiteral("CLIENTNUM"), J(g.CLIENTNUM)},
                        {QStringLiteral("CRAIP"), J(g.CRAIP)},
                        {QStringLiteral("CRAPORT"), J(g.CRAPORT)}};
    QJsonArray s;
    for (bool f : doc.ZelkSettings.S)
        s.append(f);
    QJsonArray msk;
    for (bool f : doc.ZelkSettings.MSK)
        msk.append(f);
    QJsonObject detector{
        {QStringLiteral("BC"), doc.ZelkSettings.BC}, {QStringLiteral("S"), s}, {QStringLiteral("MSK"), msk}};
    return QJsonObject{{QStringLiteral("rules"), rules},
                       {QStringLiteral("general"), general},
                       {QStringLiteral("detector"), detector}};
}

void PrintText(const ConfigDocument& doc, const LangTextLookup& langText, std::ostream& out)
{
    int used = 0;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        if (!rule.IsUsed())
            continue;
        ++used;
        std::string tag = EventSourceTag(r, doc.InputOneAsSensor);
        out << "Rule " << r << (tag.empty() ? std::string() : " " + tag) << "\n";
        for (std::size_t a = 0; a < rule.Actions.size(); ++a) {
            const ActionRecord& action = rule.Actions[a];
            out << "  [" << a << "] " << TerminalText(action.Name) << " (type " << action.Type << ", "
                << ActionTypeName(action.Type) << (action.Deleted ? ", deleted" : "") << ")\n";
            out << "      summary: " << TerminalText(ActionSummary(action, langText)) << "\n";
            std::string params;
            for (const Pair& p : ParamPairs(action.Params))
                params += (params.empty() ? "" : "  ") + p.Key + "=" + p.Value;
            if (!params.empty())
                out << "      " << TerminalText(params) << "\n";
            for (int day = 1; day <= TimeTable::DayCount; ++day) {
                const auto& intervals = action.TimeTable.Day(day);
                if (intervals.empty())
                    continue;
                out << "      " << kDayNames[day - 1];
                for (const Interval& i : intervals)
                    out << ' ' << IntervalText(i);
                out << "\n";
            }
        }
    }
    if (used == 0)
        out << "No rules with actions.\n";
    const GeneralSettings& g = doc.GeneralSettings;
    out << "General: FS=" << unsigned(g.FS) << " FTM=" << unsigned(g.FTM) << " FSB=" << unsigned(g.FSB)
        << " FTMB=" << unsigned(g.FTMB) << "\n";
    out << "  mail server " << TerminalText(g.SMTPH) << ":" << TerminalText(g.SMTPP) << ", sender "
        << TerminalText(g.SNDADDR) << ", reply to " << TerminalText(g.RPLYADDR) << "\n";
    out << "  Contact ID header " << TerminalText(g.CIDHEAD) << ", client " << TerminalText(g.CLIENTNUM)
        << ", receiving centre " << TerminalText(g.CRAIP) << ":" << TerminalText(g.CRAPORT) << "\n";
    const ZelkSettings& z = doc.ZelkSettings;
    out << "Detector: BC=" << z.BC << " S=" << FlagsText(z.S.data(), z.S.size())
        << " MSK=" << FlagsText(z.MSK.data(), z.MSK.size()) << "\n";
}

int RunShow(const CommandSpec& self, Invocation& inv)
{
    std::int16_t inputOne = 1;
    if (inv.Has("input-one-as-sensor")) {
        const std::string v = inv.Value("input-one-as-sensor");
        if (v != "0" && v != "1")
            return UsageError(self, inv, "--input-one-as-sensor takes 0 or 1");
        inputOne = v == "1" ? 1 : 0;
    }
    // The summaries' words come straight from the language's catalogue; no database is needed.
    const LanguageEntry* language = LanguageByCode(QString::fromStdString(inv.Value("lang", "en")));
    if (!language)
        return UsageError(self, inv, "--lang takes es, en, it or pt");
    LanguageCatalogue catalogue;
    if (const Status loaded = catalogue.LoadFile(LanguageCataloguePath(*language)); loaded.failed())
        return Failure(inv, "Language library error. " + loaded.reason());
    const LangTextLookup langText = [&catalogue](int n) { return ToCp1252(catalogue.Text(n)); };

    ConfigDocument doc;
    if (const Status loaded = LoadProjectForCli(doc, inv.Positional[0]); loaded.failed())
        return Failure(inv, loaded.reason());
    doc.InputOneAsSensor = inputOne;
    if (inv.Has("json"))
        inv.Out << QJsonDocument(DocumentJson(doc, langText)).toJson(QJsonDocument::Indented).toStdString();
    else
        PrintText(doc, langText, inv.Out);
    return ExitOk;
}

} // namespace

CommandSpec ShowCommand()
{
    CommandSpec spec;
    spec.Name = "show";
    spec.Synopsis = "IN [--json] [--lang es|en|it|pt]";
    spec.Summary = "List the rules, actions, time tables and settings of a configuration file.";
    spec.Options = {
        {"json", "", "print the same as JSON"},
        {"lang", "LANG", "language of the action summaries: es, en (default), it or pt"},
        {"input-one-as-sensor", "0|1", "tag rule 1 as digital input 1 (1, default) or camera event 1 (0)"},
    };
    spec.MinPositional = 1;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunShow(spec, inv); };
    return spec;
}

} // namespace kor::cli
