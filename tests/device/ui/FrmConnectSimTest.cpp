// Whole runs of the device link screen against kor-devicesim, compared with korctl apply.
#include "ConnectFixture.h"

#include "TestSupport.h"

#include "app/Language.h"
#include "config/ConfigFiles.h"
#include "device/Clock.h"
#include "device/CompanionFiles.h"
#include "device/ui/FrmConnect.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

namespace kor::test {
namespace {

using FrmConnectSim = ConnectFixture;

void Tick(FrmConnect& screen, const char* name)
{
    auto* box = screen.findChild<QCheckBox*>(QLatin1String(name));
    ASSERT_NE(box, nullptr) << name;
    ASSERT_TRUE(box->isEnabled()) << name;
    if (!box->isChecked())
        box->click();
}

std::string Joined(const QStringList& lines)
{
    return lines.join(u'\n').toStdString();
}

// Selects the home screen's entry with this tag, sets Check1 and continues.
void ChooseOnHomeScreen(QWidget& home, const QString& tag, bool enabled)
{
    auto* list = home.findChild<QListWidget*>(QStringLiteral("LvwPrepos"));
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(Qt::UserRole).toString() == tag)
            list->setCurrentRow(i);
    }
    home.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(enabled);
    home.findChild<QPushButton*>(QStringLiteral("CmdNext"))->click();
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
        bool Positioning;
        std::vector<const char*> Boxes;
        QStringList KorctlOptions;
        bool Ftp;
        int WaitDivisor;
    };
    const Case cases[] = {
        {"configuration, task list and restart, I/O check with detector programming, home position",
         7,
         true,
         {"Check2", "Check3", "Check5", "Check6", "Check7"},
         {QStringLiteral("--send-config"), QStringLiteral("--io-check"), QStringLiteral("--program-code"),
          QStringLiteral("--program-sensors"), QStringLiteral("--home"), QStringLiteral("2"),
          QStringLiteral("--home-enable")},
         false,
         50},
        {"installation over FTP with its identification and restarts",
         8,
         false,
         {"Check4", "Check1"},
         {QStringLiteral("--install"), QStringLiteral("--update-settings")},
         true,
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        if (!StartSim({}, c.Ftp))
            return;
        if (c.Ftp && m_sim->FtpPort() != 21) {
            // korctl reaches the camera's FTP server on its own port only.
            std::fprintf(stderr, "skipped without the camera's FTP port 21: %s\n", c.What);
            continue;
        }
        SystemClock clock(c.WaitDivisor);
        m_session.Services().Wait = &clock;
        m_session.Services().FtpPort = m_sim->FtpPort();
        CameraRecord camera = SimCamera(c.Camera, {{"Home", 0, 0, 1}, {"Gate", 12.5, -4.25, 2}});
        camera.PositioningSupport = c.Positioning;
        FrmConnect::RunOptions() = LinkOptions();
        UseCamera(camera);
        LoadSample();
        const bool sendConfig =
            std::find(c.Boxes.begin(), c.Boxes.end(), std::string_view("Check2")) != c.Boxes.end();
        m_session.TaskListDirty = sendConfig && UsesDeviceTasks(m_session.Document());

        FrmConnect screen(m_session);
        for (const char* box : c.Boxes)
            Tick(screen, box);
        WhenShown home("FrmHome",
                       [](QWidget& dialog) { ChooseOnHomeScreen(dialog, QStringLiteral("2"), true); });
        screen.Run();
        const QStringList screenLines = screen.LogLines();
        const std::string screenHome = m_sim->ReadDeviceFile("etc/movetohomed.conf");
        const std::string screenConfig = m_sim->ReadDeviceFile("etc/alarm_app");
        m_sim->WriteDeviceFile("etc/movetohomed.conf", "");

        int status = -1;
        const QStringList korctlLines =
            Korctl(QStringList{QStringLiteral("apply"), QStringLiteral("--camera"), QString::number(c.Camera),
                               QStringLiteral("--project"), SamplePath(), QStringLiteral("--lang"),
                               QStringLiteral("en")} +
                       c.KorctlOptions,
                   c.WaitDivisor, &status);
        m_session.Services().Wait = &m_clock;
        EXPECT_EQ(status, 0);
        EXPECT_EQ(Joined(screenLines), Joined(korctlLines));
        ASSERT_GE(screenLines.size(), 4);
        EXPECT_EQ(screenLines.front(), LangText(801));
        EXPECT_EQ(screenLines.back(), LangText(808));
        EXPECT_FALSE(screenLines.join(u'\n').contains(QStringLiteral("Error"))) << Joined(screenLines);
        EXPECT_EQ(m_sim->ReadDeviceFile("etc/alarm_app"), screenConfig);
        if (c.Camera == 7) {
            EXPECT_EQ(m_sim->ReadDeviceFile("etc/movetohomed.conf"), screenHome);
            EXPECT_EQ(screenHome, "1\n12.5\n-4.25\n2\n30\n") << "the second position, enabled";
            EXPECT_FALSE(m_session.TaskListDirty) << "the task list went up";
        }
    }
}

