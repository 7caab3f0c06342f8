#include "EditorHarness.h"
#include "TestSupport.h"

#include "actions/ui/FrmAlarm.h"
#include "app/ui/IPTxt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kor {
namespace {

class RemoteAlarmEditor : public test::EditorHarness
{
protected:
    int Stored(const char* params, const char* name = "Remote")
    {
        ActionRecord record;
        record.Type = ActRemoteAlarm;
        record.Name = name;
        record.Params = Params(params);
        return Doc().AddAction(6, record);
    }
    QComboBox* List(FrmAlarm& editor, const char* name) { return Find<QComboBox>(editor, name); }
};

TEST_F(RemoteAlarmEditor, ANewActionTargetsACameraWithItsListsEnabled)
{
    auto editor = Open<FrmAlarm>(ActRemoteAlarm, 6, -1);
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QString());
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optDevice0")->isChecked());
    EXPECT_TRUE(List(*editor, "cmbNameSens")->isEnabled());
    EXPECT_FALSE(List(*editor, "cmbEdge")->isEnabled());
    EXPECT_EQ(editor->Numbering().PortCount, 4);
    ASSERT_EQ(List(*editor, "cmbDevice")->count(), 2);
    EXPECT_EQ(List(*editor, "cmbDevice")->itemText(0), QStringLiteral("Device 1"));
    ASSERT_EQ(List(*editor, "cmbPort")->count(), 4);
    EXPECT_EQ(List(*editor, "cmbPort")->itemText(3), QStringLiteral("Port 3"));

    Find<QRadioButton>(*editor, "optDevice1")->click();
    EXPECT_FALSE(List(*editor, "cmbListSens")->isEnabled());
    EXPECT_TRUE(List(*editor, "cmbPort")->isEnabled());
}

TEST_F(RemoteAlarmEditor, AddressFirstThenThePortThenASilentStopWithoutChoice)
{
    auto editor = Open<FrmAlarm>(ActRemoteAlarm, 6, -1);
    Click(*editor, "CmdAdd");
    EXPECT_EQ(m_dialogs.Messages(), QStringList{QStringLiteral("Enter the IP address of the device.")});
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtPort")->text(), QString()) << "the port waits for the address";

    m_dialogs.Clear();
    Find<IPTxt>(*editor, "IPTxt1")->SetIPtext(QStringLiteral("10.0.0.4"));
    Click(*editor, "CmdAdd");
    EXPECT_TRUE(m_dialogs.Messages().isEmpty());
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtPort")->text(), QStringLiteral("80"));
    EXPECT_EQ(Doc().ActionCount(6), 0);
    EXPECT_FALSE(editor->Stored());

    // Kind "Motion detection", window 6: SDMC75.
    QComboBox* kinds = List(*editor, "cmbNameSens");
    kinds->setCurrentIndex(kinds->findData(QStringLiteral("SDMC")));
    Q_EMIT kinds->activated(kinds->currentIndex());
    QComboBox* sources = List(*editor, "cmbListSens");
    ASSERT_EQ(sources->count(), 11);
    EXPECT_EQ(sources->itemText(0), QStringLiteral("Any motion"));
    sources->setCurrentIndex(sources->findData(QStringLiteral("SDMC75")));
    Find<QLineEdit>(*editor, "TxtDesc")->setText(QStringLiteral("  "));
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(6), 1);
    EXPECT_EQ(Doc().Action(6, 0)->Name, "  ") << "stored as typed";
    EXPECT_EQ(test::Visible(Doc().Action(6, 0)->Params),
              test::Visible(Params("IP=10.0.0.4$PORT=80$USR=$PWD=$DEV=0$SEN=75$")));
}

