#include "device/ui/FrmCameras.h"

#include "app/AppPaths.h"
#include "app/AppSession.h"
#include "app/DeviceJob.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "device/CameraRun.h"
#include "device/ui/FrmConnect.h"
#include "outside/companion/CameraTable.h"
#include "rules/ConfigCheck.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

namespace kor {

namespace {

// As many runs at once as korctl's benchmark shows to pay off: most of a run is waiting.
constexpr int kScreenJobs = 16;

enum Column
{
    ColId,
    ColName,
    ColAddress,
    ColModel,
    ColGroup,
    ColState,
    ColDuration,
    ColumnCount
};

// The pool's news, queued to the screen: the worker threads never touch a widget.
class ScreenObserver final : public PoolObserver
{
public:
    explicit ScreenObserver(FrmCameras& screen) : m_screen(screen) {}

    void Started(std::int32_t id) override
    {
        Post([id](FrmCameras& screen) { screen.ShowStarted(id); });
    }
    void Line(std::int32_t id, const std::string& line) override
    {
        Post([id, text = FromCp1252(line)](FrmCameras& screen) { screen.ShowLine(id, text); });
    }
    void Finished(const PoolResult& result) override
    {
        PoolResult news = result;
        news.Lines.clear(); // every line has come already
        Post([news](FrmCameras& screen) { screen.ShowFinished(news); });
    }

private:
    template <typename Call> void Post(Call call)
    {
        FrmCameras* screen = &m_screen;
        QMetaObject::invokeMethod(
            screen, [screen, call] { call(*screen); }, Qt::QueuedConnection);
    }

    FrmCameras& m_screen;
};

} // namespace

FrmCameras::FrmCameras(AppSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("FrmCameras"));
    setWindowTitle(LangCaption(1720));
    BuildControls();
    Fill();
    ApplyLanguageTexts(this);
}

FrmCameras::~FrmCameras() = default;

