#include "EditorHarness.h"

#include "actions/ui/FrmActvs.h"
#include "app/ui/IPTxt.h"
#include "rules/ui/FrmTT.h"
#include "rules/ui/ModalScreens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kor {
namespace {

class OutputEditor : public test::EditorHarness
{
protected:
    template <typename T> T* Control(FrmActvs& editor, const char* name) { return Find<T>(editor, name); }
    QRadioButton* Option(FrmActvs& editor, const char* name) { return Find<QRadioButton>(editor, name); }
};

TEST_F(OutputEditor, ANewActionShowsTheDefaults)
{
    auto editor = Open<FrmActvs>(ActOutput, 3, -1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Output activation"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("Activate output"));
    EXPECT_EQ(Button(*editor, "CmdAdd")->text(), QStringLiteral("Add"));
    EXPECT_FALSE(Button(*editor, "BTL1")->isEnabled()) << "a new action has no time table yet";
    EXPECT_EQ(editor->Actv(), -1);

    auto* outputs = Find<QComboBox>(*editor, "CmbActvs");
    ASSERT_EQ(outputs->count(), 19);
    EXPECT_EQ(outputs->currentIndex(), 0);
    EXPECT_EQ(outputs->itemText(0), QStringLiteral("All outputs"));
    EXPECT_EQ(outputs->itemText(1), QStringLiteral("Output 01"));
    EXPECT_EQ(outputs->itemText(16), QStringLiteral("Output 16"));
    EXPECT_EQ(outputs->itemText(18), QStringLiteral("Detector alarm"));
    EXPECT_TRUE(Option(*editor, "OptOn")->isChecked());
    EXPECT_FALSE(Find<QLineEdit>(*editor, "TxtSeg")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(*editor, "Cmbd")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(*editor, "Cmbd")->currentIndex(), 0);
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtSeg")->text(), QStringLiteral("0"));
    EXPECT_FALSE(Find<QCheckBox>(*editor, "Check1")->isChecked());
    EXPECT_FALSE(Find<IPTxt>(*editor, "IPTxt1")->Enabled());
    EXPECT_FALSE(Find<QLineEdit>(*editor, "TxtPort")->isEnabled());

    Doc().Saved = true;
    Click(*editor, "CmdAdd");
    EXPECT_TRUE(editor->Stored());
    ASSERT_EQ(Doc().ActionCount(3), 1);
    const ActionRecord* stored = Doc().Action(3, 0);
    EXPECT_EQ(stored->Type, 0);
    EXPECT_EQ(stored->Name, "Activate output");
    EXPECT_EQ(test::Visible(stored->Params), test::Visible(Params("DISP=0$ON=1$")));
    EXPECT_EQ(editor->Actv(), 0);
    EXPECT_FALSE(Doc().Saved);
}

TEST_F(OutputEditor, ModesEnableTheDurationAndOutputsLimitTheModes)
{
    auto editor = Open<FrmActvs>(ActOutput, 3, -1);
    auto* outputs = Find<QComboBox>(*editor, "CmbActvs");
    QLineEdit* seconds = Find<QLineEdit>(*editor, "TxtSeg");

    for (const char* timed : {"OptONOFF", "OptOFFON"}) {
        Option(*editor, timed)->click();
        EXPECT_TRUE(seconds->isEnabled()) << timed;
        EXPECT_TRUE(Find<QComboBox>(*editor, "Cmbd")->isEnabled()) << timed;
    }
    Option(*editor, "OptOff")->click();
    EXPECT_FALSE(seconds->isEnabled());

    Option(*editor, "OptOFFON")->click();
    outputs->setCurrentIndex(17); // arm/disarm: on or off
    EXPECT_TRUE(Option(*editor, "OptOn")->isChecked());
    EXPECT_TRUE(Option(*editor, "OptOff")->isEnabled());
    EXPECT_FALSE(Option(*editor, "OptONOFF")->isEnabled());
    EXPECT_FALSE(Option(*editor, "OptOFFON")->isEnabled());

    outputs->setCurrentIndex(18); // detector alarm: on only
    EXPECT_TRUE(Option(*editor, "OptOn")->isChecked());
    EXPECT_FALSE(Option(*editor, "OptOff")->isEnabled());
    outputs->setCurrentIndex(17);
    EXPECT_TRUE(Option(*editor, "OptOff")->isEnabled()) << "arm/disarm leaves off and on";

    outputs->setCurrentIndex(2);
    for (const char* name : {"OptOff", "OptOn", "OptONOFF", "OptOFFON"})
        EXPECT_TRUE(Option(*editor, name)->isEnabled()) << name;
}

TEST_F(OutputEditor, DurationTakesDigitsAndABlankFieldBecomesZero)
{
    auto editor = Open<FrmActvs>(ActOutput, 3, -1);
    editor->show();
    Option(*editor, "OptONOFF")->click();
    QLineEdit* seconds = Find<QLineEdit>(*editor, "TxtSeg");
    seconds->clear();
    QTest::keyClicks(seconds, QStringLiteral("1a5 -"));
    EXPECT_EQ(seconds->text(), QStringLiteral("15"));
    QTest::keyClick(seconds, Qt::Key_Backspace);
    EXPECT_EQ(seconds->text(), QStringLiteral("1"));

    QLineEdit* port = Find<QLineEdit>(*editor, "TxtPort");
    Find<QCheckBox>(*editor, "Check1")->click();
    port->clear();
    QTest::keyClicks(port, QStringLiteral("80.8x0"));
    EXPECT_EQ(port->text(), QStringLiteral("8080"));

    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    seconds->setFocus();
    seconds->setText(QStringLiteral("  "));
    port->setFocus();
    EXPECT_EQ(seconds->text(), QStringLiteral("0"));
}

TEST_F(OutputEditor, TheTypicalActionAndAnotherDevice)
{
    auto editor = Open<FrmActvs>(ActOutput, 3, -1);
    Find<QComboBox>(*editor, "CmbActvs")->setCurrentIndex(1);
    Option(*editor, "OptONOFF")->click();
    Find<QLineEdit>(*editor, "TxtSeg")->setText(QStringLiteral("10"));
    Find<QLineEdit>(*editor, "TxtDesc")->setText(QStringLiteral("   "));
    // Device fields typed but Check1 unticked: none of them is stored.
    Find<QLineEdit>(*editor, "TxtUsr")->setText(QStringLiteral("op"));
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(3), 1);
    EXPECT_EQ(Doc().Action(3, 0)->Name, "") << "a blank description is stored empty";
    EXPECT_EQ(test::Visible(Doc().Action(3, 0)->Params), test::Visible(Params("DISP=1$ON=2$TM=10S$")));

    auto second = Open<FrmActvs>(ActOutput, 3, -1);
    Find<QComboBox>(*second, "CmbActvs")->setCurrentIndex(5);
    Option(*second, "OptOFFON")->click();
    Find<QLineEdit>(*second, "TxtSeg")->setText(QStringLiteral("2"));
    Find<QComboBox>(*second, "Cmbd")->setCurrentIndex(1);
    Find<QCheckBox>(*second, "Check1")->click();
    Find<IPTxt>(*second, "IPTxt1")->SetIPtext(QStringLiteral("10.0.0.9"));
    Find<QLineEdit>(*second, "TxtPort")->setText(QStringLiteral("8080"));
    Find<QLineEdit>(*second, "TxtUsr")->setText(QStringLiteral("op"));
    Find<QLineEdit>(*second, "TxtPwd")
        ->setText(QString::fromUtf8("contrase\xC3\xB1"
                                    "a"));
    Click(*second, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(3, 1)->Params),
              test::Visible(Params("DISP=5$ON=3$IP=10.0.0.9$PORT=8080$USR=op$PWD=contrase\xF1"
                                   "a$BRAND=$TM=2M$")));
}

