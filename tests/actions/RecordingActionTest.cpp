#include "actions/RecordingAction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

std::string Params(std::string text)
{
    for (char& c : text) {
        if (c == '$')
            c = '\0';
    }
    return text;
}

RecordingAction OnPc(std::string address, bool preAlarm, std::string rate, std::string time)
{
    RecordingAction action;
    action.OnPc = true;
    action.PcAddress = std::move(address);
    action.PreAlarm = preAlarm;
    action.FrameRate = std::move(rate);
    action.Time = std::move(time);
    return action;
}

TEST(RecordingActionCodec, WritesOnlyTheKeysOfThePlaceAndTheWatermark)
{
    RecordingAction cameraOnly;
    RecordingAction cameraMarked;
    cameraMarked.Watermark = true;
    cameraMarked.WatermarkKey = "k3y";
    RecordingAction pcMarked = OnPc("10.1.2.3", true, "5", "30");
    pcMarked.Watermark = true;
    pcMarked.WatermarkKey = "abc";
    RecordingAction unticked = cameraOnly;
    unticked.WatermarkKey = "typed but not ticked";

    const struct
    {
        const char* Name;
        RecordingAction Action;
        const char* Expected;
    } cases[] = {
        {"camera, no watermark", cameraOnly, ""},
        {"camera with watermark", cameraMarked, "WMK=k3y$"},
        {"unticked watermark", unticked, ""},
        {"PC", OnPc("10.1.2.3", false, "2", "10"), "PC=10.1.2.3$PA=0$FR=2$TIME=10$"},
        {"PC, pre-alarm, watermark", pcMarked, "PC=10.1.2.3$PA=1$FR=5$TIME=30$WMK=abc$"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::Visible(BuildRecordingParams(c.Action)), test::Visible(Params(c.Expected))) << c.Name;
}

TEST(RecordingActionCodec, LoadsWithTheDefaultsOfMissingOrOddValues)
{
    RecordingAction marked;
    marked.Watermark = true;
    marked.WatermarkKey = "abc";
    RecordingAction pcDefaults = OnPc("10.0.0.9", false, "1", "10");

    const struct
    {
        const char* Name;
        const char* Stored;
        RecordingAction Expected;
    } cases[] = {
        {"nothing", "", RecordingAction{}},
        {"watermark only", "WMK=abc$", marked},
        {"empty watermark", "WMK=$", RecordingAction{}},
        {"PC keys without PC are ignored", "PA=1$FR=9$TIME=60$", RecordingAction{}},
        {"PC without the rest", "PC=10.0.0.9$", pcDefaults},
        {"PC, all", "PC=10.0.0.9$PA=1$FR=7$TIME=45$", OnPc("10.0.0.9", true, "7", "45")},
        {"PA not a number", "PC=10.0.0.9$PA=yes$", pcDefaults},
        {"PA 0", "PC=10.0.0.9$PA=0$", pcDefaults},
        {"FR not a number", "PC=10.0.0.9$FR=fast$", pcDefaults},
        {"FR beyond 16 bits", "PC=10.0.0.9$FR=70000$", pcDefaults},
        {"FR with blanks", "PC=10.0.0.9$FR= 12 $", OnPc("10.0.0.9", false, "12", "10")},
        {"empty TIME", "PC=10.0.0.9$TIME=$", pcDefaults},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadRecordingParams(Params(c.Stored)), c.Expected) << c.Name;
}

TEST(RecordingActionCodec, RoundTrips)
{
    RecordingAction pc = OnPc("192.168.0.2", true, "3", "20");
    pc.Watermark = true;
    pc.WatermarkKey = "x=y";
    EXPECT_EQ(LoadRecordingParams(BuildRecordingParams(pc)), pc);
}

} // namespace
} // namespace kor
