#include "rules/ui/FrmTT.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/HistoryActions.h"
#include "app/ui/ImageSet.h"
#include "rules/TimeField.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kor {

namespace {

constexpr int kTagRole = Qt::UserRole;
constexpr int kDeleteButton = 8;

const QString kMidnight = QStringLiteral("00:00:00");

} // namespace

FrmTT::FrmTT(AppSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_form(session.Document())
{
    setObjectName(QStringLiteral("FrmTT"));
    setWindowTitle(LangCaption(1000));
    setModal(true);

    m_toolbar1 = new QToolBar(this);
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    BuildToolBar();

    auto* fields = new QHBoxLayout();
    for (int i = 0; i < 2; ++i) {
        auto* field = new QLineEdit(kMidnight, this);
        field->setObjectName(QStringLiteral("Txth%1").arg(i));
        field->setMaxLength(8);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 24);
        field->installEventFilter(this);
        m_txth[static_cast<std::size_t>(i)] = field;
        auto* label = new QLabel(LangCaption(i == 0 ? 1004 : 1005) + u':', this);
        label->setBuddy(field);
        fields->addWidget(label);
        fields->addWidget(field);
        fields->addSpacing(8);
    }
    m_cmdAdd = new QPushButton(LangCaption(302), this);
    m_cmdAdd->setObjectName(QStringLiteral("CmdAdd"));
    m_cmdAdd->setAutoDefault(false);
    fields->addWidget(m_cmdAdd);
    fields->addStretch(1);

    m_lst = new QTreeWidget(this);
    m_lst->setObjectName(QStringLiteral("lst"));
    m_lst->setColumnCount(2);
    m_lst->setHeaderLabels({LangCaption(1004), LangCaption(1005)});
    m_lst->setRootIsDecorated(false);
    m_lst->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lst->setAllColumnsShowFocus(true);
    m_lst->header()->setStretchLastSection(true);
    m_lst->setColumnWidth(0, 140);
    m_lst->installEventFilter(this);
    m_lst->viewport()->installEventFilter(this);

    auto* buttons = new QHBoxLayout();
    const auto addButton = [this, buttons](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    m_cmdCopyDay = addButton("CmdCopyDay", LangCaption(1313));
    m_cmdPasteAll = addButton("CmdPasteAll", LangCaption(269));
    m_cmdPasteWeekdays = addButton("CmdPasteWeekdays", LangCaption(1314));
    buttons->addStretch(1);
    m_cmdAccept = addButton("cmdAccept", LangCaption(311));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_toolbar1);
    layout->addLayout(fields);
    layout->addWidget(m_lst, 1);
    layout->addLayout(buttons);

    BuildPopupMenu();
    ApplyLanguageTexts(this);
    // The day names and the delete button stay in sight.
    m_toolbar1->setMinimumWidth(m_toolbar1->sizeHint().width());
    resize(sizeHint().expandedTo(QSize(640, 400)));

    connect(m_cmdAdd, &QPushButton::clicked, this, &FrmTT::AddInterval);
    connect(m_cmdAccept, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdCopyDay, &QPushButton::clicked, this, &FrmTT::CopyDay);
    connect(m_cmdPasteAll, &QPushButton::clicked, this, &FrmTT::PasteToAllDays);
    connect(m_cmdPasteWeekdays, &QPushButton::clicked, this, &FrmTT::PasteToWeekdays);
    ShowDayButtons();
    AddHistoryActions(*this, session);
    connect(&session.History(), &DocumentHistory::Restored, this, &FrmTT::FillGrd);
}

void FrmTT::BuildToolBar()
{
    auto* days = new QActionGroup(this);
    days->setExclusive(true);
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        QAction* action = m_toolbar1->addAction(LangCaption(DayNameText(day)));
        action->setObjectName(QStringLiteral("Day%1").arg(day));
        action->setData(day);
        action->setCheckable(true);
        action->setChecked(day == 1);
        days->addAction(action);
        connect(action, &QAction::triggered, this, [this, day] { SelectDay(day); });
    }
    m_toolbar1->addSeparator();
    QAction* remove = m_toolbar1->addAction(ImageSet::Icon(QStringLiteral("del")), LangCaption(218));
    remove->setObjectName(QStringLiteral("Delete"));
    remove->setData(kDeleteButton);
    connect(remove, &QAction::triggered, this, &FrmTT::DeleteButton);
}

void FrmTT::BuildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("mnu_popup"));
    m_mnuCopy = m_popup->addAction(LangText(267));
    m_mnuCopy->setObjectName(QStringLiteral("mnu_copy"));
    m_mnuPaste = m_popup->addAction(LangText(268));
    m_mnuPaste->setObjectName(QStringLiteral("mnu_paste"));
    m_mnuPasteAll = m_popup->addAction(LangText(269));
    m_mnuPasteAll->setObjectName(QStringLiteral("mnu_pasteall"));
    connect(m_mnuCopy, &QAction::triggered, this, &FrmTT::CopyIntervals);
    connect(m_mnuPaste, &QAction::triggered, this, &FrmTT::PasteIntervals);
    connect(m_mnuPasteAll, &QAction::triggered, this, &FrmTT::PasteToAllDays);
}

