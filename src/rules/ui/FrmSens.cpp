#include "rules/ui/FrmSens.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "config/ActionSummary.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "config/TextNumber.h"
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

struct ToolButtonSpec
{
    std::int32_t Type;
    int Caption; // language text; 0: the fixed caption
    const char* FixedCaption;
    std::optional<Capability> Needs; // none: always enabled
};

// Positions 1..10 of the tool bar.
const ToolButtonSpec kButtons[] = {
    {ActOutput, LangTextId(123), nullptr, Capability::Output},
    {ActRecord, LangTextId(196), nullptr, Capability::Recording},
    {ActCall, LangTextId(203), nullptr, std::nullopt},
    {ActMove, LangTextId(193), nullptr, Capability::Presets},
    {ActNotify, 0, "Pop-Up", Capability::Notify},
    {ActRemoteAlarm, LangTextId(124), nullptr, Capability::RemoteAlarm},
    {ActUser, LangTextId(204), nullptr, Capability::User},
    {ActMail, 0, "E-mail", Capability::Mail},
    {ActFtp, 0, "FTP", Capability::Ftp},
    {ActContactId, 0, "ContactID", std::nullopt},
};
constexpr int kCallButton = 3;

} // namespace

FrmSens::FrmSens(AppSession& session, QWidget* parent) : QDialog(parent), m_session(session)
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
    m_lst->setColumnCount(2);
    m_lst->setHeaderLabels({LangCaption(144), LangCaption(1001)});
    m_lst->setRootIsDecorated(false);
    m_lst->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lst->setAllColumnsShowFocus(true);
    m_lst->setIconSize(QSize(24, 24));
    m_lst->setColumnWidth(0, 220);
    m_lst->header()->setStretchLastSection(true);
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
        if (const ActionRecord* action = m_session.Document().Action(m_claveSens, index))
            OpenActionEditor(index, action->Type);
    });
}

void FrmSens::BuildToolBar()
{
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ToolButtonSpec& button = kButtons[i];
        const QString caption =
            button.Caption ? LangCaption(button.Caption) : QString::fromLatin1(button.FixedCaption);
        QAction* action = m_toolbar2->addAction(RuleImages::ActionIcon(button.Type), caption);
        const int position = static_cast<int>(i) + 1;
        action->setData(position);
        action->setObjectName(QStringLiteral("Button%1").arg(position));
        connect(action, &QAction::triggered, this,
                [this, type = button.Type] { OpenActionEditor(-1, type); });
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
    const ModelProfile& model = m_session.Model();
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        QAction* action = ActionButton(static_cast<int>(i) + 1);
        action->setEnabled(!kButtons[i].Needs || model.HasCapability(*kButtons[i].Needs));
    }
    ActionButton(kCallButton)
        ->setProperty("Tag",
                      model.HasCapability(Capability::CallThroughPc) ? QStringLiteral("PC") : QString());
    BuildContextMenu();
    ApplyLanguageTexts(this);
    // Every action button stays in sight: the screen is never narrower than its tool bar.
    m_toolbar2->setMinimumWidth(m_toolbar2->sizeHint().width());
    // The heading names the source, as the catalogue shows it.
    if (const std::optional<ConfiguredSource> source =
            ConfiguredSourceOf(m_claveSens, m_session.Document().InputOneAsSensor))
        m_label1->setText(source->KindText + QStringLiteral(": ") + source->SourceText);
    FillGrd();
}

void FrmSens::FillGrd()
{
    m_lst->clear();
    const ConfigDocument& doc = m_session.Document();
    if (!ConfigDocument::IsValidRule(m_claveSens))
        return;
    const SensorRule& rule = doc.Rule(m_claveSens);
    for (std::size_t i = 0; i < rule.Actions.size(); ++i) {
        const ActionRecord& action = rule.Actions[i];
        if (action.Deleted)
            continue;
        auto* row = new QTreeWidgetItem(
            m_lst, {FromCp1252(action.Name), FromCp1252(ActionSummary(action, LangTextBytes))});
        row->setIcon(0, RuleImages::ActionIcon(action.Type));
        row->setData(0, kTagRole, static_cast<int>(i));
    }
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
    request.RuleIndex = m_claveSens;
    request.ActionIndex = actionIndex;
    request.Type = type;
    request.PC = ActionButton(kCallButton)->property("Tag").toString() == QLatin1String("PC");
    LaunchActionEditor(m_session, request, this);
    FillGrd();
}

void FrmSens::MenuCommand(const QString& key)
{
    const QString command = key.section(u'#', 0, 0);
    if (command == QLatin1String("Copy"))
        CopyActions();
    else if (command == QLatin1String("Paste"))
        PasteActions();
    else if (command == QLatin1String("Delete"))
        DeleteActions();
}

void FrmSens::CopyActions()
{
    ActionClipboard& clipboard = ActionClipboard::Program();
    clipboard.Begin(m_claveSens);
    for (int i = 0; i < m_lst->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_lst->topLevelItem(i);
        std::uint8_t index = 0;
        if (row->isSelected() && ReadNumberAs<std::uint8_t>(row->data(0, kTagRole).toString().toStdString(),
                                                            index) == NumberRead::Ok)
            clipboard.Append(index);
    }
}

void FrmSens::PasteActions()
{
    ActionClipboard::Program().PasteInto(m_session.Document(), m_claveSens);
    FillGrd();
}

void FrmSens::DeleteActions()
{
    const QList<QTreeWidgetItem*> selected = m_lst->selectedItems();
    if (selected.isEmpty())
        return;
    if (m_session.Dialogs().Ask(MessageIcon::Question, LangText(823), LangText(822), false) != Answer::Yes)
        return;
    ConfigDocument& doc = m_session.Document();
    for (QTreeWidgetItem* row : selected) {
        doc.MarkDeleted(m_claveSens, row->data(0, kTagRole).toInt());
        delete row;
    }
    // A deletion is work the user would lose without the question about unsaved changes.
    doc.Saved = false;
}

void FrmSens::ShowContextMenu(const QPoint& globalPosition)
{
    if (!m_pum)
        return;
    for (QAction* action : m_pum->actions()) {
        if (action->objectName() == QLatin1String("Paste"))
            action->setEnabled(!ActionClipboard::Program().IsEmpty());
        else if (action->objectName() == QLatin1String("Copy"))
            action->setEnabled(!m_lst->selectedItems().isEmpty());
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
