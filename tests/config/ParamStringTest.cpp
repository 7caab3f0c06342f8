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
        {"value may hold '='", "URL", "URL=a=b\0"s, "a=b"},
        {"accented key folds like the text", "\xe9t\xe9", "\xc9T\xc9=1\0"s, "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetParam(c.key, c.text), c.expected) << c.what;
}

TEST(ParamString, ReplaceAllAndValueAfterEquals)
{
    const std::pair<std::string, std::string> cases[] = {
        // Replaced text is never searched again; find compares without case.
        {ReplaceAll("\0"s, "$", "A=1\0B=2\0"s), "A=1$B=2$"},
        {ReplaceAll("$", "\0"s, "A=1$B=2$"), "A=1\0B=2\0"s},
        {ReplaceAll("a", "aa", "banana"), "baanaanaa"},
        {ReplaceAll("AN", "-", "banana"), "b--a"},
        {ReplaceAll("", "x", "abc"), "abc"},
        // The value runs to the line feed; a CR before it stays.
        {ValueAfterEquals("x=12\r\ny=3"), "12\r"},
        {ValueAfterEquals(""), ""},
        {ValueAfterEquals("no equals\n"), ""},
        {ValueAfterEquals("a=\n"), ""},
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
}

TEST(ParamString, SplitTextCountsTerminatedPiecesAndStoresTheTail)
{
    using Pieces = std::vector<std::string>;
    struct Case
    {
        std::string text;
        std::string delimiter;
        Pieces before;
        int count;
        Pieces after;
    };
    const Case cases[] = {
        {"a;b;c", ";", {}, 2, {"a", "b", "c"}},
        {"a;b;", ";", {}, 2, {"a", "b"}},
        {"abc", ";", {}, 0, {"abc"}},
        {"", ";", {"kept"}, 0, {"kept"}},
        // The array is redimensioned to the pieces found, as a growable array would be.
        {";;", ";", {"x", "y", "z", "w"}, 2, {"", ""}},
        {"1x2X3", "x", {}, 2, {"1", "2", "3"}}, // delimiters found without case
    };
    for (const Case& c : cases) {
        Pieces pieces = c.before;
        EXPECT_EQ(SplitText(c.text, c.delimiter, pieces), c.count) << c.text;
        EXPECT_EQ(pieces, c.after) << c.text;
    }
}

TEST(ParamString, AppendParamBuildsNulTerminatedPairs)
{
    std::string params;
    AppendParam(params, "DISP", "1");
    AppendParam(params, "ON", "2");
    AppendParam(params, "SMS", "");
    EXPECT_EQ(params, "DISP=1\0ON=2\0SMS=\0"s);
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
