#include "SessionFixture.h"

#include "app/ui/HistoryActions.h"
#include "config/ConfigText.h"
#include "rules/ui/FrmGen.h"
#include "rules/ui/FrmZelk.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

namespace kor {
namespace {

using SettingsPages = test::SessionFixture;

TEST_F(SettingsPages, StoreWhatIsTyped)
{
    Doc().GeneralSettings.FS = 2;
    Doc().GeneralSettings.FTM = 5;
    Doc().ZelkSettings.BC = 5;
    Doc().Saved = true;
    FrmGen general(m_session);
    FrmZelk detector(m_session);
    EXPECT_TRUE(Doc().Saved) << "showing the pages changes nothing";

    auto* frames = Find<QSpinBox>(general, "udFrames");
    QTest::keyClick(frames, Qt::Key_Up); // 3 x 5 breaks the limit: back to 2
    EXPECT_EQ(frames->value(), 2);
    EXPECT_TRUE(Doc().Saved);
    // One control of each sort: the field rules themselves are the settings forms'.
    QTest::keyClicks(Find<QLineEdit>(general, "txtCRAPort"), QStringLiteral("99 ;"));
    EXPECT_EQ(Doc().GeneralSettings.CRAPORT, "99 ") << "the general line's separator is refused";
    ASSERT_EQ(m_dialogs.Messages().size(), 1);
    EXPECT_TRUE(m_dialogs.Messages()[0].contains(QStringLiteral("cannot hold the character \";\"")))
        << m_dialogs.Messages()[0].toStdString();
    EXPECT_FALSE(Doc().Saved);

    QTest::keyClicks(Find<QLineEdit>(detector, "TxtBC"), QStringLiteral("a-1"));
    EXPECT_EQ(Doc().ZelkSettings.BC, 51) << "only the digit is taken";
    QTest::keyClick(Find<QCheckBox>(detector, "ChkMsk2"), Qt::Key_Space);
    EXPECT_NE(ZelkLineText(Doc().ZelkSettings).find("MSK0=1"), std::string::npos);
}

TEST_F(SettingsPages, AFieldEditUndoneShowsTheOldValue)
{
    Doc().GeneralSettings.SMTPH = "old.example";
    FrmGen general(m_session);
    AddHistoryActions(general, m_session);
    general.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&general));
    auto* host = Find<QLineEdit>(general, "txtSMTP");
    host->setFocus();
    QTest::keyClicks(host, QStringLiteral("-new"));
    QTest::keyClicks(Find<QLineEdit>(general, "txtCRAIP"), QStringLiteral("1"));
    ASSERT_EQ(Doc().GeneralSettings.SMTPH, "old.example-new");
    // The keys undo the history's steps, not the field's own typing: one step for the whole word.
    QTest::keyClick(host, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(host, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(host->text(), QStringLiteral("old.example"));
    EXPECT_EQ(Doc().GeneralSettings.SMTPH, "old.example");
    EXPECT_EQ(Find<QLineEdit>(general, "txtCRAIP")->text(), QString());
    QTest::keyClick(host, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(host->text(), QStringLiteral("old.example-new"));
}

} // namespace
} // namespace kor
