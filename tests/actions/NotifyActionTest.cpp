#include "actions/NotifyAction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

using namespace std::string_literals;

NotifyAction Notify(const char* client, const char* port, bool sound)
{
    NotifyAction action;
    action.Client = client;
    action.Port = port;
    action.Sound = sound;
    return action;
}

TEST(NotifyActionCodec, BuildsTheKeysInOrder)
{
    struct Case
    {
        const char* Name;
        NotifyAction Action;
        int Rule;
        std::string Description;
        std::string Expected;
    };
    const Case cases[] = {
        {"a new action", NotifyAction{}, 3, "", "CLNT=\0PORT=9034\0SEN=3\0DESC=\0SND=1\0"s},
        {"the typed values", Notify("10.0.0.7", "9100", false), 57, "Hall",
         "CLNT=10.0.0.7\0PORT=9100\0SEN=57\0DESC=Hall\0SND=0\0"s},
        {"an empty port", Notify("10.0.0.7", "", true), 0, "x",
         "CLNT=10.0.0.7\0PORT=9034\0SEN=0\0DESC=x\0SND=1\0"s},
        {"a non-numeric port", Notify("1.2.3.4", "80a", true), 120, "x",
         "CLNT=1.2.3.4\0PORT=9034\0SEN=120\0DESC=x\0SND=1\0"s},
        {"a port beyond 32 bits", Notify("1.2.3.4", "99999999999", true), 1, "",
         "CLNT=1.2.3.4\0PORT=9034\0SEN=1\0DESC=\0SND=1\0"s},
        {"the description exactly as typed", Notify("1.2.3.4", "9034", true), 1, "   ",
         "CLNT=1.2.3.4\0PORT=9034\0SEN=1\0DESC=   \0SND=1\0"s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(test::Visible(BuildNotifyParams(c.Action, c.Rule, c.Description)),
                  test::Visible(c.Expected))
            << c.Name;
}

TEST(NotifyActionCodec, LoadsWithItsDefaults)
{
    struct Case
    {
        const char* Name;
        std::string Params;
        NotifyAction Expected;
    };
    const Case cases[] = {
        {"everything stored", "CLNT=10.0.0.7\0PORT=9100\0SEN=5\0DESC=d\0SND=0\0"s,
         Notify("10.0.0.7", "9100", false)},
        {"no SND ticks the sound", "CLNT=10.0.0.7\0PORT=9100\0"s, Notify("10.0.0.7", "9100", true)},
        {"an empty SND ticks the sound", "SND=\0"s, Notify("", "", true)},
        {"a non-numeric SND ticks the sound", "SND=yes\0"s, Notify("", "", true)},
        {"SND=1", "SND=1\0"s, Notify("", "", true)},
        {"the port as stored, even when not a number", "PORT=abc\0"s, Notify("", "abc", true)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadNotifyParams(c.Params), c.Expected) << c.Name;
}

} // namespace
} // namespace kor
