#include "device/PulsePattern.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

TEST(PulsePatternTest, AdaptToTheModel)
{
    const struct
    {
        bool Inverted;
        int Pulse;
        std::string Expected;
    } rows[] = {
        {false, 30, std::string(kPulsePatternA)},
        {false, 50, "/50/50\\50/50\\50/50\\50\\700/50/50\\50/50\\50\\50/50\\"},
        {true, 30, "\\30\\30/30\\30/30\\30/30/700\\30\\30/30\\30/30/30\\30/"},
        {true, 50, "\\50\\50/50\\50/50\\50/50/700\\50\\50/50\\50/50/50\\50/"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(AdaptPattern(kPulsePatternA, row.Inverted, row.Pulse), row.Expected);
}

TEST(PulsePatternTest, DetectorProgramming)
{
    const std::string code = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30\\30/30/30\\700/30";
    EXPECT_EQ(CodePattern(5), code + "\\30\\30\\30/30\\30/30\\");
    EXPECT_EQ(CodePattern(0xFF), code + "/30/30/30/30/30/30\\"); // six lowest bits only

    const std::string sensor = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30/30\\700/30\\30\\30";
    EXPECT_EQ(SensorPattern(2, true), sensor + "\\30/30\\30/30\\");
    EXPECT_EQ(SensorPattern(7, false), sensor + "/30/30/30\\30\\");

    const std::string mask = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30\\30\\700/30";
    EXPECT_EQ(MaskPattern({true, false, false, false, false, true}), mask + "\\30/30/30/30/30\\30\\");
    // Inversion covers the appended pieces and the final level too.
    EXPECT_EQ(AdaptPattern(MaskPattern({}), true, 30).back(), '/');
}

} // namespace
} // namespace kor
