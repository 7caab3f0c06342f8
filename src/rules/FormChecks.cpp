#include "rules/FormChecks.h"

#include "rules/EventCatalogue.h"
#include "rules/SettingsForms.h"
#include "rules/TimeField.h"
#include "rules/TimeTableForm.h"

namespace kor {

namespace {

void GeneralFindings(const GeneralSettings& general, std::vector<std::string>& findings)
{
    const BufferValues values = BufferValues::From(general);
    const std::pair<BufferField, const char*> fields[] = {{BufferField::Frames, "FS"},
                                                          {BufferField::Seconds, "FTM"},
                                                          {BufferField::BFrames, "FSB"},
                                                          {BufferField::BSeconds, "FTMB"}};
    for (const auto& [field, key] : fields) {
        const int value = BufferValue(values, field);
        if (value < BufferMinimum(field) || value > BufferMaximum(field))
            findings.push_back(std::string("general settings: ") + key + "=" + std::to_string(value) +
                               " is outside " + std::to_string(BufferMinimum(field)) + ".." +
                               std::to_string(BufferMaximum(field)));
    }
    if (!BufferCheckPasses(values))
        findings.push_back("general settings: the frame buffers exceed their limits");
}

void RuleFindings(const ConfigDocument& doc, int rule, std::vector<std::string>& findings)
{
    const std::string where = "rule " + std::to_string(rule);
    if (!ConfiguredSourceOf(rule, doc.InputOneAsSensor))
        findings.push_back(where + ": not an event source the catalogue lists");
    for (std::size_t a = 0; a < doc.Rule(rule).Actions.size(); ++a) {
        const TimeTable& table = doc.Rule(rule).Actions[a].TimeTable;
        for (int day = 1; day <= TimeTable::DayCount; ++day) {
            for (const Interval& interval : table.Day(day)) {
                if (TimeTableForm::IntervalToAdd(TimeText(interval.Start), TimeText(interval.End)) != interval)
                    findings.push_back(where + ", action " + std::to_string(a) + ", day " +
                                       std::to_string(day) + ": an interval the time table would not add");
            }
        }
    }
}

} // namespace

std::vector<std::string> RuleFormFindings(const ConfigDocument& doc)
{
    std::vector<std::string> findings;
    GeneralFindings(doc.GeneralSettings, findings);
    if (!BaseCodeTextAccepted(QString::number(doc.ZelkSettings.BC)))
        findings.push_back("detector settings: base code " + std::to_string(doc.ZelkSettings.BC));
    for (int rule = 0; rule < ConfigDocument::RuleCount; ++rule) {
        if (doc.IsRuleUsed(rule))
            RuleFindings(doc, rule, findings);
    }
    return findings;
}

} // namespace kor
