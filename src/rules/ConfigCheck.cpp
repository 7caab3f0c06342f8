#include "rules/ConfigCheck.h"

#include "actions/FtpAction.h"
#include "actions/OutputAction.h"
#include "app/Language.h"
#include "config/ConfigText.h"
#include "config/Cp1252.h"
#include "config/ParamString.h"
#include "config/ValueRules.h"
#include "rules/BufferCheck.h"
#include "rules/EventCatalogue.h"
#include "rules/SettingsForms.h"
#include "rules/TimeField.h"
#include "rules/TimeTableForm.h"

namespace kor {

namespace {

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// An address box left empty reads as 0.0.0.0.
bool IsNoAddress(std::string_view text)
{
    return IsBlank(text) || text == "0.0.0.0";
}

void ActionFindings(const ConfigDocument& doc, int r, int a, const ActionRecord& action,
                    std::vector<CheckFinding>& out)
{
    auto add = [&](const char* code, std::string message) {
        out.push_back(CheckFinding{code, r, a, action.Name, std::move(message)});
    };
    // A value that held "$" or ";" when a file was written reads back split into pieces that are no
    // KEY=VALUE pair. The piece is named by the key before it, never by its bytes: it may be part of
    // a password.
    std::string_view after;
    for (const ParamPair& pair : SplitParams(action.Params)) {
        if (!pair.HasValue || pair.Key.empty() || FirstRefusedByte(ValueKind::Param, pair.Key) ||
            FirstRefusedByte(ValueKind::Param, pair.Value)) {
            add("params-split", "its parameter string does not read back to the same pairs: " +
                                    (after.empty() ? std::string("the first piece")
                                                   : "the piece after " + std::string(after)) +
                                    " is no KEY=VALUE pair (a value held \"$\", \";\" or a line break)");
            break;
        }
        after = pair.Key;
    }
    const GeneralSettings& g = doc.GeneralSettings;
    switch (action.Type) {
    case ActMail:
        if (IsBlank(g.SMTPH))
            add("mail-server-empty", "an e-mail action, but the general settings name no mail server");
        break;
    case ActContactId:
        if (IsNoAddress(g.CRAIP))
            add("alarm-centre-empty",
                "a Contact ID action, but the general settings name no alarm-receiving centre address");
        break;
    case ActFtp:
        if (IsBlank(LoadFtpParams(action.Params).Host))
            add("ftp-host-empty", "an FTP upload action without a server");
        break;
    case ActOutput:
        if (LoadOutputParams(action.Params).Mode == OutputAction::On && action.TimeTable.IsEmpty())
            add("output-on-always", "switches an output on with no time table, so it acts around the clock");
        break;
    default:
        if (action.Type < ActOutput || action.Type > ActContactId)
            add("unknown-type", "action type " + std::to_string(action.Type) +
                                    " is unknown; the upload to the camera leaves it out");
        break;
    }
}

// Time tables whose text reading dropped days or intervals: the document no longer shows them, so
// they are looked for in the text.
void TimeTableFindings(std::string_view text, std::vector<CheckFinding>& out)
{
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r'))
            line.remove_suffix(1);
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos || UpperCp1252(line.substr(start, 7)) != "#ACTION")
            continue;
        std::string fields(line.substr(start));
        for (char& c : fields) {
            if (c == ';')
                c = '\0';
        }
        const std::string tt = GetParam("TT", fields);
        if (tt.empty() || TimeTableText(ParseTimeTableText(tt)) == tt)
            continue;
        out.push_back(CheckFinding{"time-table-unreadable", -1, -1, GetParam("ACTION", fields),
                                   "line " + std::to_string(lineNumber) + ": the time table '" + tt +
                                       "' does not read as whole intervals in day order; the camera gets '" +
                                       TimeTableText(ParseTimeTableText(tt)) + "'"});
    }
}

