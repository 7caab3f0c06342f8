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

// The window as a user clicks through it; which screen a step or a number shows, and when a
// switch is refused, are MainForm's rules.
class MainWindow : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        LoadCamera();
        MakeWindow();
        m_session.Document().InputOneAsSensor = 1;
        m_window->ShowScreen(0);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void Click(const char* name)
    {
        QTest::mouseClick(m_window->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    QString ActiveClass() const
    {
        return QString::fromLatin1(m_window->ActiveScreen()->metaObject()->className());
    }
};

TEST_F(MainWindow, WorkflowToolListAndTheDetectorScreen)
{
    m_window->ToolAction(frmmain::ToolAssistant)->trigger();
    const char* classes[] = {"FrmAssist0", "FrmGen",  "FrmAssist0", "frmEventos",
                             "FrmAssist0", "FrmZelk", "FrmAssist0", "FrmConnect"};
    for (int step = 0; step <= 7; ++step) {
        EXPECT_EQ(ActiveClass(), QStringLiteral("kor::") + QLatin1String(classes[step])) << step;
        if (step == 2) {
            auto* help = qobject_cast<FrmAssist0*>(m_window->ActiveScreen());
            EXPECT_TRUE(help->LoadedFile().endsWith(QStringLiteral("as1en.html")))
                << "help text 1 in English";
        }
        Click("CmdNext");
    }
    EXPECT_EQ(m_window->StepIndex(), 7) << "a disabled Next leaves the last step";
    Click("CmdBack");
    EXPECT_EQ(m_window->StepIndex(), 6);

    QListWidget* list = m_window->findChild<QListWidget*>(QStringLiteral("LstTools"));
    m_session.Document().InputOneAsSensor = 0;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(ActiveClass(), QStringLiteral("kor::FrmGen"));
    EXPECT_TRUE(m_window->findChild<QPushButton*>(QStringLiteral("CmdNext"))->isHidden());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(ActiveClass(), QStringLiteral("kor::FrmGen"))
        << "input 1 is not the detector: the screen stays";
    EXPECT_EQ(m_dialogs.Messages(), QStringList{LangText(179)});
}

TEST_F(MainWindow, NoSwitchNorCloseWhileTheDeviceLinkIsBusy)
{
    m_window->ShowScreen(1);
    m_session.SetDeviceBusy(true);
    EXPECT_FALSE(m_window->ShowScreen(2));
    EXPECT_FALSE(m_window->ToolBar()->isEnabled());
    QCloseEvent close;
    QApplication::sendEvent(m_window.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    m_session.SetDeviceBusy(false);
    EXPECT_TRUE(m_window->ToolBar()->isEnabled());
    EXPECT_TRUE(m_window->ShowScreen(2));
}

// The save question before closing: cancel keeps the window, no closes it, a saved document closes
// without asking; the answers' own outcomes are the save question's.
TEST_F(MainWindow, ClosingWithUnsavedChangesAsks)
{
    const struct
    {
        bool Saved;
        std::optional<Answer> Reply;
        bool Closes;
    } cases[] = {{false, Answer::Cancel, false}, {false, Answer::No, true}, {true, std::nullopt, true}};
    for (const auto& c : cases) {
        m_dialogs.Clear();
        m_session.Document().Saved = c.Saved;
        if (c.Reply)
            m_dialogs.QueueAnswer(*c.Reply);
        QCloseEvent close;
        QApplication::sendEvent(m_window.get(), &close);
        EXPECT_EQ(close.isAccepted(), c.Closes);
        EXPECT_EQ(m_dialogs.Questions(), c.Reply ? QStringList{LangText(180)} : QStringList());
    }
}

} // namespace
} // namespace kor::test
