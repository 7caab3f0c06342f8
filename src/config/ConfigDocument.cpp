#include "config/ConfigDocument.h"

#include <algorithm>

namespace kor {

namespace {
const SensorRule kEmptyRule;

bool IsValidDay(int day)
{
    return day >= 1 && day <= TimeTable::DayCount;
}
} // namespace

TimeTable TimeTable::Shared(std::shared_ptr<const void> owner, const Interval* intervals, const DayEnds& ends)
{
    TimeTable table;
    if (ends.back() == 0)
        return table;
    table.m_owner = std::move(owner);
    table.m_intervals = intervals;
    table.m_ends = ends;
    return table;
}

std::span<const Interval> TimeTable::Day(int day) const
{
    if (!IsValidDay(day))
        return {};
    const std::uint32_t begin = day == 1 ? 0 : m_ends[static_cast<std::size_t>(day - 2)];
    return {m_intervals + begin, m_intervals + m_ends[static_cast<std::size_t>(day - 1)]};
}

void TimeTable::Rebuild(int day, std::span<const Interval> replacement)
{
    const std::span<const Interval> old = Day(day);
    const std::size_t total = m_ends.back() - old.size() + replacement.size();
    if (total == 0) {
        Clear();
        return;
    }
    std::shared_ptr<Interval[]> block = std::make_shared_for_overwrite<Interval[]>(total);
    Interval* out = block.get();
    const Interval* oldBlock = m_intervals;
    out = std::copy(oldBlock, old.data(), out);
    out = std::copy(replacement.begin(), replacement.end(), out);
    std::copy(old.data() + old.size(), oldBlock + m_ends.back(), out);
    const auto grown = static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(old.size());
    for (int d = day; d <= DayCount; ++d)
        m_ends[static_cast<std::size_t>(d - 1)] =
            static_cast<std::uint32_t>(m_ends[static_cast<std::size_t>(d - 1)] + grown);
    m_intervals = block.get();
    m_owner = std::move(block);
}

void TimeTable::Append(int day, const Interval& interval)
{
    if (!IsValidDay(day))
        return;
    std::vector<Interval> list(Day(day).begin(), Day(day).end());
    list.push_back(interval);
    Rebuild(day, list);
}

void TimeTable::Remove(int day, int n)
{
    if (!IsValidDay(day))
        return;
    const std::span<const Interval> old = Day(day);
    if (n < 0 || static_cast<std::size_t>(n) >= old.size())
        return;
    std::vector<Interval> list(old.begin(), old.end());
    list.erase(list.begin() + n);
    Rebuild(day, list);
}

void TimeTable::SetDay(int day, std::span<const Interval> intervals)
{
    if (IsValidDay(day))
        Rebuild(day, intervals);
}

bool TimeTable::operator==(const TimeTable& other) const
{
    return m_ends == other.m_ends && std::equal(m_intervals, m_intervals + m_ends.back(), other.m_intervals);
}

ConfigDocument::ConfigDocument() = default;

// The buffer sizes and the mail server as a new configuration has them; the alarm centre's values
// stay.
void ConfigDocument::ResetMailAndBuffers()
{
    GeneralSettings.FS = 2;
    GeneralSettings.FTM = 2;
    GeneralSettings.FSB = 2;
    GeneralSettings.FTMB = 2;
    GeneralSettings.SMTPP = "25";
    GeneralSettings.SMTPH.clear();
    GeneralSettings.SNDADDR.clear();
    GeneralSettings.RPLYADDR.clear();
}

void ConfigDocument::InitialiseForStartUp(std::int16_t inputOneAsSensor)
{
    ResetMailAndBuffers();
    ZelkSettings.S.fill(true);
    Saved = true;
    InputOneAsSensor = inputOneAsSensor;
}

void ConfigDocument::ResetConfig()
{
    ClearRules();
    ResetMailAndBuffers();
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

void ConfigDocument::SetRule(int ruleIndex, SensorRule rule)
{
    if (IsValidRule(ruleIndex))
        m_rules[static_cast<std::size_t>(ruleIndex)] = std::move(rule);
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

void ConfigDocument::ReserveActions(int ruleIndex, std::size_t count)
{
    if (IsValidRule(ruleIndex))
        m_rules[static_cast<std::size_t>(ruleIndex)].Actions.reserve(
            std::min<std::size_t>(count, SensorRule::MaxActions));
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
    if (!action)
        return {};
    const std::span<const Interval> intervals = action->TimeTable.Day(day);
    return {intervals.begin(), intervals.end()};
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
