// The device link screen as a user meets it, and whole runs against kor-devicesim compared with
// korctl apply.
#include "SessionFixture.h"
#include "TestSupport.h"

#include "app/Language.h"
#include "app/StartCamera.h"
#include "app/ui/AppScreens.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmmain.h"
#include "config/ConfigFiles.h"
#include "config/TextNumber.h"
#include "device/Clock.h"
#include "device/ui/DeviceScreens.h"
#include "device/ui/FrmCameras.h"
#include "device/ui/FrmConnect.h"
#include "outside/companion/CameraTable.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace kor::test {
namespace {

// The session as the window has it, with the real transports (waits fifty times shorter) and the
// device link's run options as at program start.
class FrmConnectSim : public SessionFixture
{
protected:
    FrmConnectSim() : SessionFixture(Camera::Demo) {}

    void SetUp() override
    {
        SessionFixture::SetUp();
        FrmConnect::RunOptions() = LinkOptions();
        DeviceServices& services = m_session.Services();
        services.Http = &m_http;
        services.Ftp = &m_ftp;
        services.Ping = &m_ping;
        services.Wait = &m_clock;
        services.DataFolder = SourceDir() + QStringLiteral("/resources/Data");
    }

    // A camera like the demo camera (model DEMO-1, positioning support) with these positions, at
    // the simulator once it runs.
    CameraRecord DemoCamera(std::int16_t id, std::vector<CameraPosition> positions = {}) const
    {
        const std::array<std::uint8_t, 8> mac = {0x02, 0, 0, 0, 0, 0x01, 0, 0};
        return {id,
                "Camera " + DecimalText(id),
                m_sim ? m_sim->Address() : "127.0.0.2",
                m_sim ? m_sim->HttpPort() : 80,
                "root",
                "pass",
                1,
                "AXIS",
                "DEMO-1",
                mac,
                true,
                std::move(positions)};
    }

    // Stores the camera and makes it the session's camera, as start-up does.
    void AddCamera(const CameraRecord& camera)
    {
        std::string error;
        ASSERT_TRUE(IsOk(CameraTable::Add(m_session.Connection(), camera)));
        ASSERT_EQ(LoadStartCamera(m_session, camera.Id, &error), CameraProblem::None) << error;
    }

    // Loads the sample project into the session's document as korctl apply --project does.
    void LoadSample()
    {
        ConfigDocument& doc = m_session.Document();
        doc.ResetConfig();
        ASSERT_TRUE(IsOk(LoadConfig(doc, SamplePath().toStdString(), false)));
        doc.InputOneAsSensor = 1;
    }

    CurlHttpClient m_http;
    CurlFtpClient m_ftp;
    IcmpPinger m_ping;
    SystemClock m_clock{50};
};

// Calls act once, from the GUI thread's event loop, as soon as a visible top-level widget of that
// object name exists (a modal screen the run has opened). Stops looking when this object goes.
class WhenShown
{
public:
    WhenShown(const char* objectName, std::function<void(QWidget&)> act) : m_timer(new QTimer())
    {
        QTimer* timer = m_timer.get();
        const QString name = QLatin1String(objectName);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, name, act] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == name && widget->isVisible()) {
                    timer->stop();
                    m_done = true;
                    act(*widget);
                    return;
                }
            }
        });
        timer->start(10);
    }
    bool Done() const { return m_done; }

private:
    std::unique_ptr<QTimer> m_timer;
    bool m_done = false;
};

std::string Joined(const QStringList& lines)
{
    return lines.join(u'\n').toStdString();
}

