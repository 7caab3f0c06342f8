#include "actions/OutputAction.h"
#include "config/ParamString.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

// "A=1$B=2$" written with NUL ends, as the editors build them.
std::string Params(std::string text)
{
    for (char& c : text) {
        if (c == '$')
            c = '\0';
    }
    return text;
}

OutputAction Timed(std::uint8_t mode, const char* duration)
{
    OutputAction action;
    action.Output = 1;
    action.Mode = mode;
    action.Duration = duration;
    return action;
}

TEST(OutputActionCodec, BuildsTheKeysInOrderUnderTheirConditions)
{
    OutputAction device = Timed(OutputAction::OnOff, "10");
    device.OtherDevice = true;
    device.Ip = "10.0.0.9";
    device.Port = "8080";
    device.User = "op";
    device.Password = "se;cret";
    OutputAction fieldsButUnticked = device;
    fieldsButUnticked.OtherDevice = false;
    OutputAction minutes = Timed(OutputAction::OffOn, "5");
    minutes.Unit = 1;

    struct Case
    {
        const char* Name;
        OutputAction Action;
        const char* UnitText;
        const char* Expected;
    };
    const Case cases[] = {
        {"new action defaults", OutputAction{}, "Seconds", "DISP=0$ON=1$"},
        {"timed on-off for 10 s", Timed(OutputAction::OnOff, "10"), "Seconds", "DISP=1$ON=2$TM=10S$"},
        {"on-off with 0 stores no TM", Timed(OutputAction::OnOff, "0"), "Seconds", "DISP=1$ON=2$"},
        {"on-off with an empty duration", Timed(OutputAction::OnOff, ""), "Seconds", "DISP=1$ON=2$"},
        {"off-on with 0 stores TM=0", Timed(OutputAction::OffOn, "0"), "Seconds", "DISP=1$ON=3$TM=0S$"},
        {"off-on with nothing typed", Timed(OutputAction::OffOn, ""), "Seconds", "DISP=1$ON=3$TM=S$"},
        {"the unit letter is the shown text's first", minutes, "Minutos", "DISP=1$ON=3$TM=5M$"},
        {"mode off never stores TM", Timed(OutputAction::Off, "10"), "Seconds", "DISP=1$ON=0$"},
        {"mode on never stores TM", Timed(OutputAction::On, "10"), "Seconds", "DISP=1$ON=1$"},
        {"another device: IP PORT USR PWD BRAND before TM", device, "Seconds",
         "DISP=1$ON=2$IP=10.0.0.9$PORT=8080$USR=op$PWD=se;cret$BRAND=$TM=10S$"},
        {"unticked stores none of the device keys", fieldsButUnticked, "Seconds", "DISP=1$ON=2$TM=10S$"},
        {"no unit text: no letter", Timed(OutputAction::OffOn, "3"), "", "DISP=1$ON=3$TM=3$"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::Visible(BuildOutputParams(c.Action, c.UnitText)), test::Visible(Params(c.Expected)))
            << c.Name;
    }
}

TEST(OutputActionCodec, LoadsStoredActionsWithTheirDefaults)
{
    struct Case
    {
        const char* Name;
        const char* Params;
        int Output;
        int Mode;
        const char* Duration;
        int Unit;
        bool OtherDevice;
    };
    const Case cases[] = {
        {"timed on-off", "DISP=1$ON=2$TM=10S$", 1, 2, "10", 0, false},
        {"lower-case s is seconds", "DISP=3$ON=3$TM=15s$", 3, 3, "15", 0, false},
        {"any other letter is minutes", "DISP=3$ON=3$TM=15M$", 3, 3, "15", 1, false},
        {"a digit last is minutes too", "DISP=3$ON=3$TM=15$", 3, 3, "1", 1, false},
        {"mode 1", "DISP=18$ON=1$", 18, 1, "0", 0, false},
        {"mode 0", "DISP=17$ON=0$", 17, 0, "0", 0, false},
        {"an unknown mode opens off", "DISP=2$ON=7$", 2, 0, "0", 0, false},
        {"a missing mode opens off", "DISP=2$", 2, 0, "0", 0, false},
        {"a missing output opens output 0", "ON=1$", 0, 1, "0", 0, false},
        {"an unreadable output opens output 0", "DISP=x$ON=1$", 0, 1, "0", 0, false},
        {"an output beyond the list opens output 0", "DISP=19$ON=1$", 0, 1, "0", 0, false},
        {"keys in another case", "disp=4$on=2$tm=7s$", 4, 2, "7", 0, false},
        {"a port without an address is no other device", "DISP=1$ON=1$PORT=81$", 1, 1, "0", 0, false},
        {"an empty parameter string", "", 0, 0, "0", 0, false},
    };
    for (const Case& c : cases) {
        const OutputAction action = LoadOutputParams(Params(c.Params));
        EXPECT_EQ(action.Output, c.Output) << c.Name;
        EXPECT_EQ(action.Mode, c.Mode) << c.Name;
        EXPECT_EQ(action.Duration, c.Duration) << c.Name;
        EXPECT_EQ(action.Unit, c.Unit) << c.Name;
        EXPECT_EQ(action.OtherDevice, c.OtherDevice) << c.Name;
    }
}

TEST(OutputActionCodec, AnotherDeviceReopensWithItsFieldsAndBuildsTheSameText)
{
    const std::string stored = Params("DISP=5$ON=3$IP=10.0.0.9$PORT=81$USR=op$PWD=a=b$BRAND=$TM=2M$");
    const OutputAction action = LoadOutputParams(stored);
    EXPECT_TRUE(action.OtherDevice);
    EXPECT_EQ(action.Ip, "10.0.0.9");
    EXPECT_EQ(action.Port, "81");
    EXPECT_EQ(action.User, "op");
    EXPECT_EQ(action.Password, "a=b");
    EXPECT_EQ(test::Visible(BuildOutputParams(action, "Minutes")), test::Visible(stored));
}

TEST(OutputActionCodec, APasswordHoldingAKeyDoesNotPassForThatKey)
{
    // GetParam would find "TM=" inside the password first and reopen a wrong duration, which the
    // next confirm would store.
    const std::string stored = Params("DISP=1$ON=2$IP=10.0.0.9$PORT=80$USR=uTM=9$PWD=xTM=5M$BRAND=$TM=10S$");
    ASSERT_EQ(GetParam("TM", stored), "9");
    const OutputAction action = LoadOutputParams(stored);
    EXPECT_EQ(action.Duration, "10");
    EXPECT_EQ(action.Unit, 0);
    EXPECT_EQ(action.User, "uTM=9");
    EXPECT_EQ(action.Password, "xTM=5M");
}

TEST(OutputActionCodec, ANewActionStartsAtOutputZeroSwitchingOnWithDurationZero)
{
    const OutputAction fresh;
    EXPECT_EQ(fresh.Output, 0);
    EXPECT_EQ(fresh.Mode, OutputAction::On);
    EXPECT_EQ(fresh.Duration, "0");
    EXPECT_EQ(fresh.Unit, 0);
    EXPECT_FALSE(fresh.OtherDevice);
}

} // namespace
} // namespace kor