TEST_F(OutputEditor, AnExistingActionReopensAndKeepsItsTimeTable)
{
    ActionRecord stored;
    stored.Type = ActOutput;
    stored.Name = "Gate light";
    stored.Params = Params("DISP=5$ON=3$IP=10.0.0.9$PORT=81$USR=op$PWD=pw$BRAND=$TM=15s$");
    Doc().AddAction(3, stored);
    const Interval night{{20, 0, 0}, {23, 0, 0}};
    Doc().AddInterval(3, 0, 6, night);
    Doc().Saved = true;

    auto editor = Open<FrmActvs>(ActOutput, 3, 0);
    EXPECT_EQ(Button(*editor, "CmdAdd")->text(), QStringLiteral("Save"));
    EXPECT_TRUE(Button(*editor, "BTL1")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("Gate light"));
    EXPECT_EQ(Find<QComboBox>(*editor, "CmbActvs")->currentIndex(), 5);
    EXPECT_TRUE(Option(*editor, "OptOFFON")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(*editor, "TxtSeg")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtSeg")->text(), QStringLiteral("15"));
    EXPECT_EQ(Find<QComboBox>(*editor, "Cmbd")->currentIndex(), 0);
    EXPECT_TRUE(Find<QCheckBox>(*editor, "Check1")->isChecked());
    EXPECT_TRUE(Find<IPTxt>(*editor, "IPTxt1")->Enabled());
    EXPECT_EQ(Find<IPTxt>(*editor, "IPTxt1")->IPtext(), QStringLiteral("10.0.0.9"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtPort")->text(), QStringLiteral("81"));

    Find<QLineEdit>(*editor, "TxtSeg")->setText(QStringLiteral("20"));
    Click(*editor, "CmdAdd");
    EXPECT_EQ(Doc().ActionCount(3), 1);
    const ActionRecord* replaced = Doc().Action(3, 0);
    EXPECT_EQ(test::Visible(replaced->Params),
              test::Visible(Params("DISP=5$ON=3$IP=10.0.0.9$PORT=81$USR=op$PWD=pw$BRAND=$TM=20S$")));
    EXPECT_EQ(replaced->TimeTable.Day(6), std::vector<Interval>{night});
    EXPECT_FALSE(Doc().Saved);
}

TEST_F(OutputEditor, MissingKeysReopenWithTheDefaults)
{
    ActionRecord stored;
    stored.Type = ActOutput;
    stored.Params = Params("DISP=18$");
    Doc().AddAction(4, stored);
    auto editor = Open<FrmActvs>(ActOutput, 4, 0);
    EXPECT_EQ(Find<QComboBox>(*editor, "CmbActvs")->currentIndex(), 18);
    EXPECT_TRUE(Option(*editor, "OptOff")->isChecked()) << "a missing ON opens off";
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtSeg")->text(), QStringLiteral("0"));
    EXPECT_FALSE(Find<QCheckBox>(*editor, "Check1")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QString());
}

TEST_F(OutputEditor, CancelLeavesTheDocumentAlone)
{
    ActionRecord stored;
    stored.Type = ActOutput;
    stored.Name = "Siren";
    stored.Params = Params("DISP=1$ON=1$");
    Doc().AddAction(3, stored);
    Doc().Saved = true;
    const ConfigDocument before = Doc();

    auto editor = Open<FrmActvs>(ActOutput, 3, 0);
    Find<QLineEdit>(*editor, "TxtDesc")->setText(QStringLiteral("Changed"));
    Option(*editor, "OptOff")->click();
    Click(*editor, "CmdCancel");
    EXPECT_FALSE(editor->Stored());
    EXPECT_EQ(Doc().Rule(3), before.Rule(3));
    EXPECT_TRUE(Doc().Saved);

    auto fresh = Open<FrmActvs>(ActOutput, 3, -1);
    fresh->close();
    EXPECT_EQ(Doc().ActionCount(3), 1);
}

TEST_F(OutputEditor, TheTimeTableButtonOpensTheTimeTableOfTheStoredAction)
{
    Doc().AddAction(3, ActionRecord{});
    ActionRecord stored;
    stored.Params = Params("DISP=1$ON=1$");
    Doc().AddAction(3, stored);
    auto editor = Open<FrmActvs>(ActOutput, 3, 1);
    int shown = 0;
    ScopedModalDriver driver([&](QDialog* dialog) {
        auto* table = qobject_cast<FrmTT*>(dialog);
        ASSERT_NE(table, nullptr);
        ++shown;
        table->TimeField(0)->setText(QStringLiteral("07:00:00"));
        table->TimeField(1)->setText(QStringLiteral("09:00:00"));
        table->AddInterval();
    });
    Click(*editor, "BTL1");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Doc().DayIntervals(3, 1, 1).size(), 1u);
    EXPECT_TRUE(Doc().DayIntervals(3, 0, 1).empty());
}

} // namespace
} // namespace kor