void FrmCameras::BuildControls()
{
    m_cboGroup = new QComboBox(this);
    m_cboGroup->setObjectName(QStringLiteral("CboGroup"));
    auto* groupLabel = new QLabel(LangCaption(1721), this);
    groupLabel->setObjectName(QStringLiteral("LblGroup"));
    groupLabel->setBuddy(m_cboGroup);
    auto* groupRow = new QHBoxLayout();
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(m_cboGroup, 1);

    m_lvwCameras = new QTreeWidget(this);
    m_lvwCameras->setObjectName(QStringLiteral("LvwCameras"));
    m_lvwCameras->setRootIsDecorated(false);
    m_lvwCameras->setColumnCount(ColumnCount);
    m_lvwCameras->setHeaderLabels({LangCaption(1732), LangCaption(1723), LangCaption(105), LangCaption(1131),
                                   LangCaption(1721), LangCaption(1724), LangCaption(1725)});
    m_lvwCameras->header()->setStretchLastSection(false);
    m_lvwCameras->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_lvwCameras->header()->setSectionResizeMode(ColName, QHeaderView::Stretch);

    auto* frame2 = new QGroupBox(LangCaption(135), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* options = new QGridLayout(frame2);
    options->setColumnMinimumWidth(0, 20);
    options->setColumnStretch(1, 1);
    const struct
    {
        const char* Name;
        int Caption;
        bool Sub; // belongs to the input/output check
    } boxes[] = {{"Check4", LangTextId(128), false}, {"Check1", LangTextId(129), false},
                 {"Check2", LangTextId(130), false}, {"Check3", LangTextId(132), false},
                 {"Check5", LangTextId(133), true},  {"Check6", LangTextId(134), true},
                 {"Check7", LangTextId(131), false}};
    int row = 0;
    for (const auto& box : boxes) {
        auto* check = new QCheckBox(LangCaption(box.Caption), frame2);
        check->setObjectName(QLatin1String(box.Name));
        options->addWidget(check, row++, box.Sub ? 1 : 0, 1, box.Sub ? 1 : 2);
        m_checks.push_back(check);
    }
    options->setRowStretch(row, 1);

    auto* frame3 = new QGroupBox(LangCaption(137), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    m_txtMsg = new QTextEdit(frame3);
    m_txtMsg->setObjectName(QStringLiteral("txtMsg"));
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setUndoRedoEnabled(false);
    m_txtMsg->setToolTip(LangCaption(1733));
    m_cmdAdd = new QPushButton(LangCaption(305), frame3);
    m_cmdAdd->setObjectName(QStringLiteral("CmdAdd"));
    m_cmdAdd->setMinimumWidth(96);
    m_cmdAdd->setDefault(true);
    m_cmdCancel = new QPushButton(LangCaption(307), frame3);
    m_cmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    m_cmdCancel->setMinimumWidth(96);
    m_cmdCancel->setEnabled(false);
    m_cmdCancel->setCursor(Qt::ArrowCursor);
    auto* runRow = new QHBoxLayout();
    runRow->addStretch(1);
    runRow->addWidget(m_cmdAdd);
    runRow->addWidget(m_cmdCancel);
    auto* logColumn = new QVBoxLayout(frame3);
    logColumn->addWidget(m_txtMsg, 1);
    logColumn->addLayout(runRow);

    auto* top = new QHBoxLayout();
    top->addWidget(m_lvwCameras, 3);
    top->addWidget(frame2, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(groupRow);
    column->addLayout(top, 3);
    column->addWidget(frame3, 2);

    connect(m_cboGroup, &QComboBox::currentIndexChanged, this, &FrmCameras::FillList);
    connect(m_lvwCameras, &QTreeWidget::currentItemChanged, this, &FrmCameras::ShowLog);
    connect(m_lvwCameras, &QTreeWidget::itemChanged, this, &FrmCameras::TakeTicks);
    // The boxes are the device link screen's: what is ticked here is ticked there.
    connect(m_checks[0], &QCheckBox::clicked, this, [](bool on) { FrmConnect::RunOptions().Install = on; });
    connect(m_checks[1], &QCheckBox::clicked, this,
            [](bool on) { FrmConnect::RunOptions().UpdateSettings = on; });
    connect(m_checks[2], &QCheckBox::clicked, this,
            [](bool on) { FrmConnect::RunOptions().SendConfig = on; });
    connect(m_checks[3], &QCheckBox::clicked, this, [this](bool on) {
        FrmConnect::RunOptions().IoCheck = on;
        ShowBoxes(ClickIoCheck(Boxes(), on));
    });
    connect(m_cmdAdd, &QPushButton::clicked, this, &FrmCameras::Run);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmCameras::Cancel);
}

void FrmCameras::Fill()
{
    ShowBoxes(OpenCamerasBoxes(m_session.Relay().Enabled, FrmConnect::RunOptions()));
    const Result<std::vector<CameraRecord>> cameras = CameraTable::List(m_session.Connection());
    if (cameras.failed()) {
        m_txtMsg->setPlainText(FromCp1252(cameras.reason()));
        return;
    }
    for (const CameraRecord& camera : *cameras) {
        m_rows.push_back({camera.Id, camera.Group});
        auto* item = new QTreeWidgetItem(m_lvwCameras);
        item->setData(ColId, Qt::UserRole, int(camera.Id));
        item->setText(ColId, QString::number(camera.Id));
        item->setCheckState(ColId, Qt::Unchecked);
        item->setText(ColName, FromCp1252(camera.DisplayName));
        item->setText(ColAddress, FromCp1252(camera.IpAddress));
        item->setText(ColModel, FromCp1252(camera.ModelName));
        item->setText(ColGroup, FromCp1252(camera.Group));
    }
    m_cboGroup->addItem(LangText(1722));
    for (const std::string& group : GroupsOf(m_rows))
        m_cboGroup->addItem(FromCp1252(group), QString::fromStdString(group));
}

void FrmCameras::FillList()
{
    const std::optional<std::string> group = Group();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_lvwCameras->topLevelItem(static_cast<int>(i))->setHidden(!RowShown(m_rows[i], group));
}

std::optional<std::string> FrmCameras::Group() const
{
    const QVariant group = m_cboGroup->currentData();
    if (!group.isValid())
        return std::nullopt;
    return group.toString().toStdString();
}

void FrmCameras::TakeTicks()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].Ticked = m_lvwCameras->topLevelItem(static_cast<int>(i))->checkState(ColId) == Qt::Checked;
}

ConnectBoxes FrmCameras::Boxes() const
{
    auto state = [this](std::size_t n) {
        return OptionBox{m_checks[n]->isEnabled(), m_checks[n]->isChecked()};
    };
    return {state(0), state(1), state(2), state(3), state(4), state(5), state(6)};
}

void FrmCameras::ShowBoxes(const ConnectBoxes& boxes)
{
    const OptionBox* states[] = {&boxes.Install,     &boxes.UpdateSettings, &boxes.SendConfig, &boxes.IoCheck,
                                 &boxes.ProgramCode, &boxes.ProgramSensors, &boxes.Home};
    for (std::size_t n = 0; n < m_checks.size(); ++n) {
        m_checks[n]->setEnabled(states[n]->Enabled);
        m_checks[n]->setChecked(states[n]->Checked);
    }
}

QTreeWidgetItem* FrmCameras::ItemOf(std::int32_t id) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].Id == id)
            return m_lvwCameras->topLevelItem(static_cast<int>(i));
    }
    return nullptr;
}

