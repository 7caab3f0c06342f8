#include "rules/TimeTableForm.h"

#include "app/Language.h"
#include "config/LangTextId.h"
#include "rules/TimeField.h"

#include <algorithm>

namespace kor {

namespace {

const int kDayNames[] = {LangTextId(1011), LangTextId(1012), LangTextId(1013), LangTextId(1014),
                         LangTextId(1015), LangTextId(1016), LangTextId(1017)};

// Minutes since midnight: what the files keep of a time.
int Minutes(const TimeOfDay& t)
{
    return t.Hour * 60 + t.Minute;
}

QString HourMinute(const TimeOfDay& t)
{
    return TimeText(t).left(5);
}

} // namespace

int DayNameText(int day)
{
    return day >= 1 && day <= TimeTable::DayCount ? kDayNames[day - 1] : 0;
}

TimeKey ClassifyTimeKey(int qtKey, const QString& text)
{
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return TimeKey::Add;
    if (qtKey == Qt::Key_Backspace || text.size() != 1 || !text[0].isPrint())
        return TimeKey::Pass;
    return text[0] >= u'0' && text[0] <= u'9' ? TimeKey::Digit : TimeKey::Discard;
}

bool TimeTableForm::SelectDay(int day)
{
    if (day < 1 || day > TimeTable::DayCount)
        return false;
    m_day = day;
    return true;
}

bool TimeTableForm::ActionExists() const
{
    return ConfigDocument::IsValidRule(m_rule) && m_action >= 0 && m_action < m_doc.ActionCount(m_rule);
}

std::vector<Interval> TimeTableForm::Rows() const
{
    return ActionExists() ? m_doc.DayIntervals(m_rule, m_action, m_day) : std::vector<Interval>{};
}

std::optional<Interval> TimeTableForm::IntervalToAdd(const QString& start, const QString& end)
{
    const std::optional<TimeOfDay> from = ReadTimeField(start);
    const std::optional<TimeOfDay> to = ReadTimeField(end);
    if (!from || !to || !IsLater(*to, *from))
        return std::nullopt;
    return Interval{*from, *to};
}

bool TimeTableForm::Add(const QString& start, const QString& end)
{
    const std::optional<Interval> interval = IntervalToAdd(start, end);
    if (!interval || !ActionExists())
        return false;
    m_doc.AddInterval(m_rule, m_action, m_day, *interval);
    return true;
}

std::optional<OvernightIntervals> TimeTableForm::OvernightToAdd(int day, const QString& start,
                                                                const QString& end)
{
    const std::optional<TimeOfDay> from = ReadTimeField(start);
    const std::optional<TimeOfDay> to = ReadTimeField(end);
    if (!from || !to || day < 1 || day > TimeTable::DayCount || !IsLater(*from, *to))
        return std::nullopt;
    OvernightIntervals split;
    split.Day = day;
    split.NextDay = day % TimeTable::DayCount + 1;
    if (Minutes(*from) < Minutes(kEndOfDay))
        split.Evening = Interval{*from, kEndOfDay};
    if (Minutes(*to) > 0)
        split.Morning = Interval{TimeOfDay{}, *to};
    if (!split.Evening && !split.Morning)
        return std::nullopt;
    return split;
}

QString TimeTableForm::OvernightQuestion(const OvernightIntervals& split)
{
    const QString day = LangText(DayNameText(split.Day));
    const QString nextDay = LangText(DayNameText(split.NextDay));
    if (!split.Morning)
        return LangText(1311).arg(day, HourMinute(split.Evening->Start), HourMinute(kEndOfDay));
    if (!split.Evening)
        return LangText(1312).arg(nextDay, HourMinute(split.Morning->End));
    return LangText(1310).arg(day, HourMinute(split.Evening->Start), HourMinute(kEndOfDay), nextDay,
                              HourMinute(split.Morning->End));
}

bool TimeTableForm::AddOvernight(const OvernightIntervals& split)
{
    if (!ActionExists())
        return false;
    if (split.Evening)
        m_doc.AddInterval(m_rule, m_action, split.Day, *split.Evening);
    if (split.Morning)
        m_doc.AddInterval(m_rule, m_action, split.NextDay, *split.Morning);
    return true;
}

void TimeTableForm::Delete(std::vector<int> rows)
{
    // From the last, so that the positions of the others stay valid.
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows)
        m_doc.RemoveInterval(m_rule, m_action, m_day, row);
}

std::vector<int> TimeTableForm::DeleteButtonRows(const std::vector<int>& selected, int rowCount)
{
    if (rowCount == 0)
        return {};
    return selected.empty() ? std::vector<int>{0} : selected;
}

void TimeTableForm::Copy(std::vector<int> rows)
{
    const std::vector<Interval> intervals = Rows();
    std::sort(rows.begin(), rows.end());
    for (const int row : rows) {
        if (row >= 0 && static_cast<std::size_t>(row) < intervals.size())
            m_clipboard.push_back(intervals[static_cast<std::size_t>(row)]);
    }
    m_copiedFrom = m_day;
}

void TimeTableForm::Paste()
{
    if (!ActionExists())
        return;
    for (const Interval& interval : m_clipboard)
        m_doc.AddInterval(m_rule, m_action, m_day, interval);
}

void TimeTableForm::CopyDay()
{
    m_clipboard = Rows();
    m_copiedFrom = m_day;
}

void TimeTableForm::PasteToDays(int lastDay)
{
    if (!ActionExists())
        return;
    for (int day = 1; day <= lastDay; ++day) {
        if (day == m_copiedFrom)
            continue;
        for (const Interval& interval : m_clipboard)
            m_doc.AddInterval(m_rule, m_action, day, interval);
    }
}

TimeTableForm::MenuState TimeTableForm::Menu(bool anyRowSelected) const
{
    return MenuState{anyRowSelected, !m_clipboard.empty(), !m_clipboard.empty()};
}

} // namespace kor
