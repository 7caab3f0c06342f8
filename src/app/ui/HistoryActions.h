#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace kor {

class AppSession;

// The undo and redo commands of one window over the session's history: two actions named after
// the step they would undo or redo, in the user's language, with Ctrl+Z, and Ctrl+Y and
// Ctrl+Shift+Z. They are enabled only when there is such a step, no device operation runs and the
// owner allows it (SetAllowed). The keys reach them even from a text field of the window, whose
// own undo would otherwise take them.
class HistoryActions : public QObject
{
    Q_OBJECT

public:
    // Adds both actions to window, which owns this object.
    HistoryActions(AppSession& session, QWidget& window);
    ~HistoryActions() override;

    QAction* UndoAction() const { return m_undo; }
    QAction* RedoAction() const { return m_redo; }
    void SetAllowed(bool allowed);
    // The captions again, in the language loaded meanwhile.
    void Retranslate() { Update(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    AppSession& m_session;
    QWidget& m_window;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    int m_busyObserver = 0;
    bool m_allowed = true;
};

// The undo and redo commands for a screen shown over the main window (a modal one takes the keys
// from it).
HistoryActions* AddHistoryActions(QWidget& window, AppSession& session);

} // namespace kor