QAction* FrmTT::DayButton(int day) const
{
    for (QAction* action : m_toolbar1->actions()) {
        if (action->data().toInt() == day && day >= 1 && day <= TimeTable::DayCount)
            return action;
    }
    return nullptr;
}

void FrmTT::SetSen(std::int16_t rule)
{
    m_form.SetRule(rule);
    FillGrd();
}

void FrmTT::SetActv(std::uint8_t action)
{
    m_form.SetAction(action);
    FillGrd();
}

void FrmTT::FillGrd()
{
    m_lst->clear();
    const std::vector<Interval> intervals = m_form.Rows();
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        auto* row = new QTreeWidgetItem(m_lst, {TimeText(intervals[i].Start), TimeText(intervals[i].End)});
        row->setData(0, kTagRole, static_cast<int>(i));
    }
    ShowDayButtons();
}

void FrmTT::ShowDayButtons()
{
    const TimeTableForm::DayButtons buttons = m_form.Buttons();
    m_cmdCopyDay->setEnabled(buttons.CopyDay);
    m_cmdPasteAll->setEnabled(buttons.Paste);
    m_cmdPasteWeekdays->setEnabled(buttons.Paste);
}

void FrmTT::SelectDay(int day)
{
    if (!m_form.SelectDay(day))
        return;
    if (QAction* button = DayButton(day))
        button->setChecked(true);
    FillGrd();
}

void FrmTT::AddInterval()
{
    const QString start = m_txth[0]->text();
    const QString end = m_txth[1]->text();
    if (!Record(StepKind::AddInterval, [&] { return m_form.Add(start, end); })) {
        // Across midnight: offered as two intervals rather than dropped without a word.
        const std::optional<OvernightIntervals> split = m_form.Overnight(start, end);
        if (!split ||
            m_session.Dialogs().Ask(MessageIcon::Question, LangText(1000),
                                    TimeTableForm::OvernightQuestion(*split), false) != Answer::Yes ||
            !Record(StepKind::AddInterval, [&] { return m_form.AddOvernight(*split); }))
            return;
    }
    m_txth[0]->setFocus();
}

std::vector<int> FrmTT::SelectedRows() const
{
    std::vector<int> rows;
    for (QTreeWidgetItem* row : m_lst->selectedItems())
        rows.push_back(row->data(0, kTagRole).toInt());
    return rows;
}

void FrmTT::RemoveSelected()
{
    Record(StepKind::DeleteIntervals, [this] {
        m_form.Delete(SelectedRows());
        return true;
    });
}

void FrmTT::DeleteButton()
{
    Record(StepKind::DeleteIntervals, [this] {
        m_form.Delete(TimeTableForm::DeleteButtonRows(SelectedRows(), m_lst->topLevelItemCount()));
        return true;
    });
}

void FrmTT::CopyIntervals()
{
    m_form.Copy(SelectedRows());
    ShowDayButtons();
}

void FrmTT::CopyDay()
{
    m_form.CopyDay();
    ShowDayButtons();
}

void FrmTT::PasteToWeekdays()
{
    Record(StepKind::PasteIntervalsToWeekdays, [this] {
        m_form.PasteToWeekdays();
        return true;
    });
}

void FrmTT::PasteIntervals()
{
    Record(StepKind::PasteIntervals, [this] {
        m_form.Paste();
        return true;
    });
}

void FrmTT::PasteToAllDays()
{
    Record(StepKind::PasteIntervalsToAllDays, [this] {
        m_form.PasteToAllDays();
        return true;
    });
}

bool FrmTT::Record(StepKind kind, const std::function<bool()>& change)
{
    bool done = false;
    m_session.History().Edit({m_form.Rule()}, StepText(kind), [&] { done = change(); });
    FillGrd();
    return done;
}

void FrmTT::ShowPopupMenu(const QPoint& globalPosition)
{
    const TimeTableForm::MenuState menu = m_form.Menu(!m_lst->selectedItems().isEmpty());
    m_mnuCopy->setEnabled(menu.Copy);
    m_mnuPaste->setEnabled(menu.Paste);
    m_mnuPasteAll->setEnabled(menu.PasteAll);
    m_popup->popup(globalPosition);
}

bool FrmTT::TimeFieldKey(QLineEdit* field, QKeyEvent* key)
{
    switch (ClassifyTimeKey(key->key(), key->text())) {
    case TimeKey::Add:
        AddInterval();
        return true;
    case TimeKey::Pass:
        return false;
    case TimeKey::Discard:
        return true;
    case TimeKey::Digit:
        break;
    }
    const TimeTyping typed = TypeTimeDigit(field->text(), field->cursorPosition(), key->text()[0]);
    field->setText(typed.Text);
    field->setCursorPosition(typed.Caret);
    return true;
}

bool FrmTT::eventFilter(QObject* watched, QEvent* event)
{
    for (QLineEdit* field : m_txth) {
        if (watched != field)
            continue;
        if (event->type() == QEvent::KeyPress)
            return TimeFieldKey(field, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, field, [field] { field->setCursorPosition(0); });
        else if (event->type() == QEvent::FocusOut)
            field->setText(LeaveTimeField(field->text()));
        return QDialog::eventFilter(watched, event);
    }
    if (watched == m_lst && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    if (watched == m_lst->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ShowPopupMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kor
