#include "rules/ui/FrmSens.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/HistoryActions.h"
#include "config/ActionSummary.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "rules/ActionClipboard.h"
#include "rules/EventCatalogue.h"
#include "rules/ui/ActionEditorLauncher.h"
#include "rules/ui/RuleImages.h"

#include <QAction>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace kor {

namespace {

constexpr int kTagRole = Qt::UserRole;

} // namespace

FrmSens::FrmSens(AppSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_form(session.Document(), session.Model().CapabilityFlags())
{
    setObjectName(QStringLiteral("FrmSens"));
    setWindowTitle(LangCaption(1161));
    setModal(true);

    m_toolbar2 = new QToolBar(this);
    m_toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar2->setIconSize(QSize(32, 32));
    BuildToolBar();

    auto* picture1 = new QFrame(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    auto* panel = new QVBoxLayout(picture1);
    panel->setContentsMargins(0, 0, 0, 0);
    m_label1 = new QLabel(picture1);
    m_label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = m_label1->font();
    heading.setBold(true);
    m_label1->setFont(heading);
    m_lst = new QTreeWidget(picture1);
    m_lst->setObjectName(QStringLiteral("lst"));
    m_lst->setColumnCount(3);
    m_lst->setHeaderLabels({LangCaption(144), LangCaption(1001), LangCaption(1000)});
    m_lst->setRootIsDecorated(false);
    m_lst->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lst->setAllColumnsShowFocus(true);
    m_lst->setIconSize(QSize(24, 24));
    m_lst->setColumnWidth(0, 220);
    // The summary takes the room left; the days stay whole.
    m_lst->header()->setStretchLastSection(false);
    m_lst->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_lst->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_lst->installEventFilter(this);
    m_lst->viewport()->installEventFilter(this);
    panel->addWidget(m_label1);
    panel->addWidget(m_lst, 1);

    m_cmdAdd = new QPushButton(LangCaption(311), this);
    m_cmdAdd->setObjectName(QStringLiteral("CmdAdd"));
    m_cmdAdd->setAutoDefault(false);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(m_cmdAdd);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_toolbar2);
    layout->addWidget(picture1, 1);
    layout->addLayout(buttons);
    resize(860, 460);

    connect(m_cmdAdd, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_lst, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* row) {
        if (!row)
            return;
        const int index = row->data(0, kTagRole).toInt();
        if (const ActionRecord* action = m_session.Document().Action(ClaveSens(), index))
            OpenActionEditor(index, action->Type);
    });
    AddHistoryActions(*this, m_session);
    connect(&m_session.History(), &DocumentHistory::Restored, this, &FrmSens::FillGrd);
}

void FrmSens::BuildToolBar()
{
    for (int position = 1; position <= RuleListForm::kButtonCount; ++position) {
        const std::int32_t type = RuleListForm::Button(position).Type;
        QAction* action =
            m_toolbar2->addAction(RuleImages::ActionIcon(type), RuleListForm::ButtonCaption(position));
        action->setData(position);
        action->setObjectName(QStringLiteral("Button%1").arg(position));
        connect(action, &QAction::triggered, this, [this, type] { OpenActionEditor(-1, type); });
    }
}

void FrmSens::BuildContextMenu()
{
    delete m_pum;
    m_pum = new QMenu(this);
    m_pum->setObjectName(QStringLiteral("m_PUM"));
    m_pum->setTitle(QStringLiteral("ACTIONS"));
    const struct
    {
        const char* Key;
        int Caption;
    } items[] = {
        {"Copy", LangTextId(259)}, {"Paste", LangTextId(261)}, {"-", 0}, {"Delete", LangTextId(218)}};
    for (const auto& item : items) {
        if (item.Caption == 0) {
            m_pum->addSeparator();
            continue;
        }
        QAction* action = m_pum->addAction(LangText(item.Caption));
        action->setObjectName(QLatin1String(item.Key));
        action->setData(QLatin1String(item.Key));
        connect(action, &QAction::triggered, this,
                [this, key = QString::fromLatin1(item.Key)] { MenuCommand(key); });
    }
}

