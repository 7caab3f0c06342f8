#include "CliRun.h"
#include "TestSupport.h"
#include "cli/CliSession.h"
#include "cli/Korctl.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <filesystem>
#include <sstream>

namespace kor::cli {
namespace {

using test::CliRun;
using KorctlCameras = test::KorctlTest;

const char kDemoLine[] = "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n";

TEST_F(KorctlCameras, CamerasAreListedAddedAndRemoved)
{
    EXPECT_EQ(Run({"cameras", "list"}).Out, kDemoLine);
    CliRun r =
        Run(AddCamera({"--id", "5", "--ip", "127.0.0.3", "--port", "8080", "--model", "DEMO-4", "--channel",
                       "4", "--mac", "aa:bb:cc:00:11:22", "--name", "Caf\xC3\xA9", "--group", "North"}));
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Run({"cameras", "list"}).Out,
              std::string(kDemoLine) + "5\tCaf\xC3\xA9\t127.0.0.3\t8080\tAXIS\tDEMO-4\n");

    const QJsonArray cameras = test::Json(Run({"cameras", "list", "--json"}).Out).array();
    ASSERT_EQ(cameras.size(), 2);
    const QJsonObject added = cameras[1].toObject();
    EXPECT_EQ(added[QStringLiteral("name")].toString(), QStringLiteral(u"Café"));
    EXPECT_EQ(added[QStringLiteral("channel")].toInt(), 4);
    EXPECT_EQ(added[QStringLiteral("mac")].toString(), QStringLiteral("AA:BB:CC:00:11:22"));
    EXPECT_EQ(added[QStringLiteral("user")].toString(), QStringLiteral("op"));
    EXPECT_FALSE(added.contains(QStringLiteral("password")));
    EXPECT_EQ(cameras[0].toObject()[QStringLiteral("positions")].toArray().size(), 3);
    EXPECT_EQ(added[QStringLiteral("group")].toString(), QStringLiteral("North"));

