#pragma once

#include "rules/RuleListForm.h"

#include <QDialog>

#include <cstdint>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;
class QTreeWidget;

namespace kor {

class AppSession;

// The rule list of one event source: its actions (lst, with their summaries and the days their
// time tables let them run), a tool bar with one
// button per action type (Toolbar2, enabled by the model's capability flags) that opens that
// type's editor for a new action, a double click that opens an action's editor, and a context menu
// (m_PUM) to copy actions to the program-wide clipboard, paste them and delete them (also the
// Delete key). Every change goes straight into the document; the rules live in RuleListForm.
class FrmSens : public QDialog
{
    Q_OBJECT

public:
    explicit FrmSens(AppSession& session, QWidget* parent = nullptr);

    void SetClaveSens(std::int16_t rule) { m_form.SetRule(rule); }
    std::int16_t ClaveSens() const { return m_form.Rule(); }

    // The opening steps: tool bar states and captions, context menu, language texts, FillGrd.
    void Load();
    // Rebuilds lst from the document.
    void FillGrd();

    // The editor of a type for an action (-1: a new one); lst is refilled when it closes.
    void OpenActionEditor(int actionIndex, std::int32_t type);
    // A context menu item chosen, by key ("Copy", "Paste", "Delete"; anything after a "#" is
    // ignored).
    void MenuCommand(const QString& key);
    void CopyActions();
    void PasteActions();
    // Asks first; then marks the selected actions deleted.
    void DeleteActions();

    QAction* ActionButton(int position) const; // 1..10
    QMenu* ContextMenu() const { return m_pum; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildContextMenu();
    void ShowContextMenu(const QPoint& globalPosition);
    std::vector<int> SelectedActions() const;

    AppSession& m_session;
    RuleListForm m_form;
    QToolBar* m_toolbar2 = nullptr;
    QLabel* m_label1 = nullptr;
    QTreeWidget* m_lst = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QMenu* m_pum = nullptr;
};

} // namespace kor
