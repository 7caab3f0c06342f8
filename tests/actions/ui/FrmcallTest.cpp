#include "EditorHarness.h"

#include "actions/ui/Frmcall.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kor {
namespace {

class CallEditor : public test::EditorHarness
{
protected:
    void Store(int rule, const char* params)
    {
        ActionRecord record;
        record.Type = ActCall;
        record.Name = "Guard";
        record.Params = Params(params);
        Doc().AddAction(rule, record);
    }
    std::string StoredParams(int rule, int action)
    {
        return test::Visible(Doc().Action(rule, action)->Params);
    }
};

TEST_F(CallEditor, ANewActionIsACallWithTheMessageAndPcFieldsOff)
{
    auto editor = Open<Frmcall>(ActCall, 3, -1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Call and SMS"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("Phone call"));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "Option1")->isChecked());
    EXPECT_FALSE(Find<QLineEdit>(*editor, "txtMsg")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(*editor, "chkpc")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*editor, "chkpc")->isEnabled());
    for (const char* name : {"txt_ip", "txt_port"})
        EXPECT_FALSE(Find<QLineEdit>(*editor, name)->isEnabled()) << name;
    for (const char* name : {"lbl_ip", "lbl_port"})
        EXPECT_FALSE(Find<QLabel>(*editor, name)->isEnabled()) << name;
    EXPECT_EQ(Find<QLineEdit>(*editor, "txt_port")->text(), QStringLiteral("558"));

    Find<QLineEdit>(*editor, "TxtTlfno")->setText(QStringLiteral("600 12 34 56")); // pasted with blanks
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(3), 1);
    EXPECT_EQ(Doc().Action(3, 0)->Type, ActCall);
    EXPECT_EQ(Doc().Action(3, 0)->Name, "Phone call");
    EXPECT_EQ(StoredParams(3, 0), test::Visible(Params("TLFNO=600123456$SMS=$")));
}

TEST_F(CallEditor, TheOptionsAndThePcEnableTheirFields)
{
    auto editor = Open<Frmcall>(ActCall, 3, -1);
    auto* message = Find<QLineEdit>(*editor, "txtMsg");
    Find<QRadioButton>(*editor, "Option2")->click();
    EXPECT_TRUE(message->isEnabled());
    message->setText(QStringLiteral("Door open"));
    Find<QRadioButton>(*editor, "Option1")->click();
    EXPECT_FALSE(message->isEnabled());

    auto* pc = Find<QCheckBox>(*editor, "chkpc");
    pc->click();
    for (const char* name : {"txt_ip", "txt_port"})
        EXPECT_TRUE(Find<QLineEdit>(*editor, name)->isEnabled()) << name;
    for (const char* name : {"lbl_ip", "lbl_port"})
        EXPECT_TRUE(Find<QLabel>(*editor, name)->isEnabled()) << name;
    Find<QLineEdit>(*editor, "txt_ip")->setText(QStringLiteral("10.0.0.5"));
    pc->click();
    EXPECT_FALSE(Find<QLineEdit>(*editor, "txt_ip")->isEnabled());

    // A call stores an empty message; the unticked PC stores none of its fields.
    Find<QLineEdit>(*editor, "TxtTlfno")->setText(QStringLiteral("600"));
    Click(*editor, "CmdAdd");
    EXPECT_EQ(StoredParams(3, 0), test::Visible(Params("TLFNO=600$SMS=$")));
}

TEST_F(CallEditor, TheKeyFiltersOfNumberAndPort)
{
    auto editor = Open<Frmcall>(ActCall, 3, -1);
    auto* number = Find<QLineEdit>(*editor, "TxtTlfno");
    QTest::keyClicks(number, QStringLiteral("6+0 0-1a"));
    EXPECT_EQ(number->text(), QStringLiteral("6001"));
    QTest::keyClick(number, Qt::Key_Backspace);
    EXPECT_EQ(number->text(), QStringLiteral("600"));

    Find<QCheckBox>(*editor, "chkpc")->click();
    auto* port = Find<QLineEdit>(*editor, "txt_port");
    port->clear();
    QTest::keyClicks(port, QStringLiteral("5 5.8x"));
    EXPECT_EQ(port->text(), QStringLiteral("5 58")) << "the port also takes a blank";
    Find<QLineEdit>(*editor, "txt_ip")->setText(QStringLiteral(" 10.0.0.5"));
    Find<QRadioButton>(*editor, "Option2")->click();
    Find<QLineEdit>(*editor, "txtMsg")->setText(QStringLiteral("Alarm: hall"));
    Click(*editor, "CmdAdd");
    EXPECT_EQ(StoredParams(3, 0),
              test::Visible(Params("REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=558$TLFNO=600$SMS=Alarm: hall$")));
}

TEST_F(CallEditor, APcCallAlwaysGoesThroughThePc)
{
    auto editor = Open<Frmcall>(ActCall, 3, -1, true);
    EXPECT_TRUE(editor->PC());
    auto* pc = Find<QCheckBox>(*editor, "chkpc");
    EXPECT_TRUE(pc->isChecked());
    EXPECT_FALSE(pc->isEnabled()) << "the user cannot untick it";
    EXPECT_TRUE(Find<QLineEdit>(*editor, "txt_ip")->isEnabled());

    editor->show();
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(*editor, "txt_ip"));
    QTest::keyClicks(Find<QLineEdit>(*editor, "txt_ip"), QStringLiteral("10.0.0.5"));
    Click(*editor, "CmdAdd");
    EXPECT_EQ(StoredParams(3, 0),
              test::Visible(Params("REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=558$TLFNO=$SMS=$")));

    // A stored action without REMOTE opened for a PC is ticked all the same.
    Store(4, "TLFNO=1$SMS=$");
    auto stored = Open<Frmcall>(ActCall, 4, 0, true);
    EXPECT_TRUE(Find<QCheckBox>(*stored, "chkpc")->isChecked());
}

TEST_F(CallEditor, AnExistingActionReopens)
{
    Store(5, "REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=9000$TLFNO=600$SMS=Door$");
    auto editor = Open<Frmcall>(ActCall, 5, 0);
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("Guard"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtTlfno")->text(), QStringLiteral("600"));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "Option2")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(*editor, "txtMsg")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtMsg")->text(), QStringLiteral("Door"));
    EXPECT_TRUE(Find<QCheckBox>(*editor, "chkpc")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*editor, "chkpc")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(*editor, "txt_ip")->text(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "txt_port")->text(), QStringLiteral("9000"));

    Store(5, "REMOTE=1$REMOTEPORT=x$TLFNO=600$SMS=$");
    auto second = Open<Frmcall>(ActCall, 5, 1);
    EXPECT_TRUE(Find<QRadioButton>(*second, "Option1")->isChecked()) << "an empty SMS opens a call";
    EXPECT_FALSE(Find<QLineEdit>(*second, "txtMsg")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(*second, "txt_port")->text(), QStringLiteral("558"));
    EXPECT_EQ(Find<QLineEdit>(*second, "txt_ip")->text(), QString());
}

} // namespace
} // namespace kor
