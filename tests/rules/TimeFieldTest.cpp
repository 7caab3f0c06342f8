#include "rules/TimeField.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

TEST(TimeField, DigitsOverwriteInPlaceAndSkipTheColons)
{
    // 1, 2, 3, 0 typed into "00:00:00" from the start.
    TimeTyping typing{QStringLiteral("00:00:00"), 0};
    for (const QChar digit : QStringLiteral("1230"))
        typing = TypeTimeDigit(typing.Text, typing.Caret, digit);
    EXPECT_EQ(typing.Text, QStringLiteral("12:30:00"));
    EXPECT_EQ(typing.Caret, 5);

    struct Case
    {
        const char* Text;
        int Caret;
        char Digit;
        const char* Expected;
        int ExpectedCaret;
    };
    const Case cases[] = {
        {"00:00:00", 8, '7', "00:00:07", 8}, // at the end: the last character
        {"00:00:00", 2, '5', "00:50:00", 4}, // before a colon: past it
        {"00:00:00", 5, '5', "00:00:50", 7},
        {"00:00:00", 3, '4', "00:40:00", 4},
        {"0:00:00", 7, '9', "0:00:09", 7}, // a shorter text (after Backspace) keeps its length
        {"", 0, '3', "3", 1},
    };
    for (const Case& c : cases) {
        const TimeTyping typed = TypeTimeDigit(QLatin1String(c.Text), c.Caret, QLatin1Char(c.Digit));
        EXPECT_EQ(typed.Text, QLatin1String(c.Expected)) << c.Text << " @" << c.Caret;
        EXPECT_EQ(typed.Caret, c.ExpectedCaret) << c.Text << " @" << c.Caret;
    }
}

TEST(TimeField, LeavingReformatsOrResets)
{
    const std::pair<const char*, const char*> cases[] = {
        {"08:05:00", "08:05:00"}, {"23:59:59", "23:59:59"}, {"24:00:00", "00:00:00"},
        {"12:60:00", "00:00:00"}, {"12:00:60", "00:00:00"}, {"8:5:0", "08:05:00"},
        {"8:05", "08:05:00"},     {"1230:00", "00:00:00"},  {"", "00:00:00"},
        {"ab:cd:ef", "00:00:00"}, {"12:30:", "00:00:00"},   {" 07:15:00 ", "07:15:00"},
    };
    for (const auto& [text, left] : cases)
        EXPECT_EQ(LeaveTimeField(QLatin1String(text)), QLatin1String(left)) << text;
}

TEST(TimeField, ReadingAndComparingTimes)
{
    EXPECT_EQ(ReadTimeField(QStringLiteral("08:30:15")), (TimeOfDay{8, 30, 15}));
    EXPECT_EQ(ReadTimeField(QStringLiteral("99:00:00")), TimeOfDay{});
    EXPECT_EQ(TimeText(TimeOfDay{8, 5, 0}), QStringLiteral("08:05:00"));
    EXPECT_TRUE(IsLater(TimeOfDay{8, 0, 1}, TimeOfDay{8, 0, 0}));
    EXPECT_FALSE(IsLater(TimeOfDay{8, 0, 0}, TimeOfDay{8, 0, 0}));
    EXPECT_FALSE(IsLater(TimeOfDay{7, 59, 59}, TimeOfDay{8, 0, 0}));
}

} // namespace
} // namespace kor
