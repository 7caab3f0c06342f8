#include "actions/UserAction.h"

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

TEST(UserActionCodec, WritesTheDeviceThenTheAccountKeys)
{
    const DeviceAccess device{"10.0.0.2", "8080", "root", "p&w"};
    EXPECT_EQ(test::Visible(BuildUserParams(UserAction{"guest", true, false}, device)),
              test::Visible(Params("IP=10.0.0.2$PORT=8080$USR=root$PWD=p&w$USRB=guest$AC=1$FR=0$")));
    EXPECT_EQ(test::Visible(BuildUserParams(UserAction{"", false, true}, DeviceAccess{})),
              test::Visible(Params("IP=$PORT=$USR=$PWD=$USRB=$AC=0$FR=1$")));
}

TEST(UserActionCodec, LoadsWithItsDefaults)
{
    const struct
    {
        const char* Stored;
        UserAction Expected;
    } cases[] = {
        {"", UserAction{"", true, false}},
        {"USRB=ann$AC=1$FR=1$", UserAction{"ann", true, true}},
        {"USRB=ann$AC=0$FR=0$", UserAction{"ann", false, false}},
        {"AC=$", UserAction{"", true, false}},
        {"AC=2$", UserAction{"", false, false}},
        {"AC=yes$", UserAction{"", false, false}},
        {"FR=x$", UserAction{"", true, false}},
        {"FR= 1 $", UserAction{"", true, true}},
        // The device keys are never read back.
        {"IP=1.2.3.4$USR=USRB=evil$USRB=bob$", UserAction{"bob", true, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadUserParams(Params(c.Stored)), c.Expected) << test::Visible(Params(c.Stored));
}

} // namespace
} // namespace kor
