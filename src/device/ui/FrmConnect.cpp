#include "device/ui/FrmConnect.h"

#include "app/AppSession.h"
#include "app/CameraConfigRecord.h"
#include "app/DeviceJob.h"
#include "app/HistoryForm.h"
#include "app/Language.h"
#include "app/RefusedCharacter.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/IPTxt.h"
#include "config/Cp1252.h"
#include "device/ConnectForm.h"
#include "device/QueuedRunHost.h"
#include "device/ui/ConnectRunHost.h"
#include "device/ui/FrmHistory.h"
#include "device/ui/FrmHome.h"
#include "rules/CameraDrift.h"
#include "rules/ConfigCheck.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <string>

namespace kor {

namespace {

void Show(QCheckBox* box, const OptionBox& state)
{
    box->setEnabled(state.Enabled);
    box->setChecked(state.Checked);
}

std::string Text(int n)
{
    return LangTextBytes(n);
}

QCheckBox* NewCheck(const char* name, int caption, QWidget* parent)
{
    auto* box = new QCheckBox(LangCaption(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel* NewLabel(const char* name, int caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(LangCaption(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

FrmConnect::FrmConnect(AppSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("FrmConnect"));
    setWindowTitle(LangCaption(173));
    BuildControls();
    Fill();
    ApplyLanguageTexts(this);
}

FrmConnect::~FrmConnect() = default;

LinkOptions& FrmConnect::RunOptions()
{
    static LinkOptions options;
    return options;
}

void FrmConnect::BuildControls()
{
    auto* frame1 = new QGroupBox(LangCaption(136), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    m_ipTxt1 = new IPTxt(frame1);
    m_ipTxt1->setObjectName(QStringLiteral("IPTxt1"));
    m_txtPort = new QLineEdit(frame1);
    m_txtPort->setObjectName(QStringLiteral("TxtPort"));
    m_txtPort->installEventFilter(this);
    m_txtPort->setFixedWidth(IPTxt::FixedWidth);
    m_txtUsr = new QLineEdit(frame1);
    m_txtUsr->setObjectName(QStringLiteral("TxtUsr"));
    m_txtPwd = new QLineEdit(frame1);
    m_txtPwd->setObjectName(QStringLiteral("TxtPwd"));
    m_txtPwd->setEchoMode(QLineEdit::Password);
    auto* fields = new QGridLayout(frame1);
    fields->setColumnStretch(1, 1);
    fields->addWidget(NewLabel("Label1", 105, m_ipTxt1, frame1), 0, 0);
    fields->addWidget(m_ipTxt1, 0, 1, Qt::AlignLeft);
    fields->addWidget(NewLabel("Label2", 106, m_txtPort, frame1), 1, 0);
    fields->addWidget(m_txtPort, 1, 1, Qt::AlignLeft);
    fields->addWidget(NewLabel("Label3", 107, m_txtUsr, frame1), 2, 0);
    fields->addWidget(m_txtUsr, 2, 1);
    fields->addWidget(NewLabel("Label4", 108, m_txtPwd, frame1), 3, 0);
    fields->addWidget(m_txtPwd, 3, 1);
    fields->setRowStretch(4, 1);

    auto* frame2 = new QGroupBox(LangCaption(135), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    m_check4 = NewCheck("Check4", 128, frame2);
    m_check1 = NewCheck("Check1", 129, frame2);
    m_check2 = NewCheck("Check2", 130, frame2);
    m_check3 = NewCheck("Check3", 132, frame2);
    m_check5 = NewCheck("Check5", 133, frame2);
    m_check6 = NewCheck("Check6", 134, frame2);
    m_check7 = NewCheck("Check7", 131, frame2);
    auto* options = new QGridLayout(frame2);
    options->setColumnMinimumWidth(0, 20);
    options->setColumnStretch(1, 1);
    int row = 0;
    for (QCheckBox* box : {m_check4, m_check1, m_check2, m_check3})
        options->addWidget(box, row++, 0, 1, 2);
    // The detector programming belongs to the input/output check.
    options->addWidget(m_check5, row++, 1);
    options->addWidget(m_check6, row++, 1);
    options->addWidget(m_check7, row++, 0, 1, 2);
    options->setRowStretch(row, 1);

    auto* frame3 = new QGroupBox(LangCaption(137), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    m_txtMsg = new QTextEdit(frame3);
    m_txtMsg->setObjectName(QStringLiteral("txtMsg"));
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setUndoRedoEnabled(false);
    m_txtMsg->setLineWrapMode(QTextEdit::WidgetWidth);
    m_txtMsg->setToolTip(LangCaption(1198));
    m_progress = new QProgressBar(frame3);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_cmdAdd = new QPushButton(LangCaption(305), frame3);
    m_cmdAdd->setObjectName(QStringLiteral("CmdAdd"));
    m_cmdAdd->setMinimumWidth(96);
    m_cmdAdd->setDefault(true);
    m_cmdCancel = new QPushButton(LangCaption(307), frame3);
    m_cmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    m_cmdCancel->setMinimumWidth(96);
    m_cmdCancel->setEnabled(false);
    // The busy pointer of the screen does not hide that cancelling is possible.
    m_cmdCancel->setCursor(Qt::ArrowCursor);
    m_cmdCompare = new QPushButton(LangCaption(1603), frame3);
    m_cmdCompare->setObjectName(QStringLiteral("CmdCompare"));
    m_cmdHistory = new QPushButton(LangCaption(1605), frame3);
    m_cmdHistory->setObjectName(QStringLiteral("CmdHistory"));
    auto* runRow = new QHBoxLayout();
    runRow->addWidget(m_cmdCompare);
    runRow->addWidget(m_cmdHistory);
    runRow->addSpacing(12);
    runRow->addWidget(m_progress, 1);
    runRow->addSpacing(12);
    runRow->addWidget(m_cmdAdd);
    runRow->addWidget(m_cmdCancel);
    auto* logColumn = new QVBoxLayout(frame3);
    logColumn->addWidget(m_txtMsg, 1);
    logColumn->addLayout(runRow);

    auto* top = new QHBoxLayout();
    top->addWidget(frame1, 1);
    top->addWidget(frame2, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(frame3, 1);

    connect(m_check4, &QCheckBox::clicked, this, [](bool checked) { RunOptions().Install = checked; });
    connect(m_check1, &QCheckBox::clicked, this, [](bool checked) { RunOptions().UpdateSettings = checked; });
    connect(m_check2, &QCheckBox::clicked, this, [](bool checked) { RunOptions().SendConfig = checked; });
    connect(m_check3, &QCheckBox::clicked, this, &FrmConnect::OnCheck3Clicked);
    connect(m_cmdAdd, &QPushButton::clicked, this, &FrmConnect::Run);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmConnect::Cancel);
    connect(m_cmdCompare, &QPushButton::clicked, this, &FrmConnect::CompareWithCamera);
    connect(m_cmdHistory, &QPushButton::clicked, this, &FrmConnect::ShowHistory);
}

void FrmConnect::Fill()
{
    const CurrentCamera& camera = m_session.Camera();
    ConnectOpening opening;
    opening.ModelInputOutput = m_session.Model().InputOutput();
    opening.InputOneAsSensor = m_session.Document().InputOneAsSensor;
    opening.ModelHasPresets = m_session.Model().HasCapability(Capability::Presets);
    opening.RelayEnabled = m_session.Relay().Enabled;
    opening.CameraHasAddress = !camera.IpAddress().empty();
    opening.Remembered = RunOptions();
    if (opening.CameraHasAddress) {
        m_ipTxt1->SetIPtext(FromCp1252(camera.IpAddress()));
        m_txtPort->setText(QString::number(camera.Port()));
        m_txtUsr->setText(FromCp1252(camera.UserName()));
        m_txtPwd->setText(FromCp1252(camera.Password()));
    }
    ShowBoxes(OpenConnectBoxes(opening));
}

ConnectBoxes FrmConnect::Boxes() const
{
    auto state = [](const QCheckBox* box) { return OptionBox{box->isEnabled(), box->isChecked()}; };
    return {state(m_check4), state(m_check1), state(m_check2), state(m_check3),
            state(m_check5), state(m_check6), state(m_check7)};
}

void FrmConnect::ShowBoxes(const ConnectBoxes& boxes)
{
    Show(m_check4, boxes.Install);
    Show(m_check1, boxes.UpdateSettings);
    Show(m_check2, boxes.SendConfig);
    Show(m_check3, boxes.IoCheck);
    Show(m_check5, boxes.ProgramCode);
    Show(m_check6, boxes.ProgramSensors);
    Show(m_check7, boxes.Home);
}

void FrmConnect::OnCheck3Clicked(bool checked)
{
    RunOptions().IoCheck = checked;
    ShowBoxes(ClickIoCheck(Boxes(), checked));
}

bool FrmConnect::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtPort && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() == 1 && (typed.at(0).isPrint() || typed.at(0) == u'\b'))
            return !PortKeyAccepted(typed.at(0).unicode());
    }
    return QWidget::eventFilter(watched, event);
}

void FrmConnect::AddLogLine(const QString& text, LogKind kind)
{
    // Red means failure and nothing else; every other line keeps the log's own colour.
    QTextCharFormat format;
    if (kind == LogKind::Error)
        format.setForeground(QColor(Qt::red));
    QTextCursor cursor(m_txtMsg->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, format);
    cursor.insertBlock();
    m_txtMsg->setTextCursor(cursor);
    m_txtMsg->ensureCursorVisible();
}

QStringList FrmConnect::LogLines() const
{
    QStringList lines = m_txtMsg->toPlainText().split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

LinkFields FrmConnect::Fields() const
{
    LinkFields fields;
    fields.Address = ToCp1252(m_ipTxt1->IPtext());
    fields.PortText = ToCp1252(m_txtPort->text());
    fields.User = ToCp1252(m_txtUsr->text());
    fields.Password = ToCp1252(m_txtPwd->text());
    return fields;
}

LinkOptions FrmConnect::Options() const
{
    return OptionsOf(Boxes());
}

void FrmConnect::Run()
{
    // The read before a send runs on the worker too: a press meanwhile starts nothing.
    if (m_session.DeviceBusy() || !RunMayStart(m_running, ToCp1252(m_ipTxt1->IPtext())))
        return;
    m_txtMsg->clear();
    // The user name and password go to the camera's single-byte files: one stored changed ("?" for a
    // character) would make the camera refuse the log-in without a hint.
    for (const auto& [field, caption] : {std::pair{m_txtUsr, 107}, std::pair{m_txtPwd, 108}}) {
        if (const std::optional<char32_t> c = FirstOutsideCp1252(field->text())) {
            AddLogLine(RefusedCharacterMessage(LangText(caption), *c), LogKind::Error);
            field->setFocus();
            return;
        }
    }
    const Result<DeviceServices> services = RunServices();
    if (services.failed()) {
        AddLogLine(QString::fromStdString(services.reason()), LogKind::Error);
        return;
    }
    if (!ConfirmSend() || !ConfirmCameraUnchanged(*services))
        return;

    ConfigDocument doc = m_session.Document();
    bool taskListDirty = m_session.TaskListDirty();
    const LinkOptions options = Options();
    std::string stored;
    std::string firmware;
    const RunOutcome result = RunEngine(*services, [&](RunSequence& engine, const LinkFields& fields) {
        const RunOutcome outcome = engine.ConnectAndApply(doc, fields, options, taskListDirty);
        taskListDirty = engine.TaskListDirty();
        stored = engine.StoredConfiguration();
        firmware = engine.FirmwareRelease();
        return outcome;
    });
    m_session.SetTaskListDirty(taskListDirty);
    if (!firmware.empty())
        m_session.SetFirmwareRelease(firmware);
    if (!stored.empty() && !services->WorkFolder.isEmpty()) {
        if (const Status kept =
                HistoryIn(services->WorkFolder)
                    .Remember(m_session.Camera().Id(), HistoryOperation::Sent, stored, firmware);
            kept.failed())
            AddLogLine(QString::fromStdString(kept.reason()), LogKind::Error);
    }
    // A run that went through ends with a full bar; one that stopped shows where.
    if (result == RunOutcome::Completed)
        m_progress->setValue(m_progress->maximum());
}

Result<DeviceServices> FrmConnect::RunServices() const
{
    DeviceServices services = m_session.Services();
    if (!services.Http || !services.Ftp || !services.Ping || !services.Wait)
        return Status::Fail("No device transport is set up.");
    services.Text = Text;
    if (!services.WorkFolder.isEmpty())
        services.KeepSystemFiles = SystemFilesKeeper(services.WorkFolder, m_session.Camera().Id());
    return services;
}

RunOutcome FrmConnect::RunEngine(const DeviceServices& services,
                                 const std::function<RunOutcome(RunSequence&, const LinkFields&)>& run)
{
    // The worker gets copies; the session is only touched here, on the GUI thread.
    LinkSubject subject;
    subject.Camera = m_session.Camera().Record();
    subject.Model = m_session.Model().Record();
    if (const AxisDevice* device = m_session.Device())
        subject.Device = *device;
    subject.Relay = m_session.Relay();
    PresetSource presets;
    if (m_session.Device() && subject.Camera.Brand == "AXIS" && subject.Camera.PositioningSupport) {
        presets.Http = services.Http;
        presets.Device = subject.Device;
        presets.Target.Address = subject.Device.Address();
        presets.Target.PortText = std::to_string(subject.Device.Port());
        presets.Target.User = subject.Device.UserName();
        presets.Target.Password = subject.Device.Password();
        presets.Target.Relay = subject.Relay;
    }
    // The engine's calls come from the worker: the presets are read there, everything else is
    // queued to this screen.
    ConnectRunHost screenHost(*this, m_session.Dialogs());
    QueuedRunHost queued(this, screenHost, m_cancelRequested);
    PresetAskingHost host(queued, screenHost, presets);
    const LinkFields fields = Fields();

    ShowRunning(true);
    auto result = RunOutcome::NotStarted;
    try {
        RunDeviceJob(m_session, [&] {
            RunSequence engine(services, host, subject);
            result = run(engine, fields);
        });
    } catch (const std::exception& e) {
        AddLogLine(QStringLiteral("Error ") + QString::fromLocal8Bit(e.what()), LogKind::Error);
    } catch (...) {
        AddLogLine(QStringLiteral("Error"), LogKind::Error);
    }
    // The worker's last lines are queued for this screen; show them before the run counts as over.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    ShowBusy(false);
    ShowRunning(false);
    return result;
}

DeviceTarget FrmConnect::FieldsTarget() const
{
    const LinkFields f = Fields();
    return {f.Address, f.PortText, f.User, f.Password, m_session.Relay()};
}

bool FrmConnect::ConfirmCameraUnchanged(const DeviceServices& services)
{
    if (!Options().SendConfig || services.WorkFolder.isEmpty())
        return true;
    std::optional<Result<CameraDrift>> drift;
    const DeviceTarget target = FieldsTarget();
    const int channels = m_session.Model().ChannelCount();
    const int channel = m_session.Camera().Channel();
    const CameraConfigRecord history = HistoryIn(services.WorkFolder);
    const std::int32_t id = m_session.Camera().Id();
    HttpClient& http = *services.Http;
    RunDeviceJob(m_session,
                 [&] { drift = ReadCameraDrift(http, target, channels, channel, history, id, Text); });
    QString question;
    if (drift->failed())
        question = LangText(1602) + u'\n' + FromCp1252(drift->reason());
    else if (const CameraDrift& d = **drift; d.Changed())
        question = LangText(1600) + QStringLiteral("\n\n") +
                   FromCp1252(d.Changes.empty() ? d.Unreadable : ChangeLines(d.Changes, Text)) +
                   QStringLiteral("\n\n") + LangText(1601);
    else
        return true;
    return m_session.Dialogs().Proceed(MessageIcon::Exclamation, m_session.CameraDisplayName(), question,
                                       LangText(1308), LangText(307));
}

void FrmConnect::CompareWithCamera()
{
    HttpClient* http = m_session.Services().Http;
    if (m_running || m_session.DeviceBusy() || !http)
        return;
    const DeviceTarget target = FieldsTarget();
    const int channels = m_session.Model().ChannelCount();
    const int channel = m_session.Camera().Channel();
    CompareInput camera;
    std::optional<Result<std::string>> text;
    RunDeviceJob(m_session, [&] { text = ReadCameraText(*http, target, channels, channel, &camera.Doc); });
    const QString title = m_session.CameraDisplayName();
    if (text->failed()) {
        m_session.Dialogs().Message(MessageIcon::Critical, title,
                                    LangText(1602) + u'\n' + FromCp1252(text->reason()));
        return;
    }
    const ConfigDocument& doc = m_session.Document();
    camera.Doc.InputOneAsSensor = doc.InputOneAsSensor;
    const std::vector<ConfigChange> changes = DiffConfigs(camera.Side(), ConfigSide{&doc, nullptr}, Text);
    m_session.Dialogs().Message(MessageIcon::Information, title,
                                LangText(1604) + u'\n' + FromCp1252(ChangeLines(changes, Text)));
}

void FrmConnect::ShowHistory()
{
    const Result<DeviceServices> services = RunServices();
    if (m_running || m_session.DeviceBusy() || services.failed() || services->WorkFolder.isEmpty())
        return;
    const Result<std::vector<HistoryEntry>> entries =
        HistoryIn(services->WorkFolder).List(m_session.Camera().Id());
    if (entries.failed()) {
        m_session.Dialogs().Message(MessageIcon::Critical, m_session.CameraDisplayName(),
                                    QString::fromStdString(entries.reason()));
        return;
    }
    FrmHistory history(m_session, *entries, window());
    history.exec();
    const std::optional<HistoryEntry>& chosen = history.SystemFilesChosen();
    if (!chosen)
        return;
    // The steps of korctl apply --restore-system-files, logged here as a run's.
    m_txtMsg->clear();
    RunEngine(*services, [&](RunSequence& engine, const LinkFields& fields) {
        return engine.RestoreSystemFiles(fields, chosen->Inittab, chosen->BoaConf);
    });
}

bool FrmConnect::ConfirmSend()
{
    if (!Options().SendConfig)
        return true;
    const QString question = SendCheckQuestion(CheckConfig(m_session.Document()));
    return question.isEmpty() ||
           m_session.Dialogs().Proceed(MessageIcon::Exclamation, m_session.CameraDisplayName(), question,
                                       LangText(1308), LangText(307));
}

void FrmConnect::Cancel()
{
    if (!m_running)
        return;
    m_cancelRequested = true;
    m_cmdCancel->setEnabled(false);
}

void FrmConnect::ShowRunning(bool running)
{
    m_running = running;
    m_cancelRequested = false;
    m_cmdCancel->setEnabled(running);
    m_cmdCompare->setEnabled(!running);
    m_cmdHistory->setEnabled(!running);
    if (running) {
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
    }
}

void FrmConnect::ShowBusy(bool busy)
{
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void FrmConnect::ShowProgress(int done, int total)
{
    if (total < 1)
        return;
    m_progress->setRange(0, total);
    m_progress->setValue(std::min(done, total));
}

HomeChoice FrmConnect::ChooseHome(const std::vector<CameraPosition>& positions,
                                  const std::vector<NamedPreset>& presets)
{
    FrmHome home(positions, presets, window());
    home.exec();
    return home.Result();
}

void FrmConnect::closeEvent(QCloseEvent* event)
{
    // The run holds this screen until its closing steps are done.
    if (m_running) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace kor
