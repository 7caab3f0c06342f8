#pragma once

#include "config/ConfigDocument.h"

#include <QString>

#include <optional>
#include <vector>

namespace kor {

// What a key pressed in a time field does: Enter adds the interval, Backspace, navigation and
// shortcuts are left to the field, a digit overwrites in place (TypeTimeDigit), any other
// printable character is discarded.
enum class TimeKey
{
    Add,
    Pass,
    Digit,
    Discard
};
TimeKey ClassifyTimeKey(int qtKey, const QString& text);

// The language text naming day 1..7 (Monday to Sunday).
int DayNameText(int day);

// The end of a day as the files can hold it: they keep hours 0..23 and minutes, so the last
// minute (23:59, its seconds kept in the document only).
inline constexpr TimeOfDay kEndOfDay{23, 59, 59};

// An interval typed across midnight (its end before its start), kept as two: this day from the
// start to the end of the day, the next day (Sunday wraps to Monday) from midnight to the end.
// A part that would hold no whole minute is left out (an end at midnight leaves only the first).
struct OvernightIntervals
{
    int Day = 1;
    std::optional<Interval> Evening;
    int NextDay = 2;
    std::optional<Interval> Morning;

    bool operator==(const OvernightIntervals&) const = default;
};

// The rules of the time table screen for one stored action: the current day, the intervals shown
// for it, adding, deleting, and the screen's own clipboard. Every change goes straight into the
// document; rows are the intervals' positions in the day.
class TimeTableForm
{
public:
    explicit TimeTableForm(ConfigDocument& doc) : m_doc(doc) {}

    void SetRule(int rule) { m_rule = rule; }
    int Rule() const { return m_rule; }
    void SetAction(int action) { m_action = action; }
    int Day() const { return m_day; }
    // Day 1..7 becomes current; another number changes nothing.
    bool SelectDay(int day);

    // The intervals of the current day; none when the action is beyond the rule.
    std::vector<Interval> Rows() const;

    // The interval an add would store: nothing when the start or the end does not read as a time
    // of day, or when the end is not after the start.
    static std::optional<Interval> IntervalToAdd(const QString& start, const QString& end);
    bool Add(const QString& start, const QString& end);

    // What an add that stores nothing could store instead, when the end is before the start.
    static std::optional<OvernightIntervals> OvernightToAdd(int day, const QString& start,
                                                            const QString& end);
    std::optional<OvernightIntervals> Overnight(const QString& start, const QString& end) const
    {
        return OvernightToAdd(m_day, start, end);
    }
    // The question that offers the split, naming the days and times.
    static QString OvernightQuestion(const OvernightIntervals& split);
    bool AddOvernight(const OvernightIntervals& split);

    // Removes the rows (any order).
    void Delete(std::vector<int> rows);
    // The rows the tool bar's delete button removes: the selected ones, else the first row.
    static std::vector<int> DeleteButtonRows(const std::vector<int>& selected, int rowCount);

    // Appends the rows' intervals, in row order, to the clipboard (which is not emptied first).
    void Copy(std::vector<int> rows);
    void Paste();
    // Every day but the one copied from.
    void PasteToAllDays() { PasteToDays(TimeTable::DayCount); }
    // Monday to Friday, but the day copied from.
    void PasteToWeekdays() { PasteToDays(5); }
    // The buttons' copy: the clipboard becomes the whole current day.
    void CopyDay();
    const std::vector<Interval>& Clipboard() const { return m_clipboard; }

    struct MenuState
    {
        bool Copy = false;
        bool Paste = false;
        bool PasteAll = false;
        bool operator==(const MenuState&) const = default;
    };
    MenuState Menu(bool anyRowSelected) const;
    // The buttons beside the list: copying a day that has intervals, pasting what was copied.
    struct DayButtons
    {
        bool CopyDay = false;
        bool Paste = false;
        bool operator==(const DayButtons&) const = default;
    };
    DayButtons Buttons() const { return {!Rows().empty(), !m_clipboard.empty()}; }

private:
    bool ActionExists() const;
    void PasteToDays(int lastDay);

    ConfigDocument& m_doc;
    int m_rule = 0;
    int m_action = 0;
    int m_day = 1;
    std::vector<Interval> m_clipboard;
    int m_copiedFrom = 1;
};

} // namespace kor
