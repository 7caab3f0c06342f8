#include "config/ParamString.h"
#include "config/ValueRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace std::string_literals;

namespace kor {
namespace {

struct GetParamCase
{
    const char* what;
    std::string key;
    std::string text;
    std::string expected;
};

TEST(ParamString, GetParamMatchesFirstTextualOccurrence)
{
    const GetParamCase cases[] = {
        {"key compared without case", "tp", "#ACTION=x\0TP=3\0"s, "3"},
        {"tail of a longer key wins when first", "IP", "CRAIP=10.0.0.1\0IP=10.0.0.2\0"s, "10.0.0.1"},
        {"last pair needs its NUL", "A", "A=1", ""},
        {"empty value reads like a missing key", "SMS", "SMS=\0TLFNO=5\0"s, ""},
        {"missing key", "X", "A=1\0"s, ""},
        {"value keeps its case", "name", "NAME=Porch\0"s, "Porch"},
        {"value may hold '='", "URL", "URL=a=b\0"s, "a=b"},
        {"accented key folds like the text", "\xe9t\xe9", "\xc9T\xc9=1\0"s, "1"},
        {"empty text", "A", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetParam(c.key, c.text), c.expected) << c.what;
}

TEST(ParamString, ReplaceAllDoesNotRescanReplacedText)
{
    EXPECT_EQ(ReplaceAll("\0"s, "$", "A=1\0B=2\0"s), "A=1$B=2$");
    EXPECT_EQ(ReplaceAll("$", "\0"s, "A=1$B=2$"), "A=1\0B=2\0"s);
    EXPECT_EQ(ReplaceAll("a", "aa", "banana"), "baanaanaa");
    EXPECT_EQ(ReplaceAll("AN", "-", "banana"), "b--a");
    EXPECT_EQ(ReplaceAll("", "x", "abc"), "abc");
    EXPECT_EQ(ReplaceAll("x", "y", ""), "");
}

TEST(ParamString, ValueAfterEqualsStopsAtLineFeedAndKeepsCarriageReturn)
{
    EXPECT_EQ(ValueAfterEquals("x=12\r\ny=3"), "12\r");
    EXPECT_EQ(ValueAfterEquals("Audio.A0.AlarmLevel=50"), "50");
    EXPECT_EQ(ValueAfterEquals(""), "");
    EXPECT_EQ(ValueAfterEquals("no equals\n"), "");
    EXPECT_EQ(ValueAfterEquals("a=\n"), "");
}

TEST(ParamString, SplitTextCountsTerminatedPiecesAndStoresTheTail)
{
    std::vector<std::string> pieces;
    EXPECT_EQ(SplitText("a;b;c", ";", pieces), 2);
    EXPECT_EQ(pieces, (std::vector<std::string>{"a", "b", "c"}));

    pieces.clear();
    EXPECT_EQ(SplitText("a;b;", ";", pieces), 2);
    EXPECT_EQ(pieces, (std::vector<std::string>{"a", "b"}));

    pieces.clear();
    EXPECT_EQ(SplitText("abc", ";", pieces), 0);
    EXPECT_EQ(pieces, (std::vector<std::string>{"abc"}));

    pieces = {"kept"};
    EXPECT_EQ(SplitText("", ";", pieces), 0);
    EXPECT_EQ(pieces, (std::vector<std::string>{"kept"}));

    // The array is redimensioned to the pieces found, as a growable array would be.
    pieces = {"x", "y", "z", "w"};
    EXPECT_EQ(SplitText(";;", ";", pieces), 2);
    EXPECT_EQ(pieces, (std::vector<std::string>{"", ""}));

    // Delimiters are found without regard to case.
    pieces.clear();
    EXPECT_EQ(SplitText("1x2X3", "x", pieces), 2);
    EXPECT_EQ(pieces, (std::vector<std::string>{"1", "2", "3"}));
}

TEST(ParamString, AppendParamBuildsNulTerminatedPairs)
{
    std::string params;
    AppendParam(params, "DISP", "1");
    AppendParam(params, "ON", "2");
    AppendParam(params, "SMS", "");
    EXPECT_EQ(params, "DISP=1\0ON=2\0SMS=\0"s);
    EXPECT_EQ(GetParam("on", params), "2");
}

TEST(ValueRules, EachKindRefusesWhatWouldSplitItsValue)
{
    // For each byte: may it stand in a PARAMS value, a line value, a companion-file line?
    const std::pair<char, const char*> cases[] = {
        {'\0', "--y"}, {';', "--y"}, {'$', "-yy"}, {'\r', "--y"},   {'\n', "---"},
        {'a', "yyy"},  {'=', "yyy"}, {'#', "yyy"}, {'\xe9', "yyy"},
    };
    const ValueKind kinds[] = {ValueKind::Param, ValueKind::Line, ValueKind::CompanionLine};
    for (const auto& [byte, allowed] : cases) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(CanCarry(kinds[k], byte), allowed[k] == 'y') << int(byte) << " kind " << k;
    }
    EXPECT_EQ(FirstRefusedByte(ValueKind::Param, "p$$w;d"), '$');
    EXPECT_EQ(FirstRefusedByte(ValueKind::Line, "p$$w;d"), ';');
    EXPECT_EQ(FirstRefusedByte(ValueKind::Line, "plain"), std::nullopt);
    // Typed text: a character Windows-1252 lacks is refused for every kind; the euro sign has a byte.
    EXPECT_EQ(FirstRefusedCharacter(ValueKind::CompanionLine, u"a\u2192b;"), U'\u2192');
    EXPECT_EQ(FirstRefusedCharacter(ValueKind::Param, u"\u20ac 5"), std::nullopt);
    EXPECT_EQ(FirstRefusedCharacter(ValueKind::Param, u"x\U0001F600"), U'\U0001F600');
    EXPECT_EQ(FirstRefusedCharacter(ValueKind::Line, u"a\r\n"), U'\r');
}

} // namespace
} // namespace kor
