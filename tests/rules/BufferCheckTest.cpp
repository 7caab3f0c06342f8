#include "rules/BufferCheck.h"

#include <gtest/gtest.h>

#include <optional>

namespace kor {
namespace {

TEST(BufferCheck, LimitsOfTheTwoBuffers)
{
    struct Case
    {
        BufferValues Values;
        bool Passes;
    };
    const Case cases[] = {
        {{2, 5, 2, 5}, true},   // 10 and 20 exactly
        {{3, 4, 1, 1}, false},  // pre-alarm 12
        {{2, 5, 2, 6}, false},  // together 22
        {{1, 10, 1, 10}, true}, // 10 + 10
        {{4, 2, 4, 3}, true},   // 8 + 12
        {{4, 3, 1, 1}, false},  // as a loaded file may hold: 12
        {{0, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BufferCheckPasses(c.Values), c.Passes)
            << c.Values.Frames << "x" << c.Values.Seconds << " + " << c.Values.BFrames << "x"
            << c.Values.BSeconds;
    }
}

TEST(BufferCheck, ARefusedValueStepsDownUntilOnePasses)
{
    struct Case
    {
        const char* Name;
        BufferValues Shown; // the spinners, the changed one already at its new value
        BufferField Field;
        int Proposed;
        std::optional<int> Settled;
    };
    const Case cases[] = {
        {"frames 2 -> 3 with 5 seconds falls back to 2", {3, 5, 2, 2}, BufferField::Frames, 3, 2},
        {"alarm seconds 5 -> 6 with both pairs at 2x5 falls back to 5",
         {2, 5, 2, 6},
         BufferField::BSeconds,
         6,
         5},
        {"a passing change stays", {2, 4, 2, 2}, BufferField::Frames, 2, 2},
        {"typing 10 seconds with 4 frames ends at 2", {4, 10, 1, 1}, BufferField::Seconds, 10, 2},
        {"second pair at 4x10 with a full first pair ends at 2", {2, 5, 4, 10}, BufferField::BSeconds, 10, 2},
        {"nothing passes while the first pair is over its limit",
         {4, 3, 2, 2},
         BufferField::BFrames,
         2,
         std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettleBufferValue(c.Shown, c.Field, c.Proposed), c.Settled) << c.Name;
}

TEST(BufferCheck, StoresIntoTheMatchingField)
{
    GeneralSettings general;
    StoreBufferValue(general, BufferField::Frames, 1);
    StoreBufferValue(general, BufferField::Seconds, 2);
    StoreBufferValue(general, BufferField::BFrames, 3);
    StoreBufferValue(general, BufferField::BSeconds, 4);
    EXPECT_EQ(general.FS, 1);
    EXPECT_EQ(general.FTM, 2);
    EXPECT_EQ(general.FSB, 3);
    EXPECT_EQ(general.FTMB, 4);
    const BufferValues values = BufferValues::From(general);
    EXPECT_EQ(BufferValue(values, BufferField::BFrames), 3);
    EXPECT_EQ(BufferMaximum(BufferField::Frames), 4);
    EXPECT_EQ(BufferMaximum(BufferField::BSeconds), 10);
}

} // namespace
} // namespace kor
