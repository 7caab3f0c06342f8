#pragma once

#include "config/ParamText.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kor {

// One time of day as entered in the time table screen; files keep hours and minutes only.
struct TimeOfDay
{
    std::uint8_t Hour = 0;
    std::uint8_t Minute = 0;
    std::uint8_t Second = 0;

    bool operator==(const TimeOfDay&) const = default;
};

struct Interval
{
    TimeOfDay Start;
    TimeOfDay End;

    bool operator==(const Interval&) const = default;
};

// Weekly gate of an action: days 1..7 (Monday to Sunday), each an ordered list of intervals.
// A day without intervals is absent. All intervals lie in one block, day after day; a table read
// from a configuration text keeps them inside the loaded text, which it keeps alive. The block never
// changes once built (an edit builds a new one), so copies share it.
class TimeTable
{
public:
    static constexpr int DayCount = 7;
    // End of each day's intervals in the block, for days 1..7.
    using DayEnds = std::array<std::uint32_t, DayCount>;

    TimeTable() = default;
    // Intervals that owner keeps alive, days one after the other as ends tells.
    static TimeTable Shared(std::shared_ptr<const void> owner, const Interval* intervals,
                            const DayEnds& ends);

    // Intervals of day 1..7; empty for an absent day or a day number out of range.
    std::span<const Interval> Day(int day) const;
    void Append(int day, const Interval& interval);
    // Removes the n-th interval of a day; nothing happens when there is no such interval.
    void Remove(int day, int n);
    void SetDay(int day, std::span<const Interval> intervals);
    bool IsEmpty() const { return m_ends.back() == 0; }
    void Clear() { *this = TimeTable(); }

    bool operator==(const TimeTable& other) const;

private:
    // Replaces the intervals of one day by replacement, in a new block.
    void Rebuild(int day, std::span<const Interval> replacement);

    std::shared_ptr<const void> m_owner;
    const Interval* m_intervals = nullptr;
    DayEnds m_ends{};
};

enum ActionType : std::int32_t
{
    ActOutput = 0,
    ActRecord = 1,
    ActCall = 2,
    ActMove = 3,
    ActNotify = 4,
    ActRemoteAlarm = 5,
    ActUser = 6,
    ActMail = 7,
    ActFtp = 8,
    ActContactId = 9,
};

struct ActionRecord
{
    std::int32_t Type = 0;
    std::string Name;
    // KEY=VALUE pairs, each ended by one NUL byte.
    ParamText Params;
    kor::TimeTable TimeTable;
    bool Deleted = false;

    bool operator==(const ActionRecord&) const = default;
};

struct SensorRule
{
    static constexpr int MaxActions = 255;

    std::vector<ActionRecord> Actions;

    std::uint8_t ActionCount() const { return static_cast<std::uint8_t>(Actions.size()); }
    bool IsUsed() const { return !Actions.empty(); }

    bool operator==(const SensorRule&) const = default;
};

struct GeneralSettings
{
    std::uint8_t FS = 0;
    std::uint8_t FTM = 0;
    std::uint8_t FSB = 0;
    std::uint8_t FTMB = 0;
    std::string SMTPH;
    std::string SMTPP;
    std::string SNDADDR;
    std::string RPLYADDR;
    std::string CIDHEAD;
    std::string CLIENTNUM;
    std::string CRAIP;
    std::string CRAPORT;

    bool operator==(const GeneralSettings&) const = default;
};

struct ZelkSettings
{
    std::int16_t BC = 0;
    std::array<bool, 8> S{};
    std::array<bool, 6> MSK{};

    bool operator==(const ZelkSettings&) const = default;
};

// The alarm configuration being edited. Every operation is bounds-checked: a wrong rule, action
// or day index changes nothing and reads as empty.
class ConfigDocument
{
public:
    static constexpr int RuleCount = 121;

    ConfigDocument();

    // The defaults the start-up gives a fresh document.
    void InitialiseForStartUp(std::int16_t inputOneAsSensor);

    void ResetConfig();
    void ClearRules();
    // Empties one rule (the source was removed from the catalogue).
    void ClearRule(int ruleIndex);
    // Puts a rule back as it was (the window's undo history); Saved is left to the caller.
    void SetRule(int ruleIndex, SensorRule rule);

    std::uint8_t AddAction(int ruleIndex, ActionRecord record);
    // Makes room for count actions in a rule before a load adds them.
    void ReserveActions(int ruleIndex, std::size_t count);
    void ReplaceAction(int ruleIndex, int actionIndex, const ActionRecord& record);
    void MarkDeleted(int ruleIndex, int actionIndex);

    std::vector<Interval> DayIntervals(int ruleIndex, int actionIndex, int day) const;
    void AddInterval(int ruleIndex, int actionIndex, int day, const Interval& interval);
    void RemoveInterval(int ruleIndex, int actionIndex, int day, int n);

    // Read access; an index out of range gives an empty rule, or nullptr for an action.
    const SensorRule& Rule(int ruleIndex) const;
    const ActionRecord* Action(int ruleIndex, int actionIndex) const;
    std::uint8_t ActionCount(int ruleIndex) const { return Rule(ruleIndex).ActionCount(); }
    bool IsRuleUsed(int ruleIndex) const { return Rule(ruleIndex).IsUsed(); }
    bool HasAnyAction() const;

    static bool IsValidRule(int ruleIndex) { return ruleIndex >= 0 && ruleIndex < RuleCount; }

    kor::GeneralSettings GeneralSettings;
    kor::ZelkSettings ZelkSettings;
    std::int16_t InputOneAsSensor = 0;
    bool Saved = false;
    std::string CurrentFileName;

private:
    ActionRecord* MutableAction(int ruleIndex, int actionIndex);
    void ResetMailAndBuffers();

    std::array<SensorRule, RuleCount> m_rules;
};

} // namespace kor