void FrmCameras::Run()
{
    const std::vector<std::int32_t> ids = CamerasToRun(m_rows, Group());
    const LinkOptions options = OptionsOf(Boxes());
    if (!CamerasRunMayStart(m_running, ids.size(), options))
        return;
    if (options.SendConfig) {
        const QString question = SendCheckQuestion(CheckConfig(m_session.Document()));
        if (!question.isEmpty() && !m_session.Dialogs().Proceed(MessageIcon::Exclamation, LangText(1720),
                                                                question, LangText(1308), LangText(307)))
            return;
    }
    // The worker gets copies; the session is only touched here, on the GUI thread.
    const ConfigDocument project = m_session.Document();
    const DeviceServices& services = m_session.Services();
    ManyApply shared;
    shared.Request.Options = options;
    shared.Start = m_session.Start();
    shared.Project = &project;
    shared.Text = [](int n) { return LangTextBytes(n); };
    shared.DataFolder =
        services.DataFolder.isEmpty() ? AppPaths::Resource(QStringLiteral("Data")) : services.DataFolder;
    shared.WorkRoot = services.WorkFolder.isEmpty() ? AppPaths::WorkDir() : services.WorkFolder;
    // From here the screen and the session are busy: reading fifty cameras takes a while, and the
    // window answers meanwhile.
    RunPool pool(kScreenJobs);
    ScreenObserver observer(*this);
    m_pool = &pool;
    ShowRunning(true);
    m_session.SetDeviceBusy(true);
    std::vector<CameraUnit> units(ids.size());
    std::vector<PoolJob> jobs;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const Status loaded = LoadCameraUnit(m_session.Connection(), shared.Start, ids[i], units[i]);
        jobs.push_back(ApplyJob(shared, ids[i], units[i], loaded.reason()));
        m_logs[ids[i]].clear();
        ShowState(ids[i], CameraRowState::Waiting);
        if (i % 4 == 3)
            QCoreApplication::processEvents();
    }
    ShowLog();
    try {
        RunDeviceJob(m_session, [&] { pool.Run(std::move(jobs), &observer); });
    } catch (const std::exception& e) {
        m_txtMsg->append(QStringLiteral("Error ") + QString::fromLocal8Bit(e.what()));
    }
    // The runs' last news is queued for this screen; show it before the run counts as over.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    m_pool = nullptr;
    ShowRunning(false);
}

void FrmCameras::Cancel()
{
    if (!m_pool)
        return;
    m_pool->Cancel();
    m_cmdCancel->setEnabled(false);
}

void FrmCameras::ShowRunning(bool running)
{
    m_running = running;
    m_cmdAdd->setEnabled(!running);
    m_cmdCancel->setEnabled(running);
    m_cboGroup->setEnabled(!running);
    for (QCheckBox* box : m_checks)
        box->setAttribute(Qt::WA_TransparentForMouseEvents, running);
}

void FrmCameras::ShowState(std::int32_t id, CameraRowState state, const QString& duration)
{
    for (CameraRow& row : m_rows) {
        if (row.Id == id)
            row.State = state;
    }
    if (QTreeWidgetItem* item = ItemOf(id)) {
        const int text = StateText(state);
        item->setText(ColState, text ? LangText(text) : QString());
        item->setForeground(ColState, state == CameraRowState::Failed || state == CameraRowState::Skipped
                                          ? QBrush(Qt::red)
                                          : QBrush());
        item->setText(ColDuration, duration);
    }
}

void FrmCameras::ShowStarted(std::int32_t id)
{
    ShowState(id, CameraRowState::Running);
}

void FrmCameras::ShowLine(std::int32_t id, const QString& line)
{
    m_logs[id].append(line);
    if (const QTreeWidgetItem* item = m_lvwCameras->currentItem();
        item && item->data(ColId, Qt::UserRole).toInt() == id)
        m_txtMsg->append(line);
}

void FrmCameras::ShowFinished(const PoolResult& result)
{
    ShowState(result.Id, StateOf(result.Outcome), QString::fromStdString(DurationText(result.Duration)));
    if (QTreeWidgetItem* item = ItemOf(result.Id))
        item->setToolTip(ColState, FromCp1252(result.FailureLine));
}

void FrmCameras::ShowLog()
{
    const QTreeWidgetItem* item = m_lvwCameras->currentItem();
    const auto log = item ? m_logs.find(item->data(ColId, Qt::UserRole).toInt()) : m_logs.end();
    m_txtMsg->setPlainText(log == m_logs.end() ? QString() : log->second.join(u'\n'));
}

void FrmCameras::closeEvent(QCloseEvent* event)
{
    // The runs hold this screen until their closing steps are done.
    if (m_running) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace kor
