#include "actions/FtpAction.h"
#include "config/ConfigDocument.h"
#include "config/ConfigText.h"

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

TEST(FtpActionCodec, AlwaysStoresTheSixKeysInOrder)
{
    const FtpAction typed{"ftp.example.invalid", "21", "camera", "p=w", "/alarms", "door"};
    EXPECT_EQ(
        test::Visible(BuildFtpParams(typed)),
        test::Visible(Params("HOST=ftp.example.invalid$PORT=21$USER=camera$PWD=p=w$RD=/alarms$PRFX=door$")));
    EXPECT_EQ(test::Visible(BuildFtpParams(FtpAction{})),
              test::Visible(Params("HOST=$PORT=$USER=$PWD=$RD=$PRFX=$")));
    EXPECT_EQ(LoadFtpParams(BuildFtpParams(typed)), typed);
}

TEST(FtpActionCodec, LoadsEachKeyAndLeavesMissingOnesEmpty)
{
    EXPECT_EQ(LoadFtpParams(Params("PRFX=p$HOST=h$")), (FtpAction{"h", "", "", "", "", "p"}));
    EXPECT_EQ(LoadFtpParams(""), FtpAction{});
    // A value that holds another key's name does not pass for that key.
    EXPECT_EQ(LoadFtpParams(Params("HOST=h$PORT=21$USER=u$PWD=xRD=/bad$RD=/good$PRFX=p$")).RemoteDir,
              "/good");
}

TEST(FtpActionCodec, SeparatorsInAValueDoNotSurviveTheConfigurationText)
{
    // The editor stores what was typed; the file format cannot carry ";" or "$" in a value.
    const FtpAction typed{"h", "21", "u", "a;b", "/x$y", "p"};
    ActionRecord action;
    action.Type = ActFtp;
    action.Name = "Pictures";
    action.Params = BuildFtpParams(typed);
    ConfigDocument doc;
    ASSERT_TRUE(ParseActionLine(doc, 3, ActionLineText(action)).ok());
    ASSERT_EQ(doc.ActionCount(3), 1);
    const FtpAction back = LoadFtpParams(doc.Action(3, 0)->Params);
    EXPECT_EQ(back.Host, "h");
    EXPECT_NE(back.Password, typed.Password);
    EXPECT_NE(back, typed);
}

} // namespace
} // namespace kor
