#pragma once

#include "app/DocumentHistory.h"
#include "rules/TimeTableForm.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QTreeWidget;

namespace kor {

class AppSession;

// The screen binds the widgets to TimeTableForm, which holds its rules.
// The time table of one stored action: a day chosen with the day buttons of Toolbar1, its
// intervals in lst, two "hh:mm:ss" fields (Txth0 start, Txth1 end) whose digits overwrite in
// place, CmdAdd to add the interval, the delete button and the Delete key to remove intervals,
// and a context menu (mnu_popup) that copies intervals to this screen's own clipboard and pastes
// them into the day or into every other day. Below the list the same in sight: CmdCopyDay copies
// the whole day, CmdPasteAll and CmdPasteWeekdays paste it to every other day or to Monday-Friday.
// An interval typed across midnight is offered as two (a question through the session's dialogs).
// Every change goes straight into the document; there is no cancel.
class FrmTT : public QDialog
{
    Q_OBJECT

public:
    explicit FrmTT(AppSession& session, QWidget* parent = nullptr);

    // Rule and action (write-only in use): each stores the value and refills the list.
    void SetSen(std::int16_t rule);
    void SetActv(std::uint8_t action);
    void FillGrd();

    int CurrentDay() const { return m_form.Day(); }
    // A day button: the day 1..7 becomes current and the list is refilled.
    void SelectDay(int day);
    // CmdAdd or Enter in a time field.
    void AddInterval();
    // The tool bar's delete button: the selected intervals, or the first one when none is selected.
    void DeleteButton();
    void CopyIntervals();
    void PasteIntervals();
    void PasteToAllDays();
    void CopyDay();
    void PasteToWeekdays();

    QLineEdit* TimeField(int index) const { return m_txth.at(static_cast<std::size_t>(index)); }
    QAction* DayButton(int day) const;
    QMenu* PopupMenu() const { return m_popup; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildPopupMenu();
    bool TimeFieldKey(QLineEdit* field, QKeyEvent* key);
    std::vector<int> SelectedRows() const;
    void ShowDayButtons();
    void RemoveSelected();
    void ShowPopupMenu(const QPoint& globalPosition);
    // One change of the action's time table as a step of the history; the list is refilled.
    bool Record(StepKind kind, const std::function<bool()>& change);

    AppSession& m_session;
    TimeTableForm m_form;

    QToolBar* m_toolbar1 = nullptr;
    std::array<QLineEdit*, 2> m_txth{};
    QPushButton* m_cmdAdd = nullptr;
    QTreeWidget* m_lst = nullptr;
    QPushButton* m_cmdAccept = nullptr;
    QPushButton* m_cmdCopyDay = nullptr;
    QPushButton* m_cmdPasteAll = nullptr;
    QPushButton* m_cmdPasteWeekdays = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_mnuCopy = nullptr;
    QAction* m_mnuPaste = nullptr;
    QAction* m_mnuPasteAll = nullptr;
};

} // namespace kor
