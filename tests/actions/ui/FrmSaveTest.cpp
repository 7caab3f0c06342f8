#include "EditorHarness.h"
#include "TestSupport.h"

#include "actions/ui/FrmSave.h"
#include "app/ui/IPTxt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace kor {
namespace {

class RecordingEditor : public test::EditorHarness
{
protected:
    void TypeKeys(FrmSave& editor, const char* first, const char* second)
    {
        Find<QLineEdit>(editor, "txtWM")->setText(QLatin1String(first));
        Find<QLineEdit>(editor, "txtWM2")->setText(QLatin1String(second));
    }
    bool PcFieldsEnabled(FrmSave& editor)
    {
        return Find<IPTxt>(editor, "IPTxt1")->Enabled() && Find<QSpinBox>(editor, "udFR")->isEnabled() &&
               Find<QLineEdit>(editor, "txtTime")->isEnabled() &&
               Find<QCheckBox>(editor, "chkPrealarm")->isEnabled();
    }
    bool PcFieldsDisabled(FrmSave& editor)
    {
        return !Find<IPTxt>(editor, "IPTxt1")->Enabled() && !Find<QSpinBox>(editor, "udFR")->isEnabled() &&
               !Find<QLineEdit>(editor, "txtTime")->isEnabled() &&
               !Find<QCheckBox>(editor, "chkPrealarm")->isEnabled();
    }
};

TEST_F(RecordingEditor, ANewActionRecordsInTheCameraWithoutWatermark)
{
    auto editor = Open<FrmSave>(ActRecord, 2, -1);
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("Record"));
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optCamPC0")->isChecked());
    EXPECT_TRUE(PcFieldsDisabled(*editor));
    EXPECT_FALSE(Find<QLineEdit>(*editor, "txtWM")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(*editor, "txtWM2")->isEnabled());

    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(2), 1);
    EXPECT_EQ(Doc().Action(2, 0)->Type, ActRecord);
    EXPECT_EQ(Doc().Action(2, 0)->Params, "");
}

TEST_F(RecordingEditor, ThePlaceAndTheWatermarkEnableTheirFields)
{
    auto editor = Open<FrmSave>(ActRecord, 2, -1);
    Find<QRadioButton>(*editor, "optCamPC1")->click();
    EXPECT_TRUE(PcFieldsEnabled(*editor));
    Find<QRadioButton>(*editor, "optCamPC0")->click();
    EXPECT_TRUE(PcFieldsDisabled(*editor));
    Find<QCheckBox>(*editor, "Check2")->click();
    EXPECT_TRUE(Find<QLineEdit>(*editor, "txtWM")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(*editor, "txtWM2")->isEnabled());
}

TEST_F(RecordingEditor, ChecksTheAddressThenTheKeys)
{
    auto editor = Open<FrmSave>(ActRecord, 2, -1);
    Find<QRadioButton>(*editor, "optCamPC1")->click();
    TypeKeys(*editor, "a", "b");
    Click(*editor, "CmdAdd");
    // An untouched address reads 0.0.0.0: no address.
    EXPECT_EQ(m_dialogs.Messages(), QStringList{QStringLiteral("Enter the IP address of the recording PC.")});
    EXPECT_EQ(Doc().ActionCount(2), 0);

    m_dialogs.Clear();
    Find<IPTxt>(*editor, "IPTxt1")->SetIPtext(QStringLiteral("10.0.0.5"));
    Click(*editor, "CmdAdd");
    // The keys differ while the watermark is not even ticked.
    EXPECT_EQ(m_dialogs.Messages(), QStringList{QStringLiteral("The two watermark keys do not match.")});
    EXPECT_EQ(Doc().ActionCount(2), 0);
    EXPECT_FALSE(editor->Stored());

    m_dialogs.Clear();
    TypeKeys(*editor, "same", "same");
    Find<QCheckBox>(*editor, "Check2")->click();
    Find<QCheckBox>(*editor, "chkPrealarm")->click();
    Find<QSpinBox>(*editor, "udFR")->setValue(4);
    Find<QLineEdit>(*editor, "txtTime")->setText(QStringLiteral("25"));
    Click(*editor, "CmdAdd");
    EXPECT_TRUE(m_dialogs.Messages().isEmpty());
    ASSERT_EQ(Doc().ActionCount(2), 1);
    EXPECT_EQ(test::Visible(Doc().Action(2, 0)->Params),
              test::Visible(Params("PC=10.0.0.5$PA=1$FR=4$TIME=25$WMK=same$")));
}

TEST_F(RecordingEditor, AnExistingPcActionOpensWithThePcFieldsEnabled)
{
    ActionRecord record;
    record.Type = ActRecord;
    record.Name = "Door";
    record.Params = Params("PC=10.9.8.7$PA=1$FR=6$TIME=15$WMK=mark$");
    Doc().AddAction(4, record);

    auto editor = Open<FrmSave>(ActRecord, 4, 0);
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optCamPC1")->isChecked());
    EXPECT_TRUE(PcFieldsEnabled(*editor));
    EXPECT_EQ(Find<IPTxt>(*editor, "IPTxt1")->IPtext(), QStringLiteral("10.9.8.7"));
    EXPECT_EQ(Find<QSpinBox>(*editor, "udFR")->value(), 6);
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtTime")->text(), QStringLiteral("15"));
    EXPECT_TRUE(Find<QCheckBox>(*editor, "chkPrealarm")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*editor, "Check2")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtWM2")->text(), QStringLiteral("mark"));
    EXPECT_TRUE(Button(*editor, "BTL1")->isEnabled());

    // Back to the camera: the PC keys go, the watermark stays.
    Find<QRadioButton>(*editor, "optCamPC0")->click();
    Click(*editor, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(4, 0)->Params), test::Visible(Params("WMK=mark$")));
}

} // namespace
} // namespace kor
