#include "SessionFixture.h"

#include "rules/ui/FrmTT.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kor {
namespace {

class TimeTableScreen : public test::SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        Doc().AddAction(3, ActionRecord{});
        Doc().AddAction(3, ActionRecord{});
        m_screen = std::make_unique<FrmTT>(m_session);
        m_screen->SetSen(3);
        m_screen->SetActv(1);
        m_screen->FillGrd();
        m_screen->show();
        m_screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_screen.get()));
    }

    QTreeWidget* List() { return m_screen->findChild<QTreeWidget*>(QStringLiteral("lst")); }

    // Types into a time field from its start, then leaves it.
    void Type(int field, const char* keys)
    {
        QLineEdit* edit = m_screen->TimeField(field);
        edit->setFocus();
        QCoreApplication::processEvents();
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QLatin1String(keys));
        m_screen->TimeField(1 - field)->setFocus();
    }

    void Add(const char* start, const char* end)
    {
        m_screen->TimeField(0)->setText(QLatin1String(start));
        m_screen->TimeField(1)->setText(QLatin1String(end));
        QTest::mouseClick(m_screen->findChild<QPushButton*>(QStringLiteral("CmdAdd")), Qt::LeftButton);
    }

    std::vector<Interval> Day(int day) { return Doc().DayIntervals(3, 1, day); }

    QStringList Rows()
    {
        QStringList rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            rows << List()->topLevelItem(i)->text(0) + u'-' + List()->topLevelItem(i)->text(1);
        return rows;
    }

    std::unique_ptr<FrmTT> m_screen;
};

const Interval kMorning{{8, 0, 0}, {12, 30, 0}};
const Interval kEvening{{18, 0, 0}, {23, 0, 15}};

TEST_F(TimeTableScreen, OpensOnMondayWithMidnightInBothFields)
{
    EXPECT_EQ(m_screen->CurrentDay(), 1);
    EXPECT_TRUE(m_screen->DayButton(1)->isChecked());
    EXPECT_EQ(m_screen->DayButton(1)->text(), QStringLiteral("Monday"));
    EXPECT_EQ(m_screen->TimeField(0)->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(m_screen->TimeField(1)->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(m_screen->findChild<QAction*>(QStringLiteral("mnu_pasteall"))->text(),
              QStringLiteral("Paste to every day"));
}

TEST_F(TimeTableScreen, TypingOverwritesDigitsAndLeavingChecksTheTime)
{
    QLineEdit* edit = m_screen->TimeField(0);
    edit->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->cursorPosition(), 0) << "entering puts the caret at the start";
    QTest::keyClicks(edit, QStringLiteral("1230"));
    EXPECT_EQ(edit->text(), QStringLiteral("12:30:00"));
    QTest::keyClicks(edit, QStringLiteral("x-: "));
    EXPECT_EQ(edit->text(), QStringLiteral("12:30:00")) << "only digits are taken";
    QTest::keyClick(edit, Qt::Key_9);
    EXPECT_EQ(edit->text(), QStringLiteral("12:30:90"));
    m_screen->TimeField(1)->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("00:00:00")) << "second 90 resets when the field is left";
}

TEST_F(TimeTableScreen, HoursAndMinutesOutOfRangeResetWhenLeft)
{
    Type(0, "24");
    EXPECT_EQ(m_screen->TimeField(0)->text(), QStringLiteral("00:00:00"));
    Type(1, "0060");
    EXPECT_EQ(m_screen->TimeField(1)->text(), QStringLiteral("00:00:00"));
    Type(1, "235959");
    EXPECT_EQ(m_screen->TimeField(1)->text(), QStringLiteral("23:59:59"));
}

TEST_F(TimeTableScreen, ADigitAtTheEndReplacesTheLastCharacter)
{
    QLineEdit* edit = m_screen->TimeField(0);
    edit->setFocus();
    edit->setText(QStringLiteral("08:00:00"));
    edit->setCursorPosition(8);
    QTest::keyClick(edit, Qt::Key_5);
    EXPECT_EQ(edit->text(), QStringLiteral("08:00:05"));
    EXPECT_EQ(edit->cursorPosition(), 8);
}