void FrmSens::Load()
{
    for (int position = 1; position <= RuleListForm::kButtonCount; ++position)
        ActionButton(position)->setEnabled(m_form.ButtonEnabled(position));
    ActionButton(RuleListForm::kCallButton)
        ->setProperty("Tag", m_form.CallThroughPc() ? QStringLiteral("PC") : QString());
    BuildContextMenu();
    ApplyLanguageTexts(this);
    // Every action button stays in sight: the screen is never narrower than its tool bar.
    m_toolbar2->setMinimumWidth(m_toolbar2->sizeHint().width());
    // The heading names the source, as the catalogue shows it.
    if (const std::optional<ConfiguredSource> source =
            ConfiguredSourceOf(ClaveSens(), m_session.Document().InputOneAsSensor))
        m_label1->setText(source->KindText + QStringLiteral(": ") + source->SourceText);
    FillGrd();
}

void FrmSens::FillGrd()
{
    m_lst->clear();
    const ConfigDocument& doc = m_session.Document();
    for (const int index : m_form.Rows()) {
        const ActionRecord& action = *doc.Action(ClaveSens(), index);
        auto* row = new QTreeWidgetItem(m_lst, {FromCp1252(action.Name),
                                                FromCp1252(ActionSummary(action, LangTextBytes)),
                                                RuleListForm::TimeTableText(action.TimeTable)});
        row->setIcon(0, RuleImages::ActionIcon(action.Type));
        row->setData(0, kTagRole, index);
    }
}

std::vector<int> FrmSens::SelectedActions() const
{
    std::vector<int> actions;
    for (int i = 0; i < m_lst->topLevelItemCount(); ++i) {
        if (m_lst->topLevelItem(i)->isSelected())
            actions.push_back(m_lst->topLevelItem(i)->data(0, kTagRole).toInt());
    }
    return actions;
}

QAction* FrmSens::ActionButton(int position) const
{
    for (QAction* action : m_toolbar2->actions()) {
        if (action->data().toInt() == position)
            return action;
    }
    return nullptr;
}

void FrmSens::OpenActionEditor(int actionIndex, std::int32_t type)
{
    ActionEditorRequest request;
    request.RuleIndex = ClaveSens();
    request.ActionIndex = actionIndex;
    request.Type = type;
    request.PC = ActionButton(RuleListForm::kCallButton)->property("Tag").toString() == QLatin1String("PC");
    LaunchActionEditor(m_session, request, this);
    FillGrd();
}

void FrmSens::MenuCommand(const QString& key)
{
    switch (RuleListForm::CommandOf(key)) {
    case RuleListForm::Command::Copy:
        return CopyActions();
    case RuleListForm::Command::Paste:
        return PasteActions();
    case RuleListForm::Command::Delete:
        return DeleteActions();
    case RuleListForm::Command::None:
        return;
    }
}

void FrmSens::CopyActions()
{
    m_form.Copy(SelectedActions(), ActionClipboard::Program());
}

void FrmSens::PasteActions()
{
    const ActionClipboard& clipboard = ActionClipboard::Program();
    m_session.History().Edit({ClaveSens()},
                             StepText(StepKind::PasteActions, QString::number(clipboard.Count())),
                             [&] { m_form.Paste(clipboard); });
    FillGrd();
}

void FrmSens::DeleteActions()
{
    const std::vector<int> selected = SelectedActions();
    if (selected.empty())
        return;
    if (m_session.Dialogs().Ask(MessageIcon::Question, LangText(823), LangText(822), false) != Answer::Yes)
        return;
    const ActionRecord* first = m_session.Document().Action(ClaveSens(), selected.front());
    const QString step = selected.size() == 1 && first
                             ? StepText(StepKind::DeleteAction, ActionStepSubject(*first))
                             : StepText(StepKind::DeleteActions, QString::number(selected.size()));
    m_session.History().Edit({ClaveSens()}, step, [&] { m_form.Delete(selected); });
    FillGrd();
}

void FrmSens::ShowContextMenu(const QPoint& globalPosition)
{
    if (!m_pum)
        return;
    const RuleListForm::MenuState menu =
        RuleListForm::Menu(!m_lst->selectedItems().isEmpty(), ActionClipboard::Program());
    for (QAction* action : m_pum->actions()) {
        if (action->objectName() == QLatin1String("Paste"))
            action->setEnabled(menu.Paste);
        else if (action->objectName() == QLatin1String("Copy"))
            action->setEnabled(menu.Copy);
    }
    m_pum->setTitle(QStringLiteral("MAIN"));
    m_pum->popup(globalPosition);
}

bool FrmSens::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lst && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteActions();
        return true;
    }
    if (watched == m_lst->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            ShowContextMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kor
