// The typical road through the rule-editing screens: the catalogue, the rule list of SIMD3, a new
// output action (output 1, timed on-off for 10 seconds), its time table, and the upload file.

#include "EditorHarness.h"
#include "TestSupport.h"

#include "actions/ui/FrmActvs.h"
#include "config/ConfigFiles.h"
#include "rules/ui/FrmSens.h"
#include "rules/ui/FrmTT.h"
#include "rules/ui/ModalScreens.h"
#include "rules/ui/frmEventos.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace kor {
namespace {

class TypicalRoad : public test::EditorHarness
{
protected:
    void SetUp() override
    {
        EditorHarness::SetUp();
        SetActionEditorLauncher(&OpenActionEditor);
    }
    void TearDown() override
    {
        SetActionEditorLauncher(nullptr);
        EditorHarness::TearDown();
    }

    // Every modal screen, in the order they open, gets the next step.
    void Expect(const char* screen, std::function<void(QDialog*)> step)
    {
        m_steps.push_back([screen, step = std::move(step)](QDialog* dialog) {
            ASSERT_EQ(dialog->objectName(), QLatin1String(screen));
            dialog->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
            step(dialog);
        });
    }

    static void DoubleClick(QTreeWidget* list, int row)
    {
        QTreeWidgetItem* item = list->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        list->setCurrentItem(item);
        // A double click follows a first click, as the item view expects.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    std::deque<std::function<void(QDialog*)>> m_steps;
};

TEST_F(TypicalRoad, FromTheCatalogueToTheUploadFile)
{
    ScopedModalDriver driver([this](QDialog* dialog) {
        ASSERT_FALSE(m_steps.empty()) << "unexpected " << dialog->objectName().toStdString();
        const auto step = std::move(m_steps.front());
        m_steps.pop_front();
        step(dialog);
    });

    // The rule list of SIMD3: the output button opens a new action; the stored action is opened
    // again for its time table; then the list is closed.
    Expect("FrmSens", [this](QDialog* dialog) {
        auto* rules = qobject_cast<FrmSens*>(dialog);
        EXPECT_EQ(rules->ClaveSens(), 3);
        rules->ActionButton(1)->trigger();
        auto* list = Find<QTreeWidget>(*rules, "lst");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Switch on and off output 1 for 10S"));
        DoubleClick(list, 0);
        QTest::mouseClick(Find<QPushButton>(*rules, "CmdAdd"), Qt::LeftButton);
    });
    // The new action: output 1, timed on-off, 10 seconds.
    Expect("FrmActvs", [this](QDialog* dialog) {
        auto* editor = qobject_cast<FrmActvs*>(dialog);
        EXPECT_FALSE(Button(*editor, "BTL1")->isEnabled());
        EXPECT_TRUE(Button(*editor, "BTL1")->toolTip().startsWith(QStringLiteral("Store the action first")));
        Find<QComboBox>(*editor, "CmbActvs")->setCurrentIndex(1);
        // On the option's round indicator: the row is wider than what answers a click.
        QRadioButton* timed = Find<QRadioButton>(*editor, "OptONOFF");
        QTest::mouseClick(timed, Qt::LeftButton, {}, QPoint(6, timed->height() / 2));
        QLineEdit* seconds = Find<QLineEdit>(*editor, "TxtSeg");
        seconds->selectAll();
        QTest::keyClicks(seconds, QStringLiteral("10"));
        Click(*editor, "CmdAdd");
    });
    // The stored action: its time table, then confirmed again unchanged.
    Expect("FrmActvs", [this](QDialog* dialog) {
        auto* editor = qobject_cast<FrmActvs*>(dialog);
        EXPECT_EQ(Button(*editor, "CmdAdd")->text(), QStringLiteral("Save"));
        Click(*editor, "BTL1");
        Click(*editor, "CmdAdd");
    });
    // Mondays 08:00 to 18:00.
    Expect("FrmTT", [this](QDialog* dialog) {
        auto* table = qobject_cast<FrmTT*>(dialog);
        table->TimeField(0)->setText(QStringLiteral("08:00:00"));
        table->TimeField(1)->setText(QStringLiteral("18:00:00"));
        QTest::mouseClick(Find<QPushButton>(*table, "CmdAdd"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(*table, "cmdAccept"), Qt::LeftButton);
    });

    frmEventos catalogue(m_session);
    catalogue.resize(760, 540);
    catalogue.show();
    auto* kinds = Find<QComboBox>(catalogue, "cmbNameSens");
    const int digitalInputs = kinds->findData(QStringLiteral("SIMD"), Qt::UserRole);
    kinds->setCurrentIndex(digitalInputs);
    Q_EMIT kinds->activated(digitalInputs);
    auto* sources = Find<QComboBox>(catalogue, "cmbListSens");
    sources->setCurrentIndex(sources->findData(QStringLiteral("SIMD3"), Qt::UserRole));
    QTest::mouseClick(Find<QToolButton>(catalogue, "imgBajar"), Qt::LeftButton);
    auto* hint = Find<QLabel>(catalogue, "lblHint");
    EXPECT_TRUE(hint->text().endsWith(QStringLiteral("no actions yet: Input 3"))) << "named before it goes";
    DoubleClick(Find<QTreeWidget>(catalogue, "lvwCargaEventos"), 0);
    EXPECT_EQ(hint->text(), QStringLiteral("Double-click a source to edit its actions."));
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " screens did not open";

    const DeviceLine device{80, "root", "pass", "", "AXIS"};
    ASSERT_TRUE(test::IsOk(WriteAlarmAppFile(Doc(), m_dir.path(), device)));
    const std::string written = test::ReadBytes(QDir(m_dir.path()).filePath(QStringLiteral("alarm_app")));
    const std::string expected =
        "#USR=root;PWD=pass;PORT=80;MAC=;BRAND=AXIS;\n"
        "#SSTART3\n"
        "#ACTION=Activate output;TP=0;PARAMS=DISP=1$ON=2$TM=10S$;"
        "TT=#108001800;\n"
        "#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;SMTPH=;SMTPP=25;SNDADDR=;RPLYADDR=;CIDHEAD=;CLIENTNUM=;CRAIP=;"
        "CRAPORT=;\n"
        "#ZELK;BC=0;S0=1;S1=1;S2=1;S3=1;S4=1;S5=1;S6=1;S7=1;\n";
    EXPECT_EQ(test::Visible(written), test::Visible(expected));
    EXPECT_FALSE(Doc().Saved);
    EXPECT_FALSE(m_session.TaskListDirty()) << "a digital input needs no device task";
}

} // namespace
} // namespace kor
