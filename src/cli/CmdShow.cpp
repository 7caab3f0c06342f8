#include "cli/CliDevice.h"
#include "cli/CliText.h"
#include "cli/Commands.h"
#include "cli/LoadProject.h"
#include "cli/ShowParts.h"

#include "app/Language.h"
#include "app/LanguageCatalogue.h"
#include "config/ActionSummary.h"
#include "config/Cp1252.h"
#include "config/EventSources.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <map>
#include <ostream>

namespace kor::cli {

namespace {

std::string FlagsText(const bool* flags, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(flags[i] ? '1' : '0');
    return out;
}

} // namespace

void PrintShowText(const ConfigDocument& doc, const LangTextLookup& langText, std::ostream& out)
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
            ForEachPair(action.Params, [&params](const Pair& pair, bool) {
                if (!params.empty())
                    params += "  ";
                params.append(pair.Key).append("=").append(pair.Value);
            });
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

namespace {

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
    if (!LanguageByCode(QString::fromStdString(inv.Value("lang", "en"))))
        return UsageError(self, inv, "--lang takes es, en, it or pt");
    LanguageCatalogue catalogue;
    if (const Status loaded = LoadLanguageOption(inv, catalogue); loaded.failed())
        return Failure(inv, loaded.reason());
    const LangTextLookup langText = LookupOf(catalogue);

    ConfigDocument doc;
    if (const Status loaded = LoadProjectForCli(doc, inv.Positional[0]); loaded.failed())
        return Failure(inv, loaded.reason());
    doc.InputOneAsSensor = inputOne;
    if (inv.Has("json")) {
        // The form convert writes, passwords masked, with the derived fields for reading.
        ConfigJsonOptions options;
        options.MaskPasswords = true;
        options.LangText = langText;
        WriteConfigJson(doc, options, inv.Out);
    } else
        PrintShowText(doc, langText, inv.Out);
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
        {"json", "", "print the JSON form (as convert writes it, passwords masked; docs/json.md)"},
        {"lang", "LANG", "language of the action summaries: es, en (default), it or pt"},
        {"input-one-as-sensor", "0|1", "tag rule 1 as digital input 1 (1, default) or camera event 1 (0)"},
    };
    spec.MinPositional = 1;
    spec.MaxPositional = 1;
    spec.Run = [spec](Invocation& inv) { return RunShow(spec, inv); };
    return spec;
}

} // namespace kor::cli
