#include "EditorHarness.h"

#include "actions/ui/FrmNotify.h"
#include "app/ui/IPTxt.h"

#include <QCheckBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace kor {
namespace {

class NotifyEditor : public test::EditorHarness
{};

TEST_F(NotifyEditor, ANewActionStoresRuleDescriptionAndDefaults)
{
    auto editor = Open<FrmNotify>(ActNotify, 57, -1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Client notification"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QString()) << "no default description";
    EXPECT_TRUE(Find<QCheckBox>(*editor, "chkSound")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtPort")->text(), QStringLiteral("9034"));

    Find<IPTxt>(*editor, "IPTxt1")->SetIPtext(QStringLiteral("10.0.0.7"));
    Find<QLineEdit>(*editor, "TxtDesc")->setText(QStringLiteral("  "));
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(57), 1);
    const ActionRecord* stored = Doc().Action(57, 0);
    EXPECT_EQ(stored->Type, ActNotify);
    EXPECT_EQ(stored->Name, "") << "a blank description is stored empty as the name";
    EXPECT_EQ(test::Visible(stored->Params),
              test::Visible(Params("CLNT=10.0.0.7$PORT=9034$SEN=57$DESC=  $SND=1$")))
        << "but as typed in DESC";
}

TEST_F(NotifyEditor, PortFallsBackAndSenFollowsTheRule)
{
    ActionRecord record;
    record.Type = ActNotify;
    record.Name = "Guard PC";
    record.Params = Params("CLNT=10.0.0.7$PORT=$SEN=3$DESC=Old$");
    Doc().AddAction(12, record);

    auto editor = Open<FrmNotify>(ActNotify, 12, 0);
    EXPECT_EQ(Find<IPTxt>(*editor, "IPTxt1")->IPtext(), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtPort")->text(), QString()) << "the port as stored";
    EXPECT_TRUE(Find<QCheckBox>(*editor, "chkSound")->isChecked()) << "no SND opens with the sound";
    Find<QCheckBox>(*editor, "chkSound")->click();
    Click(*editor, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(12, 0)->Params),
              test::Visible(Params("CLNT=10.0.0.7$PORT=9034$SEN=12$DESC=Guard PC$SND=0$")));

    auto reopened = Open<FrmNotify>(ActNotify, 12, 0);
    EXPECT_FALSE(Find<QCheckBox>(*reopened, "chkSound")->isChecked());
    auto* port = Find<QLineEdit>(*reopened, "TxtPort");
    port->clear();
    QTest::keyClicks(port, QStringLiteral("91x0.0"));
    EXPECT_EQ(port->text(), QStringLiteral("9100"));
}

} // namespace
} // namespace kor