TEST_F(FrmConnectSim, CancelStopsTheRunAtTheNextStepWithTheClosingSteps)
{
    if (!StartSim())
        return;
    UseCamera(SimCamera(7));
    LoadSample();
    GateClock gate;
    m_session.Services().Wait = &gate;
    m_session.TaskListDirty = true; // the restart after the task list waits for the camera

    FrmConnect screen(m_session);
    Tick(screen, "Check2");
    Tick(screen, "Check3");
    auto* cancel = screen.findChild<QPushButton*>(QStringLiteral("CmdCancel"));
    EXPECT_FALSE(cancel->isEnabled()) << "nothing to cancel before a run";
    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (!gate.Reached || cancelled)
            return;
        cancelled = true;
        EXPECT_TRUE(cancel->isEnabled());
        cancel->click();
        EXPECT_FALSE(cancel->isEnabled()) << "taken";
        gate.Open = true;
    });
    poll.start(5);
    screen.Run();
    poll.stop();

    ASSERT_TRUE(cancelled) << screen.LogLines().join(u'\n').toStdString();
    const QStringList lines = screen.LogLines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.mid(lines.size() - 4),
              (QStringList{LangText(813), LangText(801), QStringLiteral("Error 18 The run was cancelled"),
                           LangText(808)}));
    EXPECT_TRUE(m_sim->Requests().size() > 0);
    for (const DeviceSimProcess::Request& r : m_sim->Requests())
        EXPECT_NE(r.path, "/cgi-bin/recordings/stopchkiod.cgi") << "the I/O check never started";
    EXPECT_FALSE(screen.Running());
    EXPECT_FALSE(m_session.DeviceBusy());
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(screen.cursor().shape(), Qt::ArrowCursor) << "the pointer is back to normal";
    // The bar stopped at the first second of the wait for the camera to go down.
    auto* bar = screen.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    EXPECT_EQ(bar->maximum(), 30);
    EXPECT_EQ(bar->value(), 1);
}

TEST_F(FrmConnectSim, TheProgressBarFollowsTheUploadPieces)
{
    if (!StartSim())
        return;
    UseCamera(SimCamera(7));
    ConfigDocument& doc = m_session.Document();
    for (int i = 0; i < 40; ++i) {
        ActionRecord action;
        action.Type = 0;
        action.Name = "Siren " + std::string(200, 'x') + std::to_string(i);
        action.Params = std::string("DISP=1\0ON=1\0", 12);
        doc.AddAction(3, action);
    }
    m_session.TaskListDirty = false;
    FrmConnect screen(m_session);
    Tick(screen, "Check2");
    auto* bar = screen.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    std::vector<std::pair<int, int>> seen;
    QObject::connect(bar, &QProgressBar::valueChanged, bar,
                     [&](int value) { seen.emplace_back(value, bar->maximum()); });
    screen.Run();

    const std::size_t size =
        ReadBytes(QDir(m_session.Services().WorkFolder).filePath(QStringLiteral("alarm_app"))).size();
    ASSERT_GT(size, 9000u);
    const int pieces = static_cast<int>((size + 2999) / 3000);
    std::vector<std::pair<int, int>> expected;
    for (int k = 1; k <= pieces; ++k)
        expected.emplace_back(k, pieces);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(screen.LogLines().back(), LangText(808));
}

TEST_F(FrmConnectSim, TheHomeChoiceReachesTheCameraAsAPositionOrAPreset)
{
    if (!StartSim())
        return;
    UseCamera(SimCamera(7, {{"Porch", 1, 2, 3}}));
    struct Case
    {
        const char* What;
        const char* Tag;
        bool Enabled;
        std::string HomeFile;
    };
    // The simulated camera's presets: Home (P1), GateZZZ (PV2), Parking (P3).
    const Case cases[] = {
        {"a stored position named with a P", "1", true, "1\n1\n2\n3\n30\n"},
        {"a preset kept with ZZZ", "PV2", false, "0\nPRESET=GateZZZ\n30\n"},
        {"a preset", "P3", true, "1\nPRESET=Parking\n30\n"},
    };
    FrmConnect screen(m_session);
    Tick(screen, "Check7");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        QStringList offered;
        WhenShown home("FrmHome", [&](QWidget& dialog) {
            auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LvwPrepos"));
            for (int i = 0; i < list->count(); ++i)
                offered << list->item(i)->text();
            ChooseOnHomeScreen(dialog, QLatin1String(c.Tag), c.Enabled);
        });
        screen.Run();
        EXPECT_EQ(offered, (QStringList{QStringLiteral("Porch"), QStringLiteral("Home"),
                                        QStringLiteral("Gate"), QStringLiteral("Parking")}));
        EXPECT_EQ(m_sim->ReadDeviceFile("etc/movetohomed.conf"), c.HomeFile);
        EXPECT_EQ(screen.LogLines().back(), LangText(808));
    }
    int presetRequests = 0;
    for (const DeviceSimProcess::Request& r : m_sim->Requests()) {
        if (r.path == "/axis-cgi/com/ptz.cgi" && r.query == "query=presetposall" && r.authOk)
            ++presetRequests;
    }
    EXPECT_EQ(presetRequests, 3) << "asked once per home question";
}

} // namespace
} // namespace kor::test
