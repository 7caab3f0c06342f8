#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class QAction;
class QFrame;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QToolBar;
class QVBoxLayout;

namespace kor {

class AppSession;
class HistoryActions;
class NoticeWindow;
class ScreenRegistry;

// The main window: the tool bar Toolbar1, the tool list LstTools in the panel PicTool, the status
// panel PicStatus with the workflow buttons CmdBack and CmdNext, and the area right of the tool
// list where exactly one child screen is embedded (see ScreenRegistry for the numbers).
//
// The tool bar's commands are run by whoever connects to CommandRequested (MainCommands); the
// start-up is MainLoad's. Closing is refused while a device operation runs.
class frmmain : public QMainWindow
{
    Q_OBJECT

public:
    // Tool bar buttons by position (1-based); 5 and 8 are placeholders without a command.
    enum ToolButton : int
    {
        ToolNew = 1,
        ToolOpen = 2,
        ToolDownload = 3,
        ToolSave = 4,
        ToolPrint = 6,
        ToolReport = 7,
        ToolAssistant = 9,
    };

    frmmain(AppSession& session, const ScreenRegistry& screens, QWidget* parent = nullptr);
    ~frmmain() override;

    // Embeds child screen n, unloading the current one, unless ChooseScreen refuses (false).
    bool ShowScreen(std::uint8_t n);
    // The screen of the current workflow step; Back is enabled above step 0, Next below step 7.
    void ShowStep();
    std::uint8_t StepIndex() const { return m_stepIndex; }
    void SetStepIndex(std::uint8_t step) { m_stepIndex = step; }
    std::uint8_t ScreenIndex() const { return m_screenIndex; }
    QWidget* ActiveScreen() const { return m_activeScreen; }

    void SetWorkflowButtonsVisible(bool visible);
    // "Disabling the main window": the tool bar, the tool list, the screen and the workflow
    // buttons stop taking input, while the window itself stays enabled so that message boxes and
    // the notice window over it still work. Also off while a device operation runs.
    void SetCommandsEnabled(bool enabled);
    bool CommandsEnabled() const { return !m_disabled; }
    // The four tool list entries, captions in the active language (start-up, after the language).
    void AddToolListEntries();
    // Caption text 174, the camera's display name and its address.
    void SetCameraCaption();
    // Window title, the title of the commands' message boxes.
    QString Caption() const { return windowTitle(); }

    // The notice window over the main window: shown with a text, changed, unloaded.
    void ShowNotice(const QString& text);
    bool NoticeLoaded() const { return !m_notice.isNull(); }
    NoticeWindow* Notice() const;
    void UnloadNotice();

    QToolBar* ToolBar() const { return m_toolBar; }
    QAction* ToolAction(int position) const;
    // The Edit menu's undo and redo commands.
    HistoryActions* History() const { return m_history; }

    // Whether a close may proceed; the window asks this before closing (tests, the unload path).
    // Returns false while a device operation runs or when the user keeps unsaved changes.
    void SetCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

Q_SIGNALS:
    // A tool bar button was pressed (position as ToolButton).
    void CommandRequested(int position);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();
    void BuildEditMenu();
    void BuildPanels();
    void OnToolListClicked(QListWidgetItem* item);
    void Step(int delta);
    QWidget* CreateScreen(std::uint8_t n);
    QWidget* Placeholder(std::uint8_t n);
    void ApplyEnabled();

    AppSession& m_session;
    const ScreenRegistry& m_screens;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_editMenu = nullptr;
    HistoryActions* m_history = nullptr;
    QFrame* m_picTool = nullptr;
    QListWidget* m_lstTools = nullptr;
    QFrame* m_picStatus = nullptr;
    QPushButton* m_cmdBack = nullptr;
    QPushButton* m_cmdNext = nullptr;
    QWidget* m_screenArea = nullptr;
    QVBoxLayout* m_screenLayout = nullptr;
    QPointer<QWidget> m_activeScreen;
    QPointer<NoticeWindow> m_notice;
    std::uint8_t m_stepIndex = 0;
    std::uint8_t m_screenIndex = 0;
    std::function<bool()> m_closeGuard;
    bool m_disabled = false;
    bool m_busy = false;
    int m_busyObserver = 0;
};

} // namespace kor
