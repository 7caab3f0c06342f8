#include "SessionFixture.h"

#include "rules/ui/ActionEditorLauncher.h"
#include "rules/ui/FrmSens.h"

#include <QAction>
#include <QTest>
#include <QTreeWidget>

namespace kor {
namespace {

using RuleListScreen = test::SessionFixture;

TEST_F(RuleListScreen, OpensEditorsAndDeletesAfterAsking)
{
    UseModel(511 & ~4u, 0);
    std::vector<ActionEditorRequest> requests;
    SetActionEditorLauncher([&](AppSession&, const ActionEditorRequest& request, QWidget*) {
        requests.push_back(request);
        return true;
    });
    ActionRecord siren;
    siren.Name = "Siren";
    siren.Params = std::string("DISP=1\0ON=2\0TM=10S\0", 20);
    siren.TimeTable.Append(2, Interval{{8, 0, 0}, {12, 30, 0}});
    Doc().AddAction(3, siren);
    Doc().AddAction(3, ActionRecord{});
    FrmSens screen(m_session);
    screen.SetClaveSens(3);
    screen.Load();
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    auto* list = Find<QTreeWidget>(screen, "lst");

    // A call on a model that cannot call through a PC (a double click opens a stored action on the
    // typical road).
    screen.ActionButton(3)->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].Type == 2 && requests[0].ActionIndex == -1 && !requests[0].PC);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    Doc().Saved = true;
    m_dialogs.QueueAnswer(Answer::No);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    m_dialogs.QueueAnswer(Answer::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(m_dialogs.Questions().size(), 2);
    EXPECT_EQ(m_dialogs.History()[0].Title, QStringLiteral("Delete actions"));
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(Doc().Action(3, 0)->Deleted);
    EXPECT_FALSE(Doc().Saved);

    // Ctrl+Z brings the action back in its place, with its time table; the document is as saved.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    EXPECT_EQ(screen.findChild<QAction*>(QStringLiteral("EditUndo"))->text(),
              QStringLiteral("Undo: delete action 'Siren'"));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Siren"));
    EXPECT_EQ(Doc().DayIntervals(3, 0, 2).size(), 1u);
    EXPECT_TRUE(Doc().Saved);
    SetActionEditorLauncher(nullptr);
}

} // namespace
} // namespace kor
