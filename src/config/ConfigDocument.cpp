#include "config/ConfigDocument.h"

namespace kor {

namespace {
const std::vector<Interval> kNoIntervals;
const SensorRule kEmptyRule;

bool IsValidDay(int day)
{
    return day >= 1 && day <= TimeTable::DayCount;
}
} // namespace

const std::vector<Interval>& TimeTable::Day(int day) const
{
    return IsValidDay(day) ? m_days[static_cast<std::size_t>(day - 1)] : kNoIntervals;
}

void TimeTable::Append(int day, const Interval& interval)
{
    if (IsValidDay(day))
        m_days[static_cast<std::size_t>(day - 1)].push_back(interval);
}

void TimeTable::Remove(int day, int n)
{
    if (!IsValidDay(day))
        return;
    auto& list = m_days[static_cast<std::size_t>(day - 1)];
    if (n < 0 || static_cast<std::size_t>(n) >= list.size())
        return;
    list.erase(list.begin() + n);
}

void TimeTable::SetDay(int day, std::vector<Interval> intervals)
{
    if (IsValidDay(day))
        m_days[static_cast<std::size_t>(day - 1)] = std::move(intervals);
}

bool TimeTable::IsEmpty() const
{
    for (const auto& day : m_days) {
        if (!day.empty())
            return false;
    }
    return true;
}

void TimeTable::Clear()
{
    for (auto& day : m_days)
        day.clear();
}

ConfigDocument::ConfigDocument() = default;

void ConfigDocument::InitialiseForStartUp(std::int16_t inputOneAsSensor)
{
    GeneralSettings.FS = 2;
    GeneralSettings.FTM = 2;
    GeneralSettings.FSB = 2;
    GeneralSettings.FTMB = 2;
    GeneralSettings.SMTPP = "25";
    GeneralSettings.SMTPH.clear();
    GeneralSettings.SNDADDR.clear();
    GeneralSettings.RPLYADDR.clear();
    ZelkSettings.S.fill(true);
    Saved = true;
    InputOneAsSensor = inputOneAsSensor;
}

void ConfigDocument::ResetConfig()
{
    ClearRules();
    GeneralSettings.FS = 2;
    GeneralSettings.FTM = 2;
    GeneralSettings.FSB = 2;
    GeneralSettings.FTMB = 2;
    GeneralSettings.SMTPP = "25";
    GeneralSettings.SMTPH.clear();
    GeneralSettings.SNDADDR.clear();
    GeneralSettings.RPLYADDR.clear();
    ZelkSettings.BC = 0;
    ZelkSettings.S.fill(true);
    ZelkSettings.MSK.fill(false);
}

void ConfigDocument::ClearRules()
{
    for (auto& rule : m_rules)
        rule.Actions.clear();
}

void ConfigDocument::ClearRule(int ruleIndex)
{
    if (!IsValidRule(ruleIndex))
        return;
    auto& rule = m_rules[static_cast<std::size_t>(ruleIndex)];
    if (rule.Actions.empty())
        return;
    rule.Actions.clear();
    Saved = false;
}

std::uint8_t ConfigDocument::AddAction(int ruleIndex, ActionRecord record)
{
    if (!IsValidRule(ruleIndex))
        return 0;
    auto& rule = m_rules[static_cast<std::size_t>(ruleIndex)];
    if (rule.Actions.size() >= SensorRule::MaxActions)
        return SensorRule::MaxActions;
    Saved = false;
    record.Deleted = false;
    rule.Actions.push_back(std::move(record));
    return static_cast<std::uint8_t>(rule.Actions.size() - 1);
}

void ConfigDocument::ReplaceAction(int ruleIndex, int actionIndex, const ActionRecord& record)
{
    ActionRecord* target = MutableAction(ruleIndex, actionIndex);
    if (!target)
        return;
    kor::TimeTable kept = std::move(target->TimeTable);
    *target = record;
    target->TimeTable = std::move(kept);
    target->Deleted = false;
}

void ConfigDocument::MarkDeleted(int ruleIndex, int actionIndex)
{
    if (ActionRecord* target = MutableAction(ruleIndex, actionIndex))
        target->Deleted = true;
}

std::vector<Interval> ConfigDocument::DayIntervals(int ruleIndex, int actionIndex, int day) const
{
    const ActionRecord* action = Action(ruleIndex, actionIndex);
    return action ? action->TimeTable.Day(day) : std::vector<Interval>{};
}

void ConfigDocument::AddInterval(int ruleIndex, int actionIndex, int day, const Interval& interval)
{
    ActionRecord* target = MutableAction(ruleIndex, actionIndex);
    if (!target || day < 1 || day > TimeTable::DayCount)
        return;
    Saved = false;
    target->TimeTable.Append(day, interval);
}

void ConfigDocument::RemoveInterval(int ruleIndex, int actionIndex, int day, int n)
{
    ActionRecord* target = MutableAction(ruleIndex, actionIndex);
    if (!target || day < 1 || day > TimeTable::DayCount)
        return;
    Saved = false;
    target->TimeTable.Remove(day, n);
}

const SensorRule& ConfigDocument::Rule(int ruleIndex) const
{
    return IsValidRule(ruleIndex) ? m_rules[static_cast<std::size_t>(ruleIndex)] : kEmptyRule;
}

const ActionRecord* ConfigDocument::Action(int ruleIndex, int actionIndex) const
{
    const SensorRule& rule = Rule(ruleIndex);
    if (actionIndex < 0 || static_cast<std::size_t>(actionIndex) >= rule.Actions.size())
        return nullptr;
    return &rule.Actions[static_cast<std::size_t>(actionIndex)];
}

bool ConfigDocument::HasAnyAction() const
{
    for (const auto& rule : m_rules) {
        if (rule.IsUsed())
            return true;
    }
    return false;
}

ActionRecord* ConfigDocument::MutableAction(int ruleIndex, int actionIndex)
{
    return const_cast<ActionRecord*>(Action(ruleIndex, actionIndex));
}

} // namespace kor
