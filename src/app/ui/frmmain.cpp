#include "app/ui/frmmain.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/MainForm.h"
#include "app/UserDialogs.h"
#include "app/ui/FrmAssist0.h"
#include "app/ui/HistoryActions.h"
#include "app/ui/NoticeWindow.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmSkinAux.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <array>

namespace kor {

namespace {

struct ToolListEntry
{
    const char* Key;
    int Text;
    const char* Image;
    std::uint8_t Screen;
};

constexpr std::array<ToolListEntry, 5> kToolList = {{
    {"main", LangTextId(171), "main", 1},
    {"sensors", LangTextId(159), "sensors", 2},
    {"zelk", LangTextId(172), "zelk", 3},
    {"transfer", LangTextId(173), "transfer", 4},
    {"cameras", LangTextId(1720), "transfer", kCamerasScreen},
}};

struct ToolBarEntry
{
    int Position;
    int ToolTip; // 0: placeholder
    const char* Image;
    const char* Name;
};

constexpr std::array<ToolBarEntry, 9> kToolBar = {{
    {frmmain::ToolNew, LangTextId(164), "new", "ToolNew"},
    {frmmain::ToolOpen, LangTextId(165), "open", "ToolOpen"},
    {frmmain::ToolDownload, LangTextId(166), "download", "ToolDownload"},
    {frmmain::ToolSave, LangTextId(167), "save", "ToolSave"},
    {5, 0, nullptr, "ToolGap1"},
    {frmmain::ToolPrint, LangTextId(168), "print", "ToolPrint"},
    {frmmain::ToolReport, LangTextId(169), "report", "ToolReport"},
    {8, 0, nullptr, "ToolGap2"},
    {frmmain::ToolAssistant, LangTextId(170), "assistant", "ToolAssistant"},
}};

constexpr int kPlaceholderWidth = 40;

// Captions of the screens that have no widget yet, for their placeholder.
int ScreenTitle(std::uint8_t n)
{
    switch (n) {
    case 1:
        return 171;
    case 3:
        return 172;
    case 4:
        return 173;
    case 5:
        return 169;
    case kCamerasScreen:
        return 1720;
    default:
        return 159;
    }
}

} // namespace

frmmain::frmmain(AppSession& session, const ScreenRegistry& screens, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_screens(screens)
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowIcon(frmSkinAux::Icon(QStringLiteral("transfer")));
    BuildToolBar();
    BuildEditMenu();
    BuildPanels();
    resize(960, 640);
    m_busyObserver = m_session.OnDeviceBusyChanged([this](bool busy) {
        m_busy = busy;
        ApplyEnabled();
    });
}

frmmain::~frmmain()
{
    m_session.RemoveDeviceBusyObserver(m_busyObserver);
    UnloadNotice();
}

void frmmain::BuildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    for (const ToolBarEntry& entry : kToolBar) {
        QAction* action = nullptr;
        if (entry.ToolTip == 0) {
            auto* gap = new QWidget(m_toolBar);
            gap->setFixedWidth(kPlaceholderWidth);
            action = m_toolBar->addWidget(gap);
        } else {
            action = m_toolBar->addAction(frmSkinAux::Icon(QLatin1String(entry.Image)), QString());
            action->setToolTip(LangCaption(entry.ToolTip));
            const int position = entry.Position;
            connect(action, &QAction::triggered, this,
                    [this, position] { Q_EMIT CommandRequested(position); });
        }
        action->setObjectName(QLatin1String(entry.Name));
        action->setData(entry.Position);
    }
}

void frmmain::BuildEditMenu()
{
    m_editMenu = menuBar()->addMenu(QString());
    m_editMenu->setObjectName(QStringLiteral("mnuEdit"));
    m_history = new HistoryActions(m_session, *this);
    m_editMenu->addAction(m_history->UndoAction());
    m_editMenu->addAction(m_history->RedoAction());
}