TEST_F(RemoteAlarmEditor, DetectorNumberIsStoredAndSelectedAgain)
{
    auto editor = Open<FrmAlarm>(ActRemoteAlarm, 6, -1);
    Find<IPTxt>(*editor, "IPTxt1")->SetIPtext(QStringLiteral("10.0.0.5"));
    Find<QRadioButton>(*editor, "optDevice1")->click();
    List(*editor, "cmbEdge")->setCurrentIndex(1);
    List(*editor, "cmbDevice")->setCurrentIndex(0);
    Click(*editor, "CmdAdd");
    EXPECT_EQ(Doc().ActionCount(6), 0) << "no port chosen";
    List(*editor, "cmbPort")->setCurrentIndex(3);
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(6), 1);
    EXPECT_EQ(test::Visible(Doc().Action(6, 0)->Params),
              test::Visible(Params("IP=10.0.0.5$PORT=80$USR=$PWD=$DEV=1$SEN=15$")));

    auto reopened = Open<FrmAlarm>(ActRemoteAlarm, 6, 0);
    EXPECT_TRUE(Find<QRadioButton>(*reopened, "optDevice1")->isChecked());
    EXPECT_EQ(List(*reopened, "cmbEdge")->currentIndex(), 1);
    EXPECT_EQ(List(*reopened, "cmbDevice")->currentIndex(), 0);
    EXPECT_EQ(List(*reopened, "cmbPort")->currentIndex(), 3);
    EXPECT_TRUE(Button(*reopened, "BTL1")->isEnabled());
}

TEST_F(RemoteAlarmEditor, CameraSourcesAreSelectedAgainByNumber)
{
    const struct
    {
        const char* Params;
        const char* Kind;
        const char* Source;
    } cases[] = {
        {"IP=1.2.3.4$PORT=81$USR=a$PWD=b$DEV=0$SEN=101$", "OTHC", "Tampering"},
        {"IP=1.2.3.4$PORT=81$USR=a$PWD=b$DEV=0$SEN=abc$", "EIMD", "Detector alarm"},
        {"IP=1.2.3.4$PORT=81$USR=a$PWD=b$DEV=0$SEN=52$", "PCAM", "Camera event 3"},
    };
    for (const auto& c : cases) {
        const int index = Stored(c.Params);
        auto editor = Open<FrmAlarm>(ActRemoteAlarm, 6, index);
        EXPECT_EQ(Find<IPTxt>(*editor, "IPTxt1")->IPtext(), QStringLiteral("1.2.3.4"));
        EXPECT_EQ(Find<QLineEdit>(*editor, "TxtPort")->text(), QStringLiteral("81"));
        EXPECT_EQ(List(*editor, "cmbNameSens")->currentData().toString(), QLatin1String(c.Kind)) << c.Params;
        EXPECT_EQ(List(*editor, "cmbListSens")->currentText(), QLatin1String(c.Source)) << c.Params;
        EXPECT_TRUE(Button(*editor, "BTL1")->isEnabled());
    }
}

TEST_F(RemoteAlarmEditor, AFailedLoadKeepsWhatItFilledAndTheTimeTableClosed)
{
    const struct
    {
        const char* Params;
    } cases[] = {
        {"IP=1.2.3.4$PORT=81$USR=a$PWD=b$SEN=3$"},       // no DEV
        {"IP=1.2.3.4$PORT=81$USR=a$PWD=b$DEV=x$SEN=3$"}, // DEV not a number
        {"IP=1.2.3.4$PORT=81$USR=a$PWD=b$DEV=1$SEN=9$"}, // device position 0
    };
    for (const auto& c : cases) {
        const int index = Stored(c.Params);
        auto editor = Open<FrmAlarm>(ActRemoteAlarm, 6, index);
        EXPECT_EQ(Find<QLineEdit>(*editor, "TxtUsr")->text(), QStringLiteral("a")) << c.Params;
        EXPECT_FALSE(Button(*editor, "BTL1")->isEnabled()) << c.Params;
        EXPECT_EQ(List(*editor, "cmbDevice")->currentIndex(), -1) << c.Params;
    }
}

} // namespace
} // namespace kor
