#include "app/Language.h"
#include "rules/TimeField.h"
#include "rules/TimeTableForm.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kor {
namespace {

TEST(TimeTable, DigitsOverwriteInPlaceAndLeavingChecksTheTime)
{
    // Text, caret, 7 typed: text, caret.
    const std::tuple<const char*, int, const char*, int> typed[] = {
        {"00:00:00", 8, "00:00:07", 8}, // at the end: the last character
        {"00:00:00", 2, "00:70:00", 4}, // before a colon: past it
        {"00:00:00", 5, "00:00:70", 7},
        {"0:00:00", 7, "0:00:07", 7}, // a shorter text (after Backspace) keeps its length
        {"", 0, "7", 1},
    };
    for (const auto& [text, caret, expected, expectedCaret] : typed) {
        const TimeTyping result = TypeTimeDigit(QLatin1String(text), caret, u'7');
        EXPECT_EQ(result.Text, QLatin1String(expected)) << text << " @" << caret;
        EXPECT_EQ(result.Caret, expectedCaret) << text << " @" << caret;
    }

    const std::pair<const char*, const char*> left[] = {
        {"23:59:59", "23:59:59"}, {"24:00:00", "00:00:00"},   {"12:60:00", "00:00:00"},
        {"12:00:60", "00:00:00"}, {"8:5", "08:05:00"},        {"1230:00", "00:00:00"},
        {"12:30:", "00:00:00"},   {" 07:15:00 ", "07:15:00"},
    };
    for (const auto& [text, expected] : left)
        EXPECT_EQ(LeaveTimeField(QLatin1String(text)), QLatin1String(expected)) << text;
    EXPECT_EQ(ClassifyTimeKey(0, QString::fromUtf8("\xD9\xA3")), TimeKey::Discard) << "an Arabic-Indic 3";
}

TEST(TimeTable, AnIntervalIsAddedOnlyWhenBothTimesReadAndTheEndIsLater)
{
    const std::tuple<const char*, const char*, std::optional<Interval>> cases[] = {
        {"08:00:00", "12:30:15", Interval{{8, 0, 0}, {12, 30, 15}}},
        {"08:00:00", "08:00:00", std::nullopt},
        {"09:00:00", "08:00:00", std::nullopt},
        {"25:00:00", "08:00:00", std::nullopt}, // "25" typed, then Enter: not midnight
        {"08:00:00", "", std::nullopt},
    };
    for (const auto& [start, end, added] : cases)
        EXPECT_EQ(TimeTableForm::IntervalToAdd(QLatin1String(start), QLatin1String(end)), added)
            << start << "-" << end;
}

TEST(TimeTable, AnIntervalAcrossMidnightIsOfferedAsTwo)
{
    const TimeOfDay midnight{};
    const std::tuple<int, const char*, const char*, std::optional<OvernightIntervals>> cases[] = {
        {1, "22:00:00", "06:00:00",
         OvernightIntervals{1, Interval{{22, 0, 0}, kEndOfDay}, 2, Interval{midnight, {6, 0, 0}}}},
        {7, "22:30:00", "06:15:00",
         OvernightIntervals{7, Interval{{22, 30, 0}, kEndOfDay}, 1, Interval{midnight, {6, 15, 0}}}},
        {3, "22:00:00", "00:00:00", OvernightIntervals{3, Interval{{22, 0, 0}, kEndOfDay}, 4, std::nullopt}},
        {3, "23:59:10", "00:30:00", OvernightIntervals{3, std::nullopt, 4, Interval{midnight, {0, 30, 0}}}},
        {3, "23:59:10", "00:00:20", std::nullopt}, // no whole minute on either side
        {3, "08:00:00", "08:00:00", std::nullopt},
        {3, "06:00:00", "22:00:00", std::nullopt}, // an ordinary interval
        {3, "25:00:00", "06:00:00", std::nullopt},
    };
    for (const auto& [day, start, end, split] : cases)
        EXPECT_EQ(TimeTableForm::OvernightToAdd(day, QLatin1String(start), QLatin1String(end)), split)
            << day << " " << start << "-" << end;

    ASSERT_TRUE(test::IsOk(LoadLanguageByCode(u"en")));
    const auto question = [](const char* start, const char* end) {
        return TimeTableForm::OvernightQuestion(
            *TimeTableForm::OvernightToAdd(7, QLatin1String(start), QLatin1String(end)));
    };
    EXPECT_EQ(question("22:00:00", "06:00:00"),
              QStringLiteral("The end is before the start. Keep it as two intervals: Sunday from 22:00 to "
                             "23:59, and Monday from 00:00 to 06:00?"));
    EXPECT_TRUE(question("22:00:00", "00:00:00").contains(QStringLiteral("Sunday from 22:00 to 23:59")));
    EXPECT_TRUE(question("23:59:30", "01:00:00").contains(QStringLiteral("Monday from 00:00 to 01:00")));
    FreeLanguage();
}

TEST(TimeTable, DaysDeletingAndTheScreensClipboard)
{
    ConfigDocument doc;
    doc.AddAction(3, ActionRecord{});
    doc.AddAction(3, ActionRecord{});
    TimeTableForm form(doc);
    form.SetRule(3);
    form.SetAction(1);
    EXPECT_FALSE(form.SelectDay(8));
    ASSERT_TRUE(form.SelectDay(3));
    const Interval morning{{8, 0, 0}, {12, 0, 0}};
    const Interval evening{{18, 0, 0}, {23, 0, 0}};
    ASSERT_TRUE(form.Add(QStringLiteral("08:00:00"), QStringLiteral("12:00:00")));
    ASSERT_TRUE(form.Add(QStringLiteral("18:00:00"), QStringLiteral("23:00:00")));
    EXPECT_EQ(form.Rows(), (std::vector<Interval>{morning, evening}));
    EXPECT_TRUE(doc.DayIntervals(3, 0, 3).empty()) << "only the action being edited";

    EXPECT_EQ(form.Menu(false), (TimeTableForm::MenuState{false, false, false}));
    form.Copy({1, 0});
    form.Copy({0}); // a copy does not empty the clipboard
    EXPECT_EQ(form.Clipboard(), (std::vector<Interval>{morning, evening, morning}));
    EXPECT_EQ(form.Menu(true), (TimeTableForm::MenuState{true, true, true}));
    form.SelectDay(5);
    form.Paste();
    EXPECT_EQ(form.Rows().size(), 3u);

    // The buttons: a copied day replaces the clipboard; Monday-Friday leaves the weekend alone.
    EXPECT_EQ(form.Buttons(), (TimeTableForm::DayButtons{true, true}));
    form.SelectDay(3);
    form.CopyDay();
    EXPECT_EQ(form.Clipboard(), (std::vector<Interval>{morning, evening}));
    form.PasteToWeekdays();
    for (const auto& [day, count] : {std::pair{1, 2u}, {2, 2u}, {3, 2u}, {5, 5u}, {6, 0u}, {7, 0u}})
        EXPECT_EQ(doc.DayIntervals(3, 1, day).size(), count) << day;
    const auto overnight = form.Overnight(QStringLiteral("22:00:00"), QStringLiteral("06:00:00"));
    ASSERT_TRUE(overnight && form.AddOvernight(*overnight));
    EXPECT_EQ(doc.DayIntervals(3, 1, 4).back(), (Interval{{0, 0, 0}, {6, 0, 0}})) << "the next day";
    form.SelectDay(6);
    EXPECT_EQ(form.Buttons(), (TimeTableForm::DayButtons{false, true})) << "an empty day has nothing to copy";

    EXPECT_EQ(TimeTableForm::DeleteButtonRows({}, 0), std::vector<int>{});
    EXPECT_EQ(TimeTableForm::DeleteButtonRows({}, 2), std::vector<int>{0});
    EXPECT_EQ(TimeTableForm::DeleteButtonRows({1}, 2), std::vector<int>{1});
    form.SetAction(7); // beyond the rule: nothing shown, nothing added
    EXPECT_FALSE(form.Add(QStringLiteral("08:00:00"), QStringLiteral("09:00:00")));
    EXPECT_TRUE(form.Rows().empty());
}

} // namespace
} // namespace kor