void SettingsFindings(const GeneralSettings& g, std::vector<CheckFinding>& out)
{
    const struct
    {
        const char* Name;
        BufferField Field;
        int Value;
    } fields[] = {{"FS", BufferField::Frames, g.FS},
                  {"FTM", BufferField::Seconds, g.FTM},
                  {"FSB", BufferField::BFrames, g.FSB},
                  {"FTMB", BufferField::BSeconds, g.FTMB}};
    bool inRange = true;
    for (const auto& f : fields) {
        const int min = BufferMinimum(f.Field);
        const int max = BufferMaximum(f.Field);
        if (f.Value < min || f.Value > max) {
            inRange = false;
            out.push_back(CheckFinding{"setting-out-of-range",
                                       -1,
                                       -1,
                                       {},
                                       std::string("general setting ") + f.Name + "=" +
                                           std::to_string(f.Value) + " is outside " + std::to_string(min) +
                                           ".." + std::to_string(max)});
        }
    }
    if (inRange && !BufferCheckPasses(BufferValues::From(g)))
        out.push_back(
            CheckFinding{"buffer-too-large",
                         -1,
                         -1,
                         {},
                         "the picture buffers hold more than the camera allows (pre-alarm at most " +
                             std::to_string(kMaxPreAlarmUnits) + ", both at most " +
                             std::to_string(kMaxBufferUnits) + " frames-seconds)"});
}

// What the rule-editing screens would refuse to enter: a rule the catalogue does not list (it
// cannot be opened there), an interval the time table would not add.
void ScreenFindings(const ConfigDocument& doc, int r, std::vector<CheckFinding>& out)
{
    if (!ConfiguredSourceOf(r, doc.InputOneAsSensor))
        out.push_back(CheckFinding{"rule-not-a-source",
                                   r,
                                   -1,
                                   {},
                                   "rule " + std::to_string(r) +
                                       " is not an event source the catalogue lists, so no screen edits it"});
    const SensorRule& rule = doc.Rule(r);
    for (std::size_t a = 0; a < rule.Actions.size(); ++a) {
        for (int day = 1; day <= TimeTable::DayCount; ++day) {
            for (const Interval& interval : rule.Actions[a].TimeTable.Day(day)) {
                if (TimeTableForm::IntervalToAdd(TimeText(interval.Start), TimeText(interval.End)) !=
                    interval)
                    out.push_back(CheckFinding{
                        "interval-not-after-start", r, static_cast<int>(a), rule.Actions[a].Name,
                        "day " + std::to_string(day) + " has an interval that does not end after it starts"});
            }
        }
    }
}

} // namespace

std::vector<CheckFinding> CheckConfig(const ConfigDocument& doc, std::string_view sourceText)
{
    std::vector<CheckFinding> out;
    for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
        const SensorRule& rule = doc.Rule(r);
        for (std::size_t a = 0; a < rule.Actions.size(); ++a) {
            if (!rule.Actions[a].Deleted)
                ActionFindings(doc, r, static_cast<int>(a), rule.Actions[a], out);
        }
        if (rule.IsUsed())
            ScreenFindings(doc, r, out);
    }
    TimeTableFindings(sourceText, out);
    SettingsFindings(doc.GeneralSettings, out);
    if (!BaseCodeTextAccepted(QString::number(doc.ZelkSettings.BC)))
        out.push_back(CheckFinding{"base-code-out-of-range",
                                   -1,
                                   -1,
                                   {},
                                   "the detector base code " + std::to_string(doc.ZelkSettings.BC) +
                                       " is outside 0..32767"});
    return out;
}

std::string FindingPlace(const CheckFinding& f)
{
    std::string where;
    if (f.Rule >= 0)
        where = "rule " + std::to_string(f.Rule);
    if (f.Action >= 0)
        where += ", action " + std::to_string(f.Action);
    if (!f.ActionName.empty())
        where += (where.empty() ? "action '" : " '") + f.ActionName + "'";
    return where.empty() ? "settings" : where;
}

QString SendCheckQuestion(const std::vector<CheckFinding>& findings)
{
    constexpr std::size_t kShown = 10;
    if (findings.empty())
        return {};
    QString text = LangText(1306) + u'\n';
    for (std::size_t i = 0; i < findings.size() && i < kShown; ++i)
        text += QStringLiteral("\n- ") + FromCp1252(FindingPlace(findings[i]) + ": " + findings[i].Message);
    if (findings.size() > kShown)
        text += QStringLiteral("\n- ... (+%1)").arg(findings.size() - kShown);
    return text + QStringLiteral("\n\n") + LangText(1307);
}

} // namespace kor
