#include "CliRun.h"
#include "TestSupport.h"
#include "cli/CliSession.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace kor::cli {
namespace {

using test::CliRun;

const char kSecret[] = "Zq9-s3cr3t";

class KorctlCamerasModels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("orgend.ddd")).toStdString();
    }
    CliRun Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--database", m_db});
        CliRun r = test::Korctl(args);
        EXPECT_EQ(r.Out.find(kSecret), std::string::npos) << "password printed: " << r.Out;
        EXPECT_EQ(r.Err.find(kSecret), std::string::npos) << "password printed: " << r.Err;
        return r;
    }
    std::string CameraLines() { return Run({"cameras", "list"}).Out; }
    static std::vector<std::string> AddArgs(const char* id, const char* ip, const char* port,
                                            const char* model)
    {
        return {"cameras", "add",    "--id", id,           "--name", "Gate",    "--ip", ip,        "--port",
                port,      "--user", "op",   "--password", kSecret,  "--brand", "AXIS", "--model", model};
    }

    QTemporaryDir m_dir;
    std::string m_db;
};

TEST_F(KorctlCamerasModels, CamerasAreListedAddedAndRemoved)
{
    EXPECT_EQ(CameraLines(), "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n");

    std::vector<std::string> add = AddArgs("5", "127.0.0.3", "8080", "DEMO-4");
    add.insert(add.end(), {"--channel", "4", "--mac", "aa:bb:cc:00:11:22", "--name", "Caf\xC3\xA9"});
    CliRun r = Run(add);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(CameraLines(), "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n"
                             "5\tCaf\xC3\xA9\t127.0.0.3\t8080\tAXIS\tDEMO-4\n");

    r = Run({"cameras", "list", "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const QJsonArray cameras = QJsonDocument::fromJson(QByteArray::fromStdString(r.Out)).array();
    ASSERT_EQ(cameras.size(), 2);
    const QJsonObject added = cameras[1].toObject();
    EXPECT_EQ(added[QStringLiteral("name")].toString(), QStringLiteral(u"Café"));
    EXPECT_EQ(added[QStringLiteral("channel")].toInt(), 4);
    EXPECT_EQ(added[QStringLiteral("mac")].toString(), QStringLiteral("AA:BB:CC:00:11:22"));
    EXPECT_EQ(added[QStringLiteral("user")].toString(), QStringLiteral("op"));
    EXPECT_FALSE(added.contains(QStringLiteral("password")));
    EXPECT_EQ(cameras[0].toObject()[QStringLiteral("positions")].toArray().size(), 3);

    r = Run({"cameras", "remove", "5"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(CameraLines(), "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n");
    r = Run({"cameras", "remove", "5"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("no camera has the identifier 5"), std::string::npos) << r.Err;
}

TEST_F(KorctlCamerasModels, BadCameraInputFailsWithoutChangingAnything)
{
    const struct
    {
        std::vector<std::string> Extra; // options replacing those of a good add
        const char* Message;
    } cases[] = {
        {{"--ip", "300.1.1.1"}, "not an IPv4 address"},
        {{"--ip", "1.2.3"}, "not an IPv4 address"},
        {{"--ip", "010.0.0.1"}, "not an IPv4 address"},
        {{"--ip", "0.0.0.0"}, "not an IPv4 address"},
        {{"--ip", "camera.example"}, "not an IPv4 address"},
        {{"--port", "0"}, "out of range"},
        {{"--port", "65536"}, "out of range"},
        {{"--port", "80a"}, "not a whole number"},
        {{"--id", "0"}, "identifier 0 already exists"},
        {{"--id", "40000"}, "out of range"},
        {{"--model", "NOPE"}, "unknown model NOPE"},
        {{"--channel", "2"}, "--channel 2: out of range (1 to 1)"},
        {{"--mac", "AA:BB:CC:DD:EE"}, "not a MAC address"},
        {{"--name", "two\tcolumns"}, "control characters"},
        {{"--password", std::string(kSecret) + "\n"}, "--password must not hold control characters"},
        {{"--name", ""}, "--name must not be empty"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = AddArgs("7", "127.0.0.4", "80", "DEMO-1");
        args.insert(args.end(), c.Extra.begin(), c.Extra.end());
        SCOPED_TRACE(c.Message);
        const CliRun r = Run(args);
        EXPECT_EQ(r.Status, 1);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
    EXPECT_EQ(CameraLines(), "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n");
}

TEST_F(KorctlCamerasModels, MisusedCommandsAreUsageErrors)
{
    const struct
    {
        std::vector<std::string> Args;
        const char* Message;
    } cases[] = {
        {{"cameras"}, "missing arguments"},
        {{"cameras", "frob"}, "unknown action 'frob'"},
        {{"cameras", "list", "--id", "3"}, "--id does not apply to 'cameras list'"},
        {{"cameras", "list", "extra"}, "no further arguments"},
        {{"cameras", "add", "--id", "7"}, "needs --name"},
        {{"cameras", "remove"}, "needs the camera identifier"},
        {{"cameras", "remove", "0", "--json"}, "--json does not apply"},
        {{"models", "add", "--name", "X", "--folder", "X"}, "needs --channels"},
        {{"models", "add", "--name", "X", "--folder", "X", "--channels", "1", "--io", "yes"},
         "--io takes 0 or 1"},
        {{"models", "remove", "X"}, "too many arguments"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliRun r = Run(c.Args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
    std::vector<std::string> add = AddArgs("7", "127.0.0.4", "80", "DEMO-1");
    add.insert(add.end(), {"--positioning", "yes"});
    EXPECT_EQ(Run(add).Status, 2);
}

TEST_F(KorctlCamerasModels, ModelsAreAddedListedAndUsedByCameras)
{
    CliRun r =
        Run({"models",         "add",        "--name",          "Q-2", "--channels", "2",
             "--folder",       "Q2",         "--per-firmware",  "1",   "--io",       "1",
             "--capabilities", "4294967295", "--camera-events", "3",   "--inverted", "1",
             "--pulse-time",   "45",         "--cgi-bin",       "1",   "--programs", "alarmappd#@chanrecd"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    r = Run({"models", "list"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(
        r.Out.find("Q-2\tbrand=AXIS\tchannels=2\tfolder=Q2\tper-firmware=1\tio=1\tcapabilities=4294967295\t"
                   "camera-events=3\tinverted=1\tpulse-time=45\tcgi-bin=1\tprograms=alarmappd#@chanrecd\n"),
        std::string::npos)
        << r.Out;
    r = Run({"models", "list", "--json"});
    const QJsonArray models = QJsonDocument::fromJson(QByteArray::fromStdString(r.Out)).array();
    ASSERT_EQ(models.size(), 3);
    EXPECT_EQ(models[2].toObject()[QStringLiteral("pulse_time")].toInt(), 45);

    std::vector<std::string> add = AddArgs("8", "127.0.0.5", "80", "q-2");
    add.insert(add.end(), {"--channel", "2"});
    r = Run(add);
    EXPECT_EQ(r.Status, 0) << r.Err;

    const struct
    {
        std::vector<std::string> Extra;
        const char* Message;
    } bad[] = {
        {{"--name", "DEMO-1"}, "already exists"},
        {{"--folder", ".."}, "one folder name under Data/"},
        {{"--folder", "a/b"}, "one folder name under Data/"},
        {{"--programs", "a##b"}, "names of letters"},
        {{"--programs", "a b"}, "names of letters"},
        {{"--programs", "@"}, "names of letters"},
        {{"--capabilities", "4294967296"}, "out of range"},
        {{"--channels", "0"}, "out of range"},
        {{"--pulse-time", "0"}, "out of range"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.Message);
        std::vector<std::string> args = {"models",     "add", "--name",   "Z-1",
                                         "--channels", "1",   "--folder", "Z1"};
        for (std::size_t i = 0; i + 1 < c.Extra.size(); i += 2) {
            auto it = std::find(args.begin(), args.end(), c.Extra[i]);
            if (it != args.end())
                *(it + 1) = c.Extra[i + 1];
            else
                args.insert(args.end(), {c.Extra[i], c.Extra[i + 1]});
        }
        r = Run(args);
        EXPECT_EQ(r.Status, 1);
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    }
}

TEST_F(KorctlCamerasModels, UnusableDatabaseFailsClearly)
{
    QFile file(QString::fromStdString(m_db));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"cameras", "list"}, std::vector<std::string>{"models", "list"},
          AddArgs("7", "127.0.0.4", "80", "DEMO-1")}) {
        const CliRun r = Run(args);
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(r.Err, "korctl: " + m_db + ": is not an SQLite database\n");
    }
}

TEST_F(KorctlCamerasModels, WithoutDatabaseOptionTheConfiguredOneIsUsed)
{
    const QByteArray oldSettings = qgetenv("KOR_SETTINGS_DIR");
    const QByteArray oldWork = qgetenv("KOR_WORK_DIR");
    qputenv("KOR_SETTINGS_DIR", m_dir.filePath(QStringLiteral("settings")).toUtf8());
    qputenv("KOR_WORK_DIR", m_dir.filePath(QStringLiteral("work")).toUtf8());
    const CliRun r = test::Korctl({"cameras", "list"});
    auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("KOR_SETTINGS_DIR", oldSettings);
    restore("KOR_WORK_DIR", oldWork);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n");
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("work/orgend.ddd"))));
}

// The session the device commands start from: what the window's start-up prepares.
class CameraSessionTest : public KorctlCamerasModels
{
protected:
    Status Open(const std::string& start, std::optional<std::int32_t> camera, CameraSession& session)
    {
        Invocation inv(m_out, m_out);
        inv.Globals.Database = m_db;
        inv.Globals.Start = start;
        return OpenCameraSession(inv, camera, session);
    }
    std::ostringstream m_out;
};

TEST_F(CameraSessionTest, StartCommandLineSelectsCameraAndRelay)
{
    CameraSession session;
    ASSERT_TRUE(test::IsOk(Open("REMOTE#x#10.0.0.5#900#rp#1#901$CAMID#0", std::nullopt, session)));
    EXPECT_EQ(session.Camera.DisplayName(), "Demo camera");
    EXPECT_EQ(session.Model.ModelName(), "DEMO-1");
    EXPECT_TRUE(session.Connection.RemoteMode());
    EXPECT_EQ(session.Connection.RelayHost(), "10.0.0.5");
    EXPECT_TRUE(session.Device.RelayEnabled());
    EXPECT_EQ(session.Device.RelayPort(), 901);
    EXPECT_EQ(session.Device.Address(), "127.0.0.2");
    EXPECT_EQ(session.Device.Password(), "pass");
    EXPECT_EQ(session.Device.PresetListAddress(), "/axis-cgi/com/ptz.cgi?query=presetposall");
}

TEST_F(CameraSessionTest, StartFailuresSayWhy)
{
    const struct
    {
        const char* Start;
        std::optional<std::int32_t> Camera;
        const char* Message;
    } cases[] = {
        {"CAMID#x", std::nullopt, "\"x\" is not a number"},
        {"REMOTE#a#b", std::nullopt, "relay data port"},
        {"CAMID#40000", std::nullopt, "does not fit 16 bits"},
        {"", 9, "no camera 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        CameraSession session;
        const std::string reason = Open(c.Start, c.Camera, session).reason();
        EXPECT_NE(reason.find(c.Message), std::string::npos) << reason;
    }
}

} // namespace
} // namespace kor::cli
