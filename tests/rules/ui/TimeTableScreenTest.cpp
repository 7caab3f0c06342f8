#include "SessionFixture.h"

#include "rules/ui/FrmTT.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace kor {
namespace {

using TimeTableScreen = test::SessionFixture;

TEST_F(TimeTableScreen, TakesTimesFromTheKeyboard)
{
    Doc().AddAction(3, ActionRecord{});
    FrmTT screen(m_session);
    screen.SetSen(3);
    screen.SetActv(0);
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    QLineEdit* start = screen.TimeField(0);
    QLineEdit* end = screen.TimeField(1);
    auto* list = Find<QTreeWidget>(screen, "lst");
    auto type = [](QLineEdit* field, const char* keys) {
        field->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClicks(field, QLatin1String(keys));
    };

    type(start, "08x-: 3");
    EXPECT_EQ(start->text(), QStringLiteral("08:30:00")) << "digits overwrite, other keys are discarded";
    type(end, "1230");
    QTest::keyClick(end, Qt::Key_Return);
    screen.DayButton(3)->trigger();
    QTest::keyClick(end, Qt::Key_Return);
    EXPECT_EQ(Doc().DayIntervals(3, 0, 1), (std::vector<Interval>{{{8, 30, 0}, {12, 30, 0}}}));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("12:30:00"));

    // The context menu copies the row; paste-all gives it to every day but the one copied from.
    list->topLevelItem(0)->setSelected(true);
    QMenu* menu = screen.PopupMenu();
    for (const char* item : {"mnu_copy", "mnu_pasteall"}) {
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        menu->findChild<QAction*>(QLatin1String(item))->trigger();
        menu->hide();
    }
    EXPECT_EQ(Doc().DayIntervals(3, 0, 3).size(), 1u);
    EXPECT_EQ(Doc().DayIntervals(3, 0, 7).size(), 1u);
    screen.DayButton(1)->trigger();
    list->selectAll();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(Doc().DayIntervals(3, 0, 1).empty()) << "both selected rows are deleted";

    // Across midnight: asked, then kept as two; the buttons below the list copy Monday to Mon-Fri.
    for (auto [field, keys] : {std::pair{start, "2200"}, {end, "0600"}}) {
        field->setCursorPosition(0);
        QTest::keyClicks(field, QLatin1String(keys));
    }
    m_dialogs.QueueAnswer(Answer::Yes);
    QTest::keyClick(end, Qt::Key_Return);
    ASSERT_EQ(m_dialogs.Questions().size(), 1);
    EXPECT_EQ(Doc().DayIntervals(3, 0, 1), (std::vector<Interval>{{{22, 0, 0}, kEndOfDay}}));
    EXPECT_EQ(Doc().DayIntervals(3, 0, 2).back(), (Interval{{0, 0, 0}, {6, 0, 0}}));
    QTest::mouseClick(Find<QPushButton>(screen, "CmdCopyDay"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(screen, "CmdPasteWeekdays"), Qt::LeftButton);
    EXPECT_EQ(Doc().DayIntervals(3, 0, 5).size(), 2u);
}

} // namespace
} // namespace kor
