#include "app/ui/HistoryActions.h"

#include "app/AppSession.h"
#include "app/DocumentHistory.h"
#include "app/Language.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace kor {

namespace {

const QKeySequence kRedoKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_Y),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};

bool IsHistoryKey(QKeyEvent* key)
{
    const QKeySequence pressed(key->keyCombination());
    return pressed == QKeySequence(Qt::CTRL | Qt::Key_Z) || pressed == kRedoKeys[0] ||
           pressed == kRedoKeys[1];
}

// "Undo: delete action 'Siren'", or "Undo" alone when there is nothing to undo.
QString Caption(const QString& command, const QString& step)
{
    return step.isEmpty() ? command : command + QStringLiteral(": ") + step;
}

} // namespace

HistoryActions::HistoryActions(AppSession& session, QWidget& window)
    : QObject(&window), m_session(session), m_window(window)
{
    m_undo = new QAction(&window);
    m_undo->setObjectName(QStringLiteral("EditUndo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(&window);
    m_redo->setObjectName(QStringLiteral("EditRedo"));
    m_redo->setShortcuts({kRedoKeys[0], kRedoKeys[1]});
    window.addAction(m_undo);
    window.addAction(m_redo);
    DocumentHistory& history = session.History();
    connect(m_undo, &QAction::triggered, &history, &DocumentHistory::Undo);
    connect(m_redo, &QAction::triggered, &history, &DocumentHistory::Redo);
    connect(&history, &DocumentHistory::Changed, this, &HistoryActions::Update);
    m_busyObserver = session.OnDeviceBusyChanged([this](bool) { Update(); });
    qApp->installEventFilter(this);
    Update();
}

HistoryActions::~HistoryActions()
{
    m_session.RemoveDeviceBusyObserver(m_busyObserver);
}

void HistoryActions::SetAllowed(bool allowed)
{
    m_allowed = allowed;
    Update();
}

void HistoryActions::Update()
{
    const DocumentHistory& history = m_session.History();
    const bool usable = m_allowed && !m_session.DeviceBusy();
    m_undo->setText(Caption(LangText(1401), history.UndoText()));
    m_redo->setText(Caption(LangText(1402), history.RedoText()));
    m_undo->setEnabled(usable && history.CanUndo());
    m_redo->setEnabled(usable && history.CanRedo());
}

bool HistoryActions::eventFilter(QObject* watched, QEvent* event)
{
    // A text field claims these keys for its own undo first; in this window they undo the step.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        (qobject_cast<QLineEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched)) &&
        static_cast<QWidget*>(watched)->window() == &m_window && IsHistoryKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

HistoryActions* AddHistoryActions(QWidget& window, AppSession& session)
{
    return new HistoryActions(session, window);
}

} // namespace kor
