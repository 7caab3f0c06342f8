#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ScriptedDialogs.h"
#include "config/ConfigText.h"
#include "rules/ui/FrmGen.h"
#include "rules/ui/FrmZelk.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kor {
namespace {

class SettingsPages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The built resources, when the test runs outside ctest.
        if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
            qputenv("KOR_RESOURCES", (test::BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
        ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
        Doc().ResetConfig();
        Doc().Saved = true;
    }
    void TearDown() override { FreeLanguage(); }

    ConfigDocument& Doc() { return m_session.Document(); }

    template <typename T> T* Find(QWidget& page, const char* name)
    {
        T* control = page.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
};

// Steps a spinner up once, as the arrow button does.
void StepUp(QSpinBox* spinner)
{
    spinner->stepBy(1);
}

TEST_F(SettingsPages, GeneralPageShowsAndStoresTheTextFieldsAsTyped)
{
    Doc().GeneralSettings.SMTPH = "mail.example.invalid";
    Doc().GeneralSettings.CRAPORT = "9999";
    FrmGen page(m_session);
    EXPECT_EQ(Find<QLineEdit>(page, "txtSMTP")->text(), QStringLiteral("mail.example.invalid"));
    EXPECT_EQ(Find<QLineEdit>(page, "txtCRAPort")->text(), QStringLiteral("9999"));
    EXPECT_TRUE(Doc().Saved) << "showing the page changes nothing";

    struct Field
    {
        const char* Name;
        std::string GeneralSettings::*Member;
    };
    const Field fields[] = {
        {"txtSMTP", &GeneralSettings::SMTPH},        {"txtSMTPPort", &GeneralSettings::SMTPP},
        {"txtFromAddr", &GeneralSettings::SNDADDR},  {"txtReplyAddr", &GeneralSettings::RPLYADDR},
        {"txtCIDHeader", &GeneralSettings::CIDHEAD}, {"txtClientNum", &GeneralSettings::CLIENTNUM},
        {"txtCRAIP", &GeneralSettings::CRAIP},       {"txtCRAPort", &GeneralSettings::CRAPORT},
    };
    for (const Field& field : fields) {
        QLineEdit* edit = Find<QLineEdit>(page, field.Name);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral(" caf"));
        edit->insert(QString::fromUtf8("\xC3\xA9"));
        QTest::keyClicks(edit, QStringLiteral(" ;x "));
        EXPECT_EQ(Doc().GeneralSettings.*field.Member, std::string(" caf\xE9 ;x ")) << field.Name;
    }
    EXPECT_FALSE(Doc().Saved) << "an edit of the page is a change the user can lose";
}

TEST_F(SettingsPages, GeneralPageLabelsAreTheFirstLineOfText139AndText140)
{
    FrmGen page(m_session);
    const QString first = FrmGen::FirstLineOf(LangText(139)).trimmed();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(Find<QLabel>(page, "Label1")->text(), first);
    EXPECT_EQ(Find<QLabel>(page, "Label2")->text(), LangText(140));
    EXPECT_EQ(FrmGen::FirstLineOf(QStringLiteral("one\ntwo\nthree")), QStringLiteral("one\n"));
    EXPECT_EQ(FrmGen::FirstLineOf(QStringLiteral("no line break")), QString());
}

TEST_F(SettingsPages, BufferSpinnersFallBackWhenALimitBreaks)
{
    struct Case
    {
        const char* Name;
        GeneralSettings Start;
        const char* Spinner;
        int TypedValue; // 0: one step up
        int Shown;
        std::uint8_t GeneralSettings::*Field;
        int Stored;
    };
    auto pairs = [](int fs, int ftm, int fsb, int ftmb) {
        GeneralSettings general;
        general.FS = static_cast<std::uint8_t>(fs);
        general.FTM = static_cast<std::uint8_t>(ftm);
        general.FSB = static_cast<std::uint8_t>(fsb);
        general.FTMB = static_cast<std::uint8_t>(ftmb);
        return general;
    };
    const Case cases[] = {
        {"frames 2 -> 3 with 5 seconds (15) falls back", pairs(2, 5, 1, 1), "udFrames", 0, 2,
         &GeneralSettings::FS, 2},
        {"alarm seconds 5 -> 6 with 2x5 + 2x5 (22) falls back", pairs(2, 5, 2, 5), "udbSegBuff", 0, 5,
         &GeneralSettings::FTMB, 5},
        {"a change within the limits is stored", pairs(2, 2, 2, 2), "udSegBuff", 0, 3, &GeneralSettings::FTM,
         3},
        {"typing 10 seconds with 4 frames settles on 2", pairs(4, 1, 1, 1), "udSegBuff", 10, 2,
         &GeneralSettings::FTM, 2},
        {"over the limit from a file: the document keeps its value", pairs(4, 3, 2, 2), "udbFrames", 0, 2,
         &GeneralSettings::FSB, 2},
    };
    for (const Case& c : cases) {
        Doc().GeneralSettings = c.Start;
        Doc().Saved = true;
        FrmGen page(m_session);
        QSpinBox* spinner = Find<QSpinBox>(page, c.Spinner);
        if (c.TypedValue == 0)
            StepUp(spinner);
        else
            spinner->setValue(c.TypedValue);
        EXPECT_EQ(spinner->value(), c.Shown) << c.Name;
        EXPECT_EQ(Doc().GeneralSettings.*c.Field, c.Stored) << c.Name;
        EXPECT_EQ(Doc().Saved, c.Stored == c.Start.*c.Field) << c.Name;
    }
}

TEST_F(SettingsPages, GeneralPageShowsValuesFromAFileAsTheyAre)
{
    // demo.kma holds 4 x 3, more than the check allows; the page neither hides nor changes it.
    Doc().GeneralSettings.FS = 4;
    Doc().GeneralSettings.FTM = 3;
    Doc().GeneralSettings.FSB = 0;
    Doc().GeneralSettings.FTMB = 12;
    FrmGen page(m_session);
    EXPECT_EQ(Find<QSpinBox>(page, "udFrames")->value(), 4);
    EXPECT_EQ(Find<QSpinBox>(page, "udSegBuff")->value(), 3);
    EXPECT_EQ(Find<QSpinBox>(page, "udbFrames")->value(), 0);
    EXPECT_EQ(Find<QSpinBox>(page, "udbSegBuff")->value(), 12);
    EXPECT_EQ(Doc().GeneralSettings.FTM, 3);
    EXPECT_EQ(Doc().GeneralSettings.FTMB, 12);
    EXPECT_TRUE(Doc().Saved);
    // Stepping the over-full pair down reaches values the check accepts.
    Find<QSpinBox>(page, "udSegBuff")->stepBy(-1);
    EXPECT_EQ(Doc().GeneralSettings.FTM, 2);
}

TEST_F(SettingsPages, DetectorPageBaseCodeTakesDigitsOnly)
{
    Doc().ZelkSettings.BC = 5;
    FrmZelk page(m_session);
    QLineEdit* bc = Find<QLineEdit>(page, "TxtBC");
    EXPECT_EQ(bc->text(), QStringLiteral("5"));
    EXPECT_TRUE(Doc().Saved);

    QTest::keyClicks(bc, QStringLiteral("a-+ ."));
    EXPECT_EQ(bc->text(), QStringLiteral("5")) << "a letter or sign changes nothing";
    EXPECT_EQ(Doc().ZelkSettings.BC, 5);
    EXPECT_TRUE(Doc().Saved);

    QTest::keyClicks(bc, QStringLiteral("12"));
    EXPECT_EQ(Doc().ZelkSettings.BC, 512);
    QTest::keyClick(bc, Qt::Key_Backspace);
    QTest::keyClick(bc, Qt::Key_Backspace);
    QTest::keyClick(bc, Qt::Key_Backspace);
    EXPECT_EQ(bc->text(), QString());
    EXPECT_EQ(Doc().ZelkSettings.BC, 0) << "an empty field stores 0";
    EXPECT_FALSE(Doc().Saved);

    QTest::keyClicks(bc, QStringLiteral("32767"));
    EXPECT_EQ(Doc().ZelkSettings.BC, 32767);
    bc->clear();
    QTest::keyClicks(bc, QStringLiteral("40000"));
    EXPECT_EQ(bc->text(), QStringLiteral("4000")) << "a digit that would not fit the base code is refused";
    EXPECT_EQ(Doc().ZelkSettings.BC, 4000);
}

TEST_F(SettingsPages, DetectorPageFlagsReachTheDetectorLine)
{
    Doc().ZelkSettings.S.fill(true);
    Doc().ZelkSettings.S[5] = false;
    Doc().ZelkSettings.MSK[4] = true;
    FrmZelk page(m_session);
    EXPECT_FALSE(Find<QCheckBox>(page, "ChkActv5")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(page, "ChkActv0")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(page, "ChkMsk6")->isChecked()) << "box i shows mask flag i - 2";
    EXPECT_EQ(page.findChild<QCheckBox*>(QStringLiteral("ChkMsk1")), nullptr);
    EXPECT_EQ(Find<QLabel>(page, "LblSen0")->text(), LangText(119) + QStringLiteral(" 01:"));
    EXPECT_EQ(Find<QLabel>(page, "LblSen7")->text(), LangText(119) + QStringLiteral(" 08:"));
    EXPECT_TRUE(Doc().Saved);

    Find<QCheckBox>(page, "ChkActv3")->click();
    Find<QCheckBox>(page, "ChkMsk2")->click();
    const std::string line = ZelkLineText(Doc().ZelkSettings);
    EXPECT_EQ(line.find("S3=1"), std::string::npos) << line;
    EXPECT_NE(line.find("S2=1"), std::string::npos) << line;
    EXPECT_NE(line.find("MSK0=1"), std::string::npos) << line;
    EXPECT_TRUE(Doc().ZelkSettings.MSK[0]);
    EXPECT_FALSE(Doc().Saved);
}

} // namespace
} // namespace kor
