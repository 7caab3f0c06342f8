#include "actions/ActionParams.h"
#include "config/ParamString.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

using namespace std::string_literals;

TEST(ActionParams, ReadParamMatchesWholeKeysOnly)
{
    struct Case
    {
        std::string Params;
        const char* Key;
        const char* Expected;
        const char* GetParamGives; // where the two differ, what the substring search finds
    };
    const Case cases[] = {
        {"DISP=1\0ON=2\0"s, "ON", "2", "2"},
        {"DISP=1\0ON=2\0"s, "on", "2", "2"},
        {"CRAIP=10.0.0.1\0IP=10.0.0.2\0"s, "IP", "10.0.0.2", "10.0.0.1"},
        {"PWD=aTM=5\0TM=10S\0"s, "TM", "10S", "5"},
        {"A=1"s, "A", "", ""},           // the last pair must be ended
        {"A=\0B=2\0"s, "A", "", ""},     // empty value
        {"B=2\0"s, "A", "", ""},         // missing
        {"X\0A=1\0"s, "A", "1", "1"},    // a piece without "=" is passed over
        {"A=1=2\0"s, "A", "1=2", "1=2"}, // the value runs to the NUL
        {"A=1\0A=2\0"s, "A", "1", "1"},  // the first pair wins
        {""s, "A", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadParam(c.Params, c.Key), c.Expected) << c.Key;
        EXPECT_EQ(GetParam(c.Key, c.Params), c.GetParamGives) << c.Key;
    }
}

TEST(ActionParams, PositiveNumbers)
{
    const std::pair<const char*, bool> cases[] = {
        {"10", true},  {"0", false},  {"000", false},
        {"007", true}, {"", false},   {" 5 ", true},
        {"-5", false}, {"5a", false}, {"99999999999999999999999", true},
    };
    for (const auto& [text, positive] : cases)
        EXPECT_EQ(IsPositiveNumber(text), positive) << text;
}

} // namespace
} // namespace kor
