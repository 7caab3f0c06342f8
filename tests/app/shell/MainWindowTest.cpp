#include "ShellFixture.h"

#include "app/Language.h"
#include "app/ui/FrmAssist0.h"
#include "app/ui/MainCommands.h"
#include "app/ui/frmmain.h"

#include <QAction>
#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace kor::test {
namespace {

class MainWindow : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        OpenDatabase();
        LoadCamera();
        MakeWindow();
        m_session.Document().InputOneAsSensor = 1;
        m_window->ShowScreen(0);
    }

    QPushButton* Button(const char* name) { return m_window->findChild<QPushButton*>(QLatin1String(name)); }
    QString ActiveClass() const
    {
        return m_window->ActiveScreen()
                   ? QString::fromLatin1(m_window->ActiveScreen()->metaObject()->className())
                   : QString();
    }
};

TEST_F(MainWindow, ToolBarHasNineButtonsWithTwoPlaceholders)
{
    QToolBar* toolBar = m_window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_NE(toolBar, nullptr);
    ASSERT_EQ(toolBar->actions().size(), 9);
    for (int position = 1; position <= 9; ++position) {
        QAction* action = toolBar->actions()[position - 1];
        EXPECT_EQ(action->data().toInt(), position);
        const bool placeholder = position == 5 || position == 8;
        EXPECT_EQ(action->icon().isNull(), placeholder) << position;
    }
    EXPECT_EQ(m_window->ToolAction(frmmain::ToolDownload)->toolTip(), QStringLiteral("166"))
        << "captions are text numbers until the language texts are applied";
    QListWidget* list = m_window->findChild<QListWidget*>(QStringLiteral("LstTools"));
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), LangText(171));
    EXPECT_EQ(list->item(1)->text(), LangText(159));
    EXPECT_EQ(list->item(2)->text(), LangText(172));
    EXPECT_EQ(list->item(3)->text(), LangText(173));
}

TEST_F(MainWindow, WorkflowStepsShowTheirScreensAndButtons)
{
    struct Step
    {
        std::uint8_t Screen;
        const char* Class;
        bool Back;
        bool Next;
        const char* Help; // the help file of an even step
    };
    const Step steps[] = {
        {0, "kor::FrmAssist0", false, true, "as0en.html"}, {1, "kor::FrmGen", true, true, nullptr},
        {0, "kor::FrmAssist0", true, true, "as1en.html"},  {2, nullptr, true, true, nullptr},
        {0, "kor::FrmAssist0", true, true, "as2en.html"},  {3, "kor::FrmZelk", true, true, nullptr},
        {0, "kor::FrmAssist0", true, true, "as3en.html"},  {4, nullptr, true, false, nullptr},
    };
    m_window->SetStepIndex(0);
    m_window->ShowStep();
    for (int step = 0; step <= 7; ++step) {
        const Step& expected = steps[step];
        EXPECT_EQ(m_window->StepIndex(), step);
        EXPECT_EQ(m_window->ScreenIndex(), expected.Screen) << "step " << step;
        EXPECT_EQ(frmmain::ScreenOfStep(static_cast<std::uint8_t>(step)), expected.Screen);
        if (expected.Class) {
            EXPECT_EQ(ActiveClass(), QLatin1String(expected.Class)) << "step " << step;
        }
        if (expected.Help) {
            auto* help = qobject_cast<FrmAssist0*>(m_window->ActiveScreen());
            ASSERT_NE(help, nullptr);
            EXPECT_TRUE(help->LoadedFile().endsWith(QLatin1String(expected.Help)))
                << help->LoadedFile().toStdString();
        }
        EXPECT_EQ(Button("CmdBack")->isEnabled(), expected.Back) << "step " << step;
        EXPECT_EQ(Button("CmdNext")->isEnabled(), expected.Next) << "step " << step;
        if (step < 7)
            Button("CmdNext")->click();
    }
    Button("CmdNext")->click();
    EXPECT_EQ(m_window->StepIndex(), 7) << "a disabled Next leaves the last step";
    for (int step = 7; step > 0; --step)
        Button("CmdBack")->click();
    EXPECT_EQ(m_window->StepIndex(), 0);
    EXPECT_FALSE(Button("CmdBack")->isEnabled());
}

