#include "rules/ui/FrmTT.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/ImageSet.h"
#include "config/LangTextId.h"
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

#include <algorithm>

namespace kor {

namespace {

constexpr int kTagRole = Qt::UserRole;
constexpr int kDeleteButton = 8;

const int kDayNames[] = {LangTextId(1011), LangTextId(1012), LangTextId(1013), LangTextId(1014),
                         LangTextId(1015), LangTextId(1016), LangTextId(1017)};

const QString kMidnight = QStringLiteral("00:00:00");

} // namespace

FrmTT::FrmTT(AppSession& session, QWidget* parent) : QDialog(parent), m_session(session)
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

    m_cmdAccept = new QPushButton(LangCaption(311), this);
    m_cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
    m_cmdAccept->setAutoDefault(false);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(m_cmdAccept);

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
}

void FrmTT::BuildToolBar()
{
    auto* days = new QActionGroup(this);
    days->setExclusive(true);
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        QAction* action = m_toolbar1->addAction(LangCaption(kDayNames[day - 1]));
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
    m_sen = rule;
    FillGrd();
}

void FrmTT::SetActv(std::uint8_t action)
{
    m_actv = action;
    FillGrd();
}

void FrmTT::FillGrd()
{
    m_lst->clear();
    const ConfigDocument& doc = m_session.Document();
    if (m_actv >= doc.ActionCount(m_sen))
        return;
    const std::vector<Interval> intervals = doc.DayIntervals(m_sen, m_actv, m_day);
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        auto* row = new QTreeWidgetItem(m_lst, {TimeText(intervals[i].Start), TimeText(intervals[i].End)});
        row->setData(0, kTagRole, static_cast<int>(i));
    }
}

void FrmTT::SelectDay(int day)
{
    if (day < 1 || day > TimeTable::DayCount)
        return;
    m_day = day;
    if (QAction* button = DayButton(day))
        button->setChecked(true);
    FillGrd();
}

void FrmTT::AddInterval()
{
    const TimeOfDay start = ReadTimeField(m_txth[0]->text());
    const TimeOfDay end = ReadTimeField(m_txth[1]->text());
    if (!IsLater(end, start))
        return;
    m_session.Document().AddInterval(m_sen, m_actv, m_day, Interval{start, end});
    FillGrd();
    m_txth[0]->setFocus();
}

void FrmTT::RemoveSelected()
{
    std::vector<int> tags;
    for (QTreeWidgetItem* row : m_lst->selectedItems())
        tags.push_back(row->data(0, kTagRole).toInt());
    // From the last, so that the positions of the others stay valid.
    std::sort(tags.rbegin(), tags.rend());
    for (const int tag : tags)
        m_session.Document().RemoveInterval(m_sen, m_actv, m_day, tag);
    FillGrd();
}

void FrmTT::DeleteButton()
{
    if (m_lst->topLevelItemCount() == 0)
        return;
    if (m_lst->selectedItems().isEmpty())
        m_lst->topLevelItem(0)->setSelected(true);
    RemoveSelected();
}

void FrmTT::CopyIntervals()
{
    const std::vector<Interval> intervals = m_session.Document().DayIntervals(m_sen, m_actv, m_day);
    for (int i = 0; i < m_lst->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_lst->topLevelItem(i);
        const int tag = row->data(0, kTagRole).toInt();
        if (row->isSelected() && tag >= 0 && static_cast<std::size_t>(tag) < intervals.size())
            m_clipboard.push_back(intervals[static_cast<std::size_t>(tag)]);
    }
    m_copiedFrom = m_day;
}

void FrmTT::PasteIntervals()
{
    for (const Interval& interval : m_clipboard)
        m_session.Document().AddInterval(m_sen, m_actv, m_day, interval);
    FillGrd();
}

void FrmTT::PasteToAllDays()
{
    for (int day = 1; day <= TimeTable::DayCount; ++day) {
        if (day == m_copiedFrom)
            continue;
        for (const Interval& interval : m_clipboard)
            m_session.Document().AddInterval(m_sen, m_actv, day, interval);
    }
    FillGrd();
}

void FrmTT::ShowPopupMenu(const QPoint& globalPosition)
{
    m_mnuCopy->setEnabled(!m_lst->selectedItems().isEmpty());
    m_mnuPaste->setEnabled(!m_clipboard.empty());
    m_mnuPasteAll->setEnabled(!m_clipboard.empty());
    m_popup->popup(globalPosition);
}

bool FrmTT::TimeFieldKey(QLineEdit* field, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        AddInterval();
        return true;
    }
    if (key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint())
        return false; // navigation, shortcuts, Tab
    if (!text[0].isDigit() || text[0] > u'9')
        return true;
    const TimeTyping typed = TypeTimeDigit(field->text(), field->cursorPosition(), text[0]);
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