void frmmain::BuildPanels()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_picTool = new QFrame(central);
    m_picTool->setObjectName(QStringLiteral("PicTool"));
    m_picTool->setFrameShape(QFrame::StyledPanel);
    m_picTool->setFixedWidth(124);
    m_picTool->setBackgroundRole(QPalette::Base);
    m_picTool->setAutoFillBackground(true);
    auto* toolLayout = new QVBoxLayout(m_picTool);
    toolLayout->setContentsMargins(0, 8, 0, 10);
    m_lstTools = new QListWidget(m_picTool);
    m_lstTools->setObjectName(QStringLiteral("LstTools"));
    m_lstTools->setViewMode(QListView::IconMode);
    m_lstTools->setFlow(QListView::TopToBottom);
    m_lstTools->setWrapping(false);
    m_lstTools->setMovement(QListView::Static);
    m_lstTools->setResizeMode(QListView::Adjust);
    m_lstTools->setIconSize(QSize(40, 40));
    m_lstTools->setGridSize(QSize(118, 88));
    m_lstTools->setWordWrap(true);
    m_lstTools->setSpacing(0);
    m_lstTools->setFrameShape(QFrame::NoFrame);
    m_lstTools->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    toolLayout->addWidget(m_lstTools);
    connect(m_lstTools, &QListWidget::itemClicked, this, &frmmain::OnToolListClicked);
    connect(m_lstTools, &QListWidget::itemActivated, this, &frmmain::OnToolListClicked);
    row->addWidget(m_picTool);

    m_screenArea = new QWidget(central);
    m_screenArea->setObjectName(QStringLiteral("ScreenArea"));
    m_screenLayout = new QVBoxLayout(m_screenArea);
    m_screenLayout->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_screenArea, 1);
    column->addLayout(row, 1);

    m_picStatus = new QFrame(central);
    m_picStatus->setObjectName(QStringLiteral("PicStatus"));
    m_picStatus->setFrameShape(QFrame::StyledPanel);
    auto* status = new QHBoxLayout(m_picStatus);
    status->setContentsMargins(8, 6, 8, 6);
    status->addStretch(1);
    m_cmdBack = new QPushButton(LangCaption(309), m_picStatus);
    m_cmdBack->setObjectName(QStringLiteral("CmdBack"));
    m_cmdBack->setMinimumWidth(96);
    m_cmdNext = new QPushButton(LangCaption(310), m_picStatus);
    m_cmdNext->setObjectName(QStringLiteral("CmdNext"));
    m_cmdNext->setMinimumWidth(96);
    status->addWidget(m_cmdBack);
    status->addWidget(m_cmdNext);
    column->addWidget(m_picStatus);
    setCentralWidget(central);

    connect(m_cmdBack, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(m_cmdNext, &QPushButton::clicked, this, [this] { Step(+1); });
}

void frmmain::Step(int delta)
{
    if (const auto step = StepAfter(m_stepIndex, delta, m_session.DeviceBusy())) {
        m_stepIndex = *step;
        ShowStep();
    }
}

void frmmain::AddToolListEntries()
{
    // The Edit menu takes the language's captions with the tool list.
    m_editMenu->setTitle(LangText(1400));
    m_history->Retranslate();
    m_lstTools->clear();
    for (const ToolListEntry& entry : kToolList) {
        auto* item = new QListWidgetItem(frmSkinAux::Icon(QLatin1String(entry.Image)), LangText(entry.Text),
                                         m_lstTools);
        item->setData(Qt::UserRole, QString::fromLatin1(entry.Key));
        item->setData(Qt::UserRole + 1, int(entry.Screen));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setSizeHint(m_lstTools->gridSize());
    }
}

void frmmain::SetCameraCaption()
{
    setWindowTitle(LangText(174) + u' ' + m_session.CameraDisplayName() + u' ' +
                   FromCp1252(m_session.Camera().IpAddress()));
}