TEST_F(MainWindow, RestartingTheWorkflowEnablesNextAgain)
{
    m_window->SetStepIndex(7);
    m_window->ShowStep();
    ASSERT_FALSE(Button("CmdNext")->isEnabled());
    m_window->SetWorkflowButtonsVisible(false);
    m_window->ToolAction(frmmain::ToolAssistant)->trigger();
    EXPECT_EQ(m_window->StepIndex(), 0);
    EXPECT_EQ(m_window->ScreenIndex(), 0);
    EXPECT_TRUE(Button("CmdNext")->isEnabled());
    EXPECT_FALSE(Button("CmdBack")->isEnabled());
    EXPECT_FALSE(Button("CmdNext")->isHidden());
    EXPECT_FALSE(Button("CmdBack")->isHidden());
}

TEST_F(MainWindow, DetectorScreenNeedsTheDetectorOnInputOne)
{
    m_window->ShowScreen(1);
    m_session.Document().InputOneAsSensor = 0;
    EXPECT_FALSE(m_window->ShowScreen(3));
    EXPECT_EQ(m_window->ScreenIndex(), 1) << "the current screen stays";
    EXPECT_EQ(ActiveClass(), QStringLiteral("kor::FrmGen"));
    ASSERT_EQ(m_dialogs.Messages().size(), 1);
    EXPECT_EQ(m_dialogs.Messages()[0], LangText(179));
    EXPECT_EQ(m_dialogs.History().back().Icon, MessageIcon::Information);

    m_session.Document().InputOneAsSensor = 1;
    EXPECT_TRUE(m_window->ShowScreen(3));
    EXPECT_EQ(ActiveClass(), QStringLiteral("kor::FrmZelk"));
}

TEST_F(MainWindow, ToolListChoosesAScreenAndHidesTheWorkflowButtons)
{
    QListWidget* list = m_window->findChild<QListWidget*>(QStringLiteral("LstTools"));
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    const QRect zelk = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zelk.center());
    EXPECT_EQ(m_window->ScreenIndex(), 3);
    EXPECT_TRUE(Button("CmdBack")->isHidden());
    EXPECT_TRUE(Button("CmdNext")->isHidden());
    const QRect general = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, general.center());
    EXPECT_EQ(ActiveClass(), QStringLiteral("kor::FrmGen"));
}

TEST_F(MainWindow, NoSwitchNorCloseWhileTheDeviceLinkIsBusy)
{
    m_window->ShowScreen(1);
    m_session.SetDeviceBusy(true);
    EXPECT_FALSE(m_window->ShowScreen(2));
    EXPECT_EQ(m_window->ScreenIndex(), 1);
    EXPECT_FALSE(m_window->ToolBar()->isEnabled());
    QCloseEvent close;
    QApplication::sendEvent(m_window.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    m_session.SetDeviceBusy(false);
    EXPECT_TRUE(m_window->ToolBar()->isEnabled());
    EXPECT_TRUE(m_window->ShowScreen(2));
}

TEST_F(MainWindow, OtherScreenNumbersShowTheCatalogue)
{
    m_window->ShowScreen(2);
    const QString catalogue = ActiveClass();
    EXPECT_TRUE(m_window->ShowScreen(9));
    EXPECT_EQ(m_window->ScreenIndex(), 9);
    EXPECT_EQ(ActiveClass(), catalogue);
}

TEST_F(MainWindow, ClosingWithUnsavedChangesAsks)
{
    struct Case
    {
        Answer Reply;
        bool Closes;
    };
    for (const Case c : {Case{Answer::Cancel, false}, Case{Answer::No, true}}) {
        m_dialogs.Clear();
        m_session.Document().Saved = false;
        m_dialogs.QueueAnswer(c.Reply);
        QCloseEvent close;
        QApplication::sendEvent(m_window.get(), &close);
        EXPECT_EQ(close.isAccepted(), c.Closes);
        ASSERT_EQ(m_dialogs.Questions().size(), 1);
        EXPECT_EQ(m_dialogs.Questions()[0], LangText(180));
    }
    // Yes, and the save dialog cancelled: the window stays, the changes are not lost.
    m_dialogs.Clear();
    m_dialogs.QueueAnswer(Answer::Yes);
    QCloseEvent close;
    QApplication::sendEvent(m_window.get(), &close);
    EXPECT_FALSE(close.isAccepted());

    m_dialogs.Clear();
    m_session.Document().Saved = true;
    QCloseEvent saved;
    QApplication::sendEvent(m_window.get(), &saved);
    EXPECT_TRUE(saved.isAccepted());
    EXPECT_TRUE(m_dialogs.History().empty());
}

} // namespace
} // namespace kor::test
