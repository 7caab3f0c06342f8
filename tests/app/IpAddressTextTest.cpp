#include "app/IpAddressText.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

TEST(IpAddressText, WritingSpreadsTheTextOverTheBoxes)
{
    struct Case
    {
        const char* Text;
        // What each box receives; nullptr leaves the box unchanged.
        std::array<const char*, 4> Boxes;
    };
    const Case cases[] = {
        {"10.1.2.3", {"10", "1", "2", "3"}},
        {"1234", {nullptr, nullptr, nullptr, "1234"}},
        // One dot: the third search starts again at the beginning and finds that dot.
        {"1.2", {"1", nullptr, "1", "2"}},
        {"1..2", {"1", "", nullptr, "1..2"}},
        {"1.2.3", {"1", "2", nullptr, "1.2.3"}},
        {".5.6.7", {"", "5", "6", "7"}},
        {"1.2.3.", {"1", "2", "3", ""}},
        {"1.2.3.4.5", {"1", "2", "3", "4.5"}},
    };
    for (const Case& c : cases) {
        const auto boxes = SplitIpText(QString::fromLatin1(c.Text));
        for (std::size_t i = 0; i < 4; ++i) {
            if (c.Boxes[i])
                EXPECT_EQ(boxes[i], std::optional<QString>(QString::fromLatin1(c.Boxes[i])))
                    << c.Text << " box " << i;
            else
                EXPECT_FALSE(boxes[i].has_value()) << c.Text << " box " << i << " must stay unchanged";
        }
    }
}

TEST(IpAddressText, ReadingJoinsTheBoxValues)
{
    struct Case
    {
        std::array<QString, 4> Boxes;
        const char* Expected;
    };
    const Case cases[] = {
        {{QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("0"), QStringLiteral("5")},
         "192.168.0.5"},
        {{QString(), QString(), QString(), QString()}, "0.0.0.0"},
        {{QStringLiteral("007"), QStringLiteral("010"), QStringLiteral("x"), QStringLiteral("1a")},
         "7.10.0.0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinIpText(c.Boxes), QLatin1String(c.Expected));
}

TEST(IpAddressText, NoAddressReadsAsZeros)
{
    EXPECT_TRUE(IsEmptyIpText(u"0.0.0.0"));
    EXPECT_TRUE(IsEmptyIpText(u""));
    EXPECT_FALSE(IsEmptyIpText(u"0.0.0.1"));
}

TEST(IpAddressText, KeysInTheBoxes)
{
    struct Case
    {
        std::array<const char*, 4> Boxes;
        int Box;
        int Caret;
        int Selected;
        char Key;
        bool Consumed;
        int Focus;             // -1: stays
        const char* FocusText; // nullptr: unchanged
    };
    const Case cases[] = {
        {{"19", "", "", ""}, 0, 2, 0, '2', false, -1, nullptr},   // the box takes the digit
        {{"25", "", "", ""}, 0, 2, 0, '6', true, -1, nullptr},    // 256 is refused
        {{"25", "", "", ""}, 0, 0, 0, '3', true, -1, nullptr},    // 325, wherever the digit goes
        {{"255", "", "", ""}, 0, 0, 3, '9', false, -1, nullptr},  // typed over the selection: 9
        {{"192", "1", "", ""}, 0, 3, 0, '6', true, 1, "16"},      // a full box: on into the next
        {{"192", "26", "", ""}, 0, 3, 0, '6', true, 1, nullptr},  // 266 would not be an octet
        {{"192", "168", "", ""}, 0, 3, 0, '1', true, 1, nullptr}, // the next box is full
        {{"", "", "", "123"}, 3, 3, 0, '4', true, -1, nullptr},   // the last box drops it
        {{"1", "", "", ""}, 0, 1, 0, '.', true, 1, nullptr},
        {{"1", "", "", ""}, 3, 1, 0, ' ', true, -1, nullptr},
        {{"1", "", "", ""}, 0, 1, 0, 'a', true, -1, nullptr},
        {{"1", "", "", ""}, 0, 1, 0, '\b', false, -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Boxes[c.Box]) + " box " + std::to_string(c.Box) + " key " + c.Key);
        std::array<QString, 4> boxes;
        for (std::size_t i = 0; i < 4; ++i)
            boxes[i] = QString::fromLatin1(c.Boxes[i]);
        const IpKeyOutcome outcome =
            IpCharacterKey(boxes, c.Box, c.Caret, c.Selected, QChar::fromLatin1(c.Key));
        EXPECT_EQ(outcome.Consumed, c.Consumed);
        EXPECT_EQ(outcome.FocusBox, c.Focus);
        EXPECT_EQ(outcome.FocusBoxText,
                  c.FocusText ? std::optional<QString>(QString::fromLatin1(c.FocusText)) : std::nullopt);
    }
    // Arrows cross an edge only at it and without a selection.
    EXPECT_EQ(IpArrowKey(1, 0, false, true).FocusBox, 0);
    EXPECT_EQ(IpArrowKey(0, 0, false, true).FocusBox, -1);
    EXPECT_EQ(IpArrowKey(1, 0, true, true).FocusBox, -1);
    EXPECT_EQ(IpArrowKey(1, 2, false, false).FocusBox, 2);
    EXPECT_EQ(IpArrowKey(1, 2, false, false).Caret, 0);
    EXPECT_EQ(IpArrowKey(1, 3, false, false).FocusBox, -1) << "the end of a full box stays";
    EXPECT_EQ(IpArrowKey(3, 2, false, false).FocusBox, -1);
}

} // namespace
} // namespace kor
