#include "actions/CallAction.h"

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

CallAction Call(const char* number)
{
    CallAction action;
    action.Number = number;
    return action;
}

CallAction Sms(const char* number, const char* message)
{
    CallAction action = Call(number);
    action.Sms = true;
    action.Message = message;
    return action;
}

CallAction ThroughPc(CallAction action, const char* address, const char* port)
{
    action.ThroughPc = true;
    action.PcAddress = address;
    action.PcPort = port;
    return action;
}

TEST(CallActionCodec, BuildsTheKeysInOrderUnderTheirConditions)
{
    CallAction messageButCall = Sms("600", "left over");
    messageButCall.Sms = false;
    CallAction pcFieldsUnticked = ThroughPc(Call("600"), "10.0.0.5", "558");
    pcFieldsUnticked.ThroughPc = false;

    struct Case
    {
        const char* Name;
        CallAction Action;
        const char* Expected;
    };
    const Case cases[] = {
        {"a new action", CallAction{}, "TLFNO=$SMS=$"},
        {"a call", Call("600123456"), "TLFNO=600123456$SMS=$"},
        {"blanks between digit groups are dropped", Call(" 600 12 34 56 "), "TLFNO=600123456$SMS=$"},
        {"an SMS", Sms("600", "Door open, check it"), "TLFNO=600$SMS=Door open, check it$"},
        {"an SMS with an empty text", Sms("600", ""), "TLFNO=600$SMS=$"},
        {"a call stores no message", messageButCall, "TLFNO=600$SMS=$"},
        {"through a PC, blanks dropped", ThroughPc(Sms("600", "x"), " 10.0.0.5 ", "5 58"),
         "REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=558$TLFNO=600$SMS=x$"},
        {"PC fields without the PC", pcFieldsUnticked, "TLFNO=600$SMS=$"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(test::Visible(BuildCallParams(c.Action)), test::Visible(Params(c.Expected))) << c.Name;
}

TEST(CallActionCodec, LoadsWithItsDefaults)
{
    struct Case
    {
        const char* Name;
        const char* Params;
        CallAction Expected;
    };
    const Case cases[] = {
        {"nothing stored", "", CallAction{}},
        {"a call", "TLFNO=600$SMS=$", Call("600")},
        {"an SMS", "TLFNO=600$SMS=hi$", Sms("600", "hi")},
        {"through a PC", "REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=9000$TLFNO=600$SMS=$",
         ThroughPc(Call("600"), "10.0.0.5", "9000")},
        {"no port opens 558", "REMOTE=1$REMOTEIP=pc$TLFNO=1$SMS=$", ThroughPc(Call("1"), "pc", "558")},
        {"a non-numeric port opens 558", "REMOTE=1$REMOTEIP=$REMOTEPORT=80a$TLFNO=1$SMS=$",
         ThroughPc(Call("1"), "", "558")},
        {"REMOTE other than 1 leaves the PC off but keeps its fields",
         "REMOTE=0$REMOTEIP=pc$REMOTEPORT=81$TLFNO=1$",
         [] {
             CallAction a = ThroughPc(Call("1"), "pc", "81");
             a.ThroughPc = false;
             return a;
         }()},
        {"keys in any order and case", "sms=hola$tlfno=2$remoteport=7$remote=1$",
         ThroughPc(Sms("2", "hola"), "", "7")},
        {"a key inside a value is not read", "SMS=TLFNO=9$TLFNO=3$", Sms("3", "TLFNO=9")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadCallParams(Params(c.Params)), c.Expected) << c.Name;
}

TEST(CallActionCodec, AStoredActionReopensAsItWasTyped)
{
    const CallAction typed = ThroughPc(Sms("600", "Alarm: hall"), "pc.example.invalid", "558");
    EXPECT_EQ(LoadCallParams(BuildCallParams(typed)), typed);
}

} // namespace
} // namespace kor