// Lets the first wait of a run hold until the test opens the gate; every other wait is instant.
class GateClock final : public Clock
{
public:
    void SleepMs(int) override
    {
        if (m_passed.exchange(true))
            return;
        Reached = true;
        // A test that never opens the gate fails on its own; the run is not held forever.
        for (int i = 0; i < 60000 && !Open; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::atomic<bool> Reached{false};
    std::atomic<bool> Open{false};

private:
    std::atomic<bool> m_passed{false};
};

TEST_F(FrmConnectSim, AWholeRunLogsTheLinesOfKorctlApplyWithTheSameOptions)
{
    // The loopback address always answers a ping, so every wait for the camera to go down runs to
    // its end: long enough, at these divisors, for the simulator to be back (with FTP it takes longer).
    struct Case
    {
        const char* What;
        std::int16_t Camera;
        const char* Boxes;
        const char* KorctlOptions;
        bool Ftp;
        int WaitDivisor;
    };
    const Case cases[] = {
        {"configuration, task list and restart, I/O check with detector programming, home position", 7,
         "Check2 Check3 Check5 Check6 Check7",
         "--send-config --io-check --program-code --program-sensors --home 2 --home-enable", false, 50},
        {"installation over FTP with its identification and restarts", 8, "Check4 Check1",
         "--install --update-settings", true, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        if (!StartSim({"--installed"}, c.Ftp))
            return;
        if (c.Ftp && m_sim->FtpPort() != 21) {
            // korctl reaches the camera's FTP server on its own port only.
            std::fprintf(stderr, "skipped without the camera's FTP port 21: %s\n", c.What);
            continue;
        }
        SystemClock clock(c.WaitDivisor);
        m_session.Services().Wait = &clock;
        m_session.Services().FtpPort = m_sim->FtpPort();
        CameraRecord camera = DemoCamera(c.Camera, {{"Home", 0, 0, 1}, {"Gate", 12.5, -4.25, 2}});
        camera.PositioningSupport = c.Camera == 7;
        FrmConnect::RunOptions() = LinkOptions();
        AddCamera(camera);
        LoadSample();
        const QStringList boxes = QString::fromLatin1(c.Boxes).split(u' ');
        m_session.SetTaskListDirty(boxes.contains(QStringLiteral("Check2")) &&
                                   UsesDeviceTasks(m_session.Document()));

        FrmConnect screen(m_session);
        for (const QString& box : boxes)
            screen.findChild<QCheckBox*>(box)->click();
        WhenShown home("FrmHome", [](QWidget& dialog) { // the second position, enabled
            Find<QListWidget>(dialog, "LvwPrepos")->setCurrentRow(1);
            QTest::mouseClick(Find<QCheckBox>(dialog, "Check1"), Qt::LeftButton);
            QTest::mouseClick(Find<QPushButton>(dialog, "CmdNext"), Qt::LeftButton);
        });
        screen.Run();
        const QStringList screenLines = screen.LogLines();
        const std::string screenHome = m_sim->ReadDeviceFile("etc/movetohomed.conf");
        if (c.Camera == 7) {
            EXPECT_EQ(screenHome, "1\n12.5\n-4.25\n2\n30\n") << "the second position, enabled";
        }
        const std::string screenConfig = m_sim->ReadDeviceFile("etc/alarm_app");
        m_sim->WriteDeviceFile("etc/movetohomed.conf", "");

        // korctl apply on the session's database, its waits as short; its standard output is its log.
        QProcess korctl;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KOR_WORK_DIR"), m_dir.filePath(QStringLiteral("korctl")));
        environment.insert(QStringLiteral("KOR_WAIT_DIVISOR"), QString::number(c.WaitDivisor));
        korctl.setProcessEnvironment(environment);
        korctl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        korctl.start(BuiltProgram(QStringLiteral("korctl")),
                     QStringList{QStringLiteral("--database"), DatabasePath()} +
                         QStringLiteral("apply --camera %1 --project %2 --lang en %3")
                             .arg(c.Camera)
                             .arg(SamplePath(), QLatin1String(c.KorctlOptions))
                             .split(u' '));
        EXPECT_TRUE(korctl.waitForFinished(120000)) << "korctl did not end";
        m_session.Services().Wait = &m_clock;
        EXPECT_EQ(korctl.exitCode(), 0); // so the run went through
        EXPECT_EQ(Joined(screenLines) + "\n", korctl.readAllStandardOutput().toStdString());
        EXPECT_EQ(m_sim->ReadDeviceFile("etc/alarm_app"), screenConfig);
        auto* bar = screen.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        EXPECT_EQ(bar->value(), bar->maximum()) << "a run that went through ends with a full bar";
        EXPECT_EQ(m_sim->ReadDeviceFile("etc/movetohomed.conf"), screenHome);
        EXPECT_FALSE(m_session.TaskListDirty()) << "the task list went up";
    }
}

TEST_F(FrmConnectSim, CancelStopsTheRunAtTheNextStepWithTheClosingSteps)
{
    if (!StartSim({"--installed"}))
        return;
    AddCamera(DemoCamera(7));
    LoadSample();
    GateClock gate;
    m_session.Services().Wait = &gate;
    m_session.SetTaskListDirty(true); // the restart after the task list waits for the camera
    FrmConnect screen(m_session);
    for (const char* box : {"Check2", "Check3"})
        screen.findChild<QCheckBox*>(QLatin1String(box))->click();
    auto* cancel = screen.findChild<QPushButton*>(QStringLiteral("CmdCancel"));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (gate.Reached && cancel->isEnabled()) {
            cancel->click();
            gate.Open = true;
        }
    });
    poll.start(5);
    screen.Run();
    const QStringList lines = screen.LogLines();
    ASSERT_GE(lines.size(), 5) << Joined(lines);
    EXPECT_EQ(lines.mid(lines.size() - 5),
              (QStringList{LangText(813), LangText(801), LangText(1181), LangText(1197), LangText(808)}));
    EXPECT_FALSE(m_session.DeviceBusy());
    EXPECT_FALSE(cancel->isEnabled());
    auto* bar = screen.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    EXPECT_EQ(bar->value(), 1) << "the bar stopped at the first second of the wait for the camera";
}

// Someone changed the camera's configuration behind the tool's back: the next run shows the change
// before it sends and Cancel sends nothing; the compare command and the history name it too.
TEST_F(FrmConnectSim, ARunShowsAChangeMadeBehindItsBackAndCancelSendsNothing)
{
    if (!StartSim({"--installed"}))
        return;
    AddCamera(DemoCamera(7));
    LoadSample();
    FrmConnect screen(m_session);
    Find<QCheckBox>(screen, "Check2")->click();
    screen.Run();
    ASSERT_TRUE(m_dialogs.Questions().isEmpty()) << "nothing kept for the camera yet";
    std::string stored = m_sim->ReadDeviceFile("etc/alarm_app");
    stored.replace(stored.find("DISP=1"), 6, "DISP=2");
    m_sim->WriteDeviceFile("etc/alarm_app", stored);

    screen.Run();
    ASSERT_EQ(m_dialogs.Questions().size(), 1);
    EXPECT_TRUE(m_dialogs.Questions()[0].contains(QStringLiteral("Output: Output 01 -> Output 02")))
        << m_dialogs.Questions()[0].toStdString();
    EXPECT_EQ(m_sim->ReadDeviceFile("etc/alarm_app"), stored) << "nothing sent";

    Find<QPushButton>(screen, "CmdCompare")->click();
    ASSERT_FALSE(m_dialogs.Messages().isEmpty());
    EXPECT_TRUE(m_dialogs.Messages().back().contains(QStringLiteral("Output: Output 02 -> Output 01")))
        << m_dialogs.Messages().back().toStdString();
    WhenShown history("FrmHistory", [](QWidget& dialog) {
        Find<QListWidget>(dialog, "LstHistory")->setCurrentRow(0);
        EXPECT_FALSE(Find<QPushButton>(dialog, "CmdRestoreSystem")->isEnabled());
        Find<QPushButton>(dialog, "CmdCompare")->click();
        Find<QPushButton>(dialog, "CmdClose")->click();
    });
    Find<QPushButton>(screen, "CmdHistory")->click();
    EXPECT_TRUE(history.Done());
    EXPECT_TRUE(m_dialogs.Messages().back().endsWith(LangText(1210))) << "what was sent is the document";
}

// The boxes, the fields and the port as a user meets them: the rules themselves are ConnectForm's.
TEST_F(FrmConnectSim, FieldsBoxesAndKeysAsAUserMeetsThem)
{
    CameraRecord camera = DemoCamera(7);
    camera.UserName = "Jos\xE9"; // Windows-1252 e with acute accent
    AddCamera(camera);
    m_session.Document().InputOneAsSensor = 1;
    FrmConnect screen(m_session);
    screen.show();
    EXPECT_EQ(screen.Fields().User, camera.UserName) << "the field goes back as Windows-1252 bytes";
    QTest::mouseClick(Find<QCheckBox>(screen, "Check3"), Qt::LeftButton);
    QTest::mouseClick(Find<QCheckBox>(screen, "Check2"), Qt::LeftButton);
    auto* port = Find<QLineEdit>(screen, "TxtPort");
    port->clear();
    QTest::keyClicks(port, QStringLiteral("8a0 -8.1"));
    QTest::keyClick(port, Qt::Key_Backspace);
    EXPECT_EQ(port->text(), QStringLiteral("808"));

    // Sending what the checks find wrong is asked about first; stopping there starts no run.
    m_session.Document().AddAction(3, ActionRecord{ActMail, "Mail", {}, {}, false});
    m_dialogs.QueueAnswer(Answer::No);
    Find<QPushButton>(screen, "CmdAdd")->click();
    ASSERT_EQ(m_dialogs.Questions().size(), 1);
    EXPECT_TRUE(m_dialogs.Questions()[0].contains(QStringLiteral(
        "\n- rule 3, action 0 'Mail': an e-mail action, but the general settings name no mail server\n")))
        << m_dialogs.Questions()[0].toStdString();
    EXPECT_TRUE(screen.LogLines().isEmpty());
    EXPECT_TRUE(FrmConnect::RunOptions().SendConfig && FrmConnect::RunOptions().IoCheck) << "kept";
}

TEST_F(FrmConnectSim, WhileARunIsBusyNoOtherScreenNorCloseStartsButTheRunCanBeFollowed)
{
    if (!StartSim({"--installed"}))
        return;
    AddCamera(DemoCamera(7));
    ScreenRegistry screens;
    RegisterAppScreens(screens);
    RegisterDeviceScreens(screens);
    frmmain window(m_session, screens);
    window.show();
    ASSERT_TRUE(window.ShowScreen(4));
    auto* screen = qobject_cast<FrmConnect*>(window.ActiveScreen());
    ASSERT_NE(screen, nullptr) << "child screen 4 is the device link screen";
    Find<QCheckBox>(*screen, "Check7")->click();

    // The run waits for the home question: look at everything while it does.
    bool looked = false;
    WhenShown home("FrmHome", [&](QWidget& dialog) {
        looked = true;
        EXPECT_FALSE(window.ShowScreen(1));
        EXPECT_EQ(window.ActiveScreen(), screen);
        for (QWidget* target : {static_cast<QWidget*>(&window), static_cast<QWidget*>(screen)}) {
            QCloseEvent close;
            QApplication::sendEvent(target, &close);
            EXPECT_FALSE(close.isAccepted());
        }
        EXPECT_FALSE(window.ToolBar()->isEnabled());
        EXPECT_TRUE(Find<QPushButton>(*screen, "CmdCancel")->isEnabled()) << "the screen stays usable";
        EXPECT_EQ(screen->cursor().shape(), Qt::WaitCursor);
        const QStringList before = screen->LogLines();
        screen->Run(); // the run button, which the modal question holds off for the mouse
        EXPECT_EQ(screen->LogLines(), before) << "a second press starts nothing";
        QTest::mouseClick(Find<QPushButton>(dialog, "BTL1"), Qt::LeftButton);
    });
    screen->Run();
    EXPECT_TRUE(looked);
    EXPECT_EQ(screen->LogLines().back(), LangText(808));
    EXPECT_TRUE(screen->LogLines().contains(LangText(807))) << "the question was cancelled";
    EXPECT_FALSE(m_session.DeviceBusy());
    EXPECT_FALSE(screen->testAttribute(Qt::WA_SetCursor)) << "the pointer is back to normal";
    EXPECT_TRUE(window.ShowScreen(1));
}

// The cameras screen from the main window: the group filter decides which ticked cameras run, each
// row ends with its own outcome, the window keeps answering meanwhile.
TEST_F(FrmConnectSim, TheCamerasScreenRunsTheTickedCamerasOfAGroupEachWithItsOutcome)
{
    DeviceSimProcess::Options options;
    options.cameras = 3;
    options.ftp = false;
    options.args = {"--installed", "--restart-seconds", "0", "--user", "root", "--password", "pass"};
    m_sim = std::make_unique<DeviceSimProcess>(options);
    ASSERT_TRUE(IsOk(m_sim->Start()));
    qputenv("KOR_WAIT_DIVISOR", "50");
    for (int n = 1; n <= 3; ++n) {
        CameraRecord camera = DemoCamera(static_cast<std::int16_t>(20 + n));
        camera.IpAddress = m_sim->CameraAddress(n);
        camera.Port = m_sim->CameraHttpPort(n);
        camera.Group = n < 3 ? "North" : "South";
        if (n == 2)
            camera.Password = "wrong";
        if (n == 1)
            AddCamera(camera);
        else
            ASSERT_TRUE(IsOk(CameraTable::Add(m_session.Connection(), camera)));
    }
    ScreenRegistry screens;
    RegisterAppScreens(screens);
    RegisterDeviceScreens(screens);
    frmmain window(m_session, screens);
    window.show();
    window.AddToolListEntries(); // as the window's load does
    auto* tools = Find<QListWidget>(window, "LstTools");
    tools->scrollToItem(tools->item(4));
    QTest::mouseClick(tools->viewport(), Qt::LeftButton, {}, tools->visualItemRect(tools->item(4)).center());
    auto* screen = qobject_cast<FrmCameras*>(window.ActiveScreen());
    ASSERT_NE(screen, nullptr) << "the tool list's last entry is the cameras screen";

    auto* list = Find<QTreeWidget>(*screen, "LvwCameras");
    const auto row = [&](int n) {
        return list->findItems(QString::number(20 + n), Qt::MatchExactly).value(0);
    };
    for (int n = 1; n <= 3; ++n) {
        ASSERT_NE(row(n), nullptr) << n;
        row(n)->setCheckState(0, Qt::Checked);
    }
    Find<QComboBox>(*screen, "CboGroup")->setCurrentText(QStringLiteral("North"));
    QTest::mouseClick(Find<QCheckBox>(*screen, "Check2"), Qt::LeftButton);
    int ticks = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, &heartbeat, [&] { ticks += m_session.DeviceBusy(); });
    heartbeat.start(1);
    Find<QPushButton>(*screen, "CmdAdd")->click();
    qunsetenv("KOR_WAIT_DIVISOR");

    EXPECT_GT(ticks, 0) << "the window answered while the runs went on";
    EXPECT_FALSE(m_session.DeviceBusy());
    const QString states[] = {LangText(1728), LangText(1729), QString()};
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(row(n)->text(5), states[n - 1]) << n;
    EXPECT_EQ(row(2)->toolTip(5), LangText(1189));
    EXPECT_TRUE(m_sim->Requests(3).empty()) << "a camera of another group is not touched";
    list->setCurrentItem(row(2));
    EXPECT_TRUE(Find<QTextEdit>(*screen, "txtMsg")->toPlainText().contains(LangText(1189)));
}

} // namespace
} // namespace kor::test
