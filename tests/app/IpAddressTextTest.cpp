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
        {"192.168.000.5", {"192", "168", "000", "5"}},
        {"300.1.2.999", {"300", "1", "2", "999"}}, // no range check
        {"1234", {nullptr, nullptr, nullptr, "1234"}},
        {"", {nullptr, nullptr, nullptr, ""}},
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
        {{QStringLiteral("300"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, "300.1.2.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinIpText(c.Boxes), QLatin1String(c.Expected));
}

TEST(IpAddressText, NoAddressReadsAsZeros)
{
    EXPECT_TRUE(IsEmptyIpText(u"0.0.0.0"));
    EXPECT_TRUE(IsEmptyIpText(u""));
    EXPECT_FALSE(IsEmptyIpText(u"0.0.0.1"));
    EXPECT_FALSE(IsEmptyIpText(u"10.0.0.0"));
}

} // namespace
} // namespace kor