TEST_F(TimeTableScreen, AddsIntervalsThatEndAfterTheyStart)
{
    Add("08:00:00", "08:00:00");
    EXPECT_TRUE(Day(1).empty());
    Add("09:00:00", "08:00:00");
    EXPECT_TRUE(Day(1).empty());
    Doc().Saved = true;
    Add("08:00:00", "12:30:00");
    EXPECT_EQ(Day(1), std::vector<Interval>{kMorning});
    EXPECT_FALSE(Doc().Saved);
    EXPECT_EQ(Rows(), test::Strings({"08:00:00-12:30:00"}));
    EXPECT_EQ(m_screen->TimeField(1)->text(), QStringLiteral("12:30:00")) << "the fields keep their values";

    // Enter in a time field adds too; seconds stay in the document.
    m_screen->TimeField(0)->setText(QStringLiteral("18:00:00"));
    m_screen->TimeField(1)->setText(QStringLiteral("23:00:15"));
    QTest::keyClick(m_screen->TimeField(1), Qt::Key_Return);
    EXPECT_EQ(Day(1), (std::vector<Interval>{kMorning, kEvening}));
    EXPECT_TRUE(Doc().DayIntervals(3, 0, 1).empty()) << "only the action being edited";
}

TEST_F(TimeTableScreen, DayButtonsChooseTheDayTheIntervalsGoTo)
{
    m_screen->DayButton(3)->trigger();
    EXPECT_EQ(m_screen->CurrentDay(), 3);
    Add("08:00:00", "12:30:00");
    EXPECT_EQ(Day(3), std::vector<Interval>{kMorning});
    EXPECT_TRUE(Day(1).empty());
    m_screen->DayButton(1)->trigger();
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    m_screen->DayButton(3)->trigger();
    EXPECT_EQ(List()->topLevelItemCount(), 1);
}

TEST_F(TimeTableScreen, DeletingTheOnlyIntervalDropsTheDay)
{
    QAction* remove = m_screen->findChild<QAction*>(QStringLiteral("Delete"));
    remove->trigger(); // an empty list: nothing
    Add("08:00:00", "12:30:00");
    Add("18:00:00", "23:00:15");
    // Nothing selected: the first row goes.
    List()->clearSelection();
    remove->trigger();
    EXPECT_EQ(Day(1), std::vector<Interval>{kEvening});
    List()->topLevelItem(0)->setSelected(true);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_TRUE(Day(1).empty());
    EXPECT_TRUE(Doc().Action(3, 1)->TimeTable.IsEmpty());
}

TEST_F(TimeTableScreen, CopyPasteAndPasteToEveryOtherDay)
{
    QMenu* menu = m_screen->PopupMenu();
    QAction* copy = m_screen->findChild<QAction*>(QStringLiteral("mnu_copy"));
    QAction* paste = m_screen->findChild<QAction*>(QStringLiteral("mnu_paste"));
    QAction* pasteAll = m_screen->findChild<QAction*>(QStringLiteral("mnu_pasteall"));
    auto rightClick = [&] {
        QTest::mouseRelease(List()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        menu->hide();
    };

    m_screen->DayButton(3)->trigger();
    Add("08:00:00", "12:30:00");
    rightClick();
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_FALSE(pasteAll->isEnabled());

    List()->topLevelItem(0)->setSelected(true);
    rightClick();
    EXPECT_TRUE(copy->isEnabled());
    copy->trigger();
    copy->trigger(); // the clipboard is not emptied by a copy
    EXPECT_EQ(m_screen->Clipboard().size(), 2u);
    rightClick();
    EXPECT_TRUE(paste->isEnabled());

    m_screen->DayButton(5)->trigger();
    paste->trigger();
    EXPECT_EQ(Day(5), (std::vector<Interval>{kMorning, kMorning}));

    pasteAll->trigger();
    for (int day = 1; day <= 7; ++day) {
        const std::size_t expected = day == 3 ? 1 : day == 5 ? 4 : 2;
        EXPECT_EQ(Day(day).size(), expected) << day;
    }
    EXPECT_EQ(List()->topLevelItemCount(), 4) << "the list shows the current day again";
}

TEST_F(TimeTableScreen, AnActionBeyondTheRuleShowsNothing)
{
    m_screen->SetActv(7);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    Add("08:00:00", "12:30:00");
    EXPECT_FALSE(Doc().Action(3, 7));
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

} // namespace
} // namespace kor
