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

// The rules of the time table screen for one stored action: the current day, the intervals shown
// for it, adding, deleting, and the screen's own clipboard. Every change goes straight into the
// document; rows are the intervals' positions in the day.
class TimeTableForm
{
public:
    explicit TimeTableForm(ConfigDocument& doc) : m_doc(doc) {}

    void SetRule(int rule) { m_rule = rule; }
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

    // Removes the rows (any order).
    void Delete(std::vector<int> rows);
    // The rows the tool bar's delete button removes: the selected ones, else the first row.
    static std::vector<int> DeleteButtonRows(const std::vector<int>& selected, int rowCount);

    // Appends the rows' intervals, in row order, to the clipboard (which is not emptied first).
    void Copy(std::vector<int> rows);
    void Paste();
    // Every day but the one copied from.
    void PasteToAllDays();
    const std::vector<Interval>& Clipboard() const { return m_clipboard; }

    struct MenuState
    {
        bool Copy = false;
        bool Paste = false;
        bool PasteAll = false;
        bool operator==(const MenuState&) const = default;
    };
    MenuState Menu(bool anyRowSelected) const;

private:
    bool ActionExists() const;

    ConfigDocument& m_doc;
    int m_rule = 0;
    int m_action = 0;
    int m_day = 1;
    std::vector<Interval> m_clipboard;
    int m_copiedFrom = 1;
};

} // namespace kor