bool frmmain::ShowScreen(std::uint8_t n)
{
    const ScreenChoice choice = ChooseScreen(n, m_session.DeviceBusy(), m_session.Model().InputOutput(),
                                             m_session.Document().InputOneAsSensor);
    if (choice.Refused) {
        if (choice.MessageText != 0)
            m_session.Dialogs().Message(MessageIcon::Information, Caption(), LangText(choice.MessageText));
        return false;
    }
    if (m_activeScreen) {
        // The screen's unload handler (its closeEvent) saves or discards its edits before the next
        // screen reads the document.
        m_activeScreen->close();
        m_screenLayout->removeWidget(m_activeScreen);
        m_activeScreen->hide();
        m_activeScreen->deleteLater();
        m_activeScreen = nullptr;
    }
    m_screenIndex = n;
    // The tool list marks the screen shown, and none for a screen it has no entry for (help).
    int toolRow = -1;
    for (int row = 0; row < m_lstTools->count(); ++row) {
        if (m_lstTools->item(row)->data(Qt::UserRole + 1).toInt() == n)
            toolRow = row;
    }
    m_lstTools->setCurrentRow(toolRow);
    if (toolRow < 0)
        m_lstTools->clearSelection();
    QWidget* screen = CreateScreen(choice.Screen);
    if (choice.Screen == kHelpScreen) {
        if (auto* assistant = qobject_cast<FrmAssist0*>(screen))
            assistant->XLoadAssist(static_cast<std::uint8_t>(m_stepIndex / 2));
        m_cmdBack->setEnabled(false);
    }
    m_activeScreen = screen;
    m_screenLayout->addWidget(screen);
    screen->show();
    // The window opens with its screen in focus: a focused tool list would mark its first entry.
    if (!isVisible())
        screen->setFocus();
    return true;
}

QWidget* frmmain::CreateScreen(std::uint8_t n)
{
    if (const ScreenRegistry::ChildScreen* child = m_screens.Child(n)) {
        if (QWidget* screen = child->Create(m_session, m_screenArea))
            return screen;
    }
    if (n == kHelpScreen)
        return new FrmAssist0(m_screenArea);
    return Placeholder(n);
}

QWidget* frmmain::Placeholder(std::uint8_t n)
{
    // A screen that this build does not have yet: its title, so the workflow still reads.
    auto* placeholder = new QLabel(LangText(ScreenTitle(n)), m_screenArea);
    placeholder->setObjectName(QStringLiteral("ScreenPlaceholder%1").arg(n));
    placeholder->setAlignment(Qt::AlignCenter);
    QFont font = placeholder->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    placeholder->setFont(font);
    placeholder->setEnabled(false);
    return placeholder;
}

void frmmain::ShowStep()
{
    ShowScreen(ScreenOfStep(m_stepIndex));
    const WorkflowButtons buttons = WorkflowButtonsOfStep(m_stepIndex);
    m_cmdBack->setEnabled(buttons.BackEnabled);
    m_cmdNext->setEnabled(buttons.NextEnabled);
}

void frmmain::SetWorkflowButtonsVisible(bool visible)
{
    m_cmdBack->setVisible(visible);
    m_cmdNext->setVisible(visible);
}

void frmmain::OnToolListClicked(QListWidgetItem* item)
{
    if (!item)
        return;
    ShowScreen(static_cast<std::uint8_t>(item->data(Qt::UserRole + 1).toInt()));
    SetWorkflowButtonsVisible(false);
    if (m_activeScreen)
        m_activeScreen->setFocus();
}

void frmmain::ShowNotice(const QString& text)
{
    if (!m_notice)
        m_notice = new NoticeWindow(this);
    m_notice->Text(text);
    m_notice->ShowOver(this);
}

NoticeWindow* frmmain::Notice() const
{
    return m_notice;
}

void frmmain::UnloadNotice()
{
    if (m_notice) {
        m_notice->close();
        delete m_notice;
    }
}

QAction* frmmain::ToolAction(int position) const
{
    for (QAction* action : m_toolBar->actions()) {
        if (action->data().toInt() == position)
            return action;
    }
    return nullptr;
}

void frmmain::SetCommandsEnabled(bool enabled)
{
    m_disabled = !enabled;
    ApplyEnabled();
}

void frmmain::ApplyEnabled()
{
    const MainControls controls = MainControlsOf(m_disabled, m_busy);
    m_toolBar->setEnabled(controls.ToolBar);
    centralWidget()->setEnabled(controls.Screen);
    m_picTool->setEnabled(controls.ToolList);
    m_picStatus->setEnabled(controls.ToolList);
    m_history->SetAllowed(controls.ToolBar);
}

void frmmain::closeEvent(QCloseEvent* event)
{
    if (m_session.DeviceBusy() || (m_closeGuard && !m_closeGuard())) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace kor
