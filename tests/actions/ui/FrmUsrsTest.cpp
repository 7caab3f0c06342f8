#include "EditorHarness.h"
#include "TestSupport.h"

#include "actions/ui/FrmUsrs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kor {
namespace {

class UserEditor : public test::EditorHarness
{};

TEST_F(UserEditor, ANewActionEnablesTheAccountOfTheCurrentCamera)
{
    UseCamera("10.1.1.1", 8081, "admin", "secret");
    auto editor = Open<FrmUsrs>(ActUser, 5, -1);
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("User action"));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "Option10")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(*editor, "ChkForce")->isChecked());
    Find<QLineEdit>(*editor, "TxtUsrb")->setText(QStringLiteral("guest"));
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(5), 1);
    EXPECT_EQ(test::Visible(Doc().Action(5, 0)->Params),
              test::Visible(Params("IP=10.1.1.1$PORT=8081$USR=admin$PWD=secret$USRB=guest$AC=1$FR=0$")));
}

TEST_F(UserEditor, StoringAgainTakesTheCameraSelectedNow)
{
    UseCamera("10.1.1.1", 80, "admin", "old");
    ActionRecord record;
    record.Type = ActUser;
    record.Name = "Lock guest";
    record.Params = Params("IP=10.1.1.1$PORT=80$USR=admin$PWD=old$USRB=guest$AC=0$FR=zz$");
    Doc().AddAction(5, record);
    UseCamera("10.2.2.2", 443, "root", "new");

    auto editor = Open<FrmUsrs>(ActUser, 5, 0);
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtUsrb")->text(), QStringLiteral("guest"));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "Option11")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(*editor, "ChkForce")->isChecked()) << "FR that is not a number";
    Find<QCheckBox>(*editor, "ChkForce")->click();
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(5), 1);
    EXPECT_EQ(Doc().Action(5, 0)->Name, "Lock guest");
    EXPECT_EQ(test::Visible(Doc().Action(5, 0)->Params),
              test::Visible(Params("IP=10.2.2.2$PORT=443$USR=root$PWD=new$USRB=guest$AC=0$FR=1$")));
}

} // namespace
} // namespace kor