    ASSERT_EQ(Run({"cameras", "remove", "5"}).Status, 0);
    EXPECT_EQ(Run({"cameras", "list"}).Out, kDemoLine);
    r = Run({"cameras", "remove", "5"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("no camera has the identifier 5"), std::string::npos) << r.Err;
}

// The listing shows every column of the seeded models as read back, so it catches a column mix-up.
TEST_F(KorctlCameras, ModelsAreAddedListedAndUsedByCameras)
{
    CliRun r =
        Run({"models",         "add",        "--name",          "Q-2", "--channels", "2",
             "--folder",       "Q2",         "--per-firmware",  "1",   "--io",       "1",
             "--capabilities", "4294967295", "--camera-events", "3",   "--inverted", "1",
             "--pulse-time",   "45",         "--cgi-bin",       "1",   "--programs", "alarmappd#@chanrecd"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    r = Run({"models", "list"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "DEMO-1\tbrand=AXIS\tchannels=1\tfolder=DEMO-1\tper-firmware=0\tio=1\tcapabilities=511\t"
              "camera-events=4\tinverted=0\tpulse-time=30\tcgi-bin=0\tprograms=alarmappd#chkiod#movetohomed\n"
              "DEMO-4\tbrand=AXIS\tchannels=4\tfolder=DEMO-4\tper-firmware=1\tio=1\tcapabilities=503\t"
              "camera-events=8\tinverted=0\tpulse-time=30\tcgi-bin=1\tprograms=alarmappd#@chanrecd#chkiod\n"
              "Q-2\tbrand=AXIS\tchannels=2\tfolder=Q2\tper-firmware=1\tio=1\tcapabilities=4294967295\t"
              "camera-events=3\tinverted=1\tpulse-time=45\tcgi-bin=1\tprograms=alarmappd#@chanrecd\n");
    const QJsonArray models = test::Json(Run({"models", "list", "--json"}).Out).array();
    ASSERT_EQ(models.size(), 3);
    EXPECT_EQ(models[2].toObject()[QStringLiteral("pulse_time")].toInt(), 45);
    r = Run(AddCamera({"--id", "8", "--model", "q-2", "--channel", "2"}));
    EXPECT_EQ(r.Status, 0) << r.Err;
}

TEST_F(KorctlCameras, UnusableDatabaseFailsClearly)
{
    Write("orgend.ddd", "not a database");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"cameras", "list"},
                                                 std::vector<std::string>{"models", "list"}, AddCamera()}) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(r.Err, "korctl: " + m_db + ": is not an SQLite database\n");
    }
}

TEST_F(KorctlCameras, WithoutDatabaseOptionTheConfiguredOneIsUsed)
{
    const QByteArray oldSettings = qgetenv("KOR_SETTINGS_DIR");
    const QByteArray oldWork = qgetenv("KOR_WORK_DIR");
    qputenv("KOR_SETTINGS_DIR", m_dir.filePath(QStringLiteral("settings")).toUtf8());
    qputenv("KOR_WORK_DIR", m_dir.filePath(QStringLiteral("work")).toUtf8());
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunKorctl({"cameras", "list"}, out, err);
    auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("KOR_SETTINGS_DIR", oldSettings);
    restore("KOR_WORK_DIR", oldWork);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(out.str(), kDemoLine);
    // The default database holds passwords: readable by the user alone, in a folder of the user's.
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(Path("work/orgend.ddd")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(Path("work")).permissions(), fs::perms::owner_all);
}

// Two programs creating the database at once: neither deletes it, both cameras are kept.
TEST_F(KorctlCameras, ConcurrentCreationKeepsEveryCamera)
{
    const QString korctl = kor::test::BuiltProgram(QStringLiteral("korctl"));
    for (int pair = 0; pair < 20; ++pair) {
        m_db = Path(("race" + std::to_string(pair) + ".ddd").c_str());
        QProcess processes[2];
        for (int i = 0; i < 2; ++i) {
            QStringList args{QStringLiteral("--database"), QString::fromStdString(m_db)};
            for (const std::string& a : AddCamera({"--id", std::to_string(11 + i)}))
                args << QString::fromStdString(a);
            processes[i].start(korctl, args);
        }
        for (QProcess& process : processes) {
            ASSERT_TRUE(process.waitForFinished(60000));
            EXPECT_EQ(process.exitCode(), 0)
                << "pair " << pair << ": " << process.readAllStandardError().toStdString();
        }
        const std::string lines = Run({"cameras", "list"}).Out;
        for (const char* camera : {"\n11\tGate", "\n12\tGate"})
            EXPECT_NE(lines.find(camera), std::string::npos) << "pair " << pair << ":\n" << lines;
    }
}

// The session the device commands start from: what the window's start-up prepares.
class KorctlSession : public test::KorctlTest
{
protected:
    Status Open(const std::string& start, std::optional<std::int32_t> camera, CameraSession& session)
    {
        std::ostringstream out;
        Invocation inv(out, out);
        inv.Globals.Database = m_db;
        inv.Globals.Start = start;
        return OpenCameraSession(inv, camera, session);
    }
};

TEST_F(KorctlSession, StartCommandLineSelectsCameraAndRelay)
{
    CameraSession session;
    ASSERT_TRUE(kor::test::IsOk(Open("REMOTE#x#10.0.0.5#900#rp#1#901$CAMID#0", std::nullopt, session)));
    EXPECT_EQ(session.Camera.DisplayName(), "Demo camera");
    EXPECT_EQ(session.Model.ModelName(), "DEMO-1");
    EXPECT_TRUE(session.Connection.RemoteMode());
    EXPECT_EQ(session.Connection.RelayHost(), "10.0.0.5");
    EXPECT_TRUE(session.Device.RelayEnabled());
    EXPECT_EQ(session.Device.RelayPort(), 901);
    EXPECT_EQ(session.Device.Address(), "127.0.0.2");

    const struct
    {
        const char* Start;
        std::optional<std::int32_t> Camera;
        const char* Message;
    } failures[] = {
        {"REMOTE#a#b", std::nullopt, "relay data port"},
        {"CAMID#40000", std::nullopt, "does not fit 16 bits"},
        {"", 9, "no camera 9"},
    };
    for (const auto& c : failures) {
        CameraSession failed;
        const std::string reason = Open(c.Start, c.Camera, failed).reason();
        EXPECT_NE(reason.find(c.Message), std::string::npos) << reason;
    }
}

} // namespace
} // namespace kor::cli
