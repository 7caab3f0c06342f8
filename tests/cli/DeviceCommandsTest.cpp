#include "CliRun.h"
#include "DeviceSimProcess.h"
#include "TestSupport.h"

#include "app/CameraConfigRecord.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ClientConnection.h"

#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

namespace kor::cli {
namespace {

using test::CliRun;

// korctl download and apply against kor-devicesim; the work folder is a temporary one and the
// waits run twenty times faster.
class KorctlDevice : public test::KorctlTest
{
protected:
    void SetUp() override
    {
        KorctlTest::SetUp();
        qputenv("KOR_WORK_DIR", m_dir.filePath(QStringLiteral("work")).toUtf8());
        qputenv("KOR_WAIT_DIVISOR", "20");
    }
    void TearDown() override
    {
        qunsetenv("KOR_WORK_DIR");
        qunsetenv("KOR_WAIT_DIVISOR");
    }
    // Starts the simulated camera (none for a null list) and records it as camera `id`.
    void StartSim(const char* id, const std::vector<std::string>* args, bool ftp = false)
    {
        std::string address = "127.0.0.254"; // nobody answers there
        std::string port = "80";
        if (args) {
            std::vector<std::string> all = *args;
            all.insert(all.end(), {"--user", "root", "--password", kSecret, "--restart-seconds", "0"});
            m_sim = std::make_unique<kor::test::DeviceSimProcess>(all, ftp);
            ASSERT_TRUE(kor::test::IsOk(m_sim->Start()));
            address = m_sim->Address();
            port = std::to_string(m_sim->HttpPort());
        }
        const CliRun r = Run(AddCamera({"--id", id, "--ip", address, "--port", port, "--user", "root"}));
        ASSERT_EQ(r.Status, 0) << r.Err;
    }

    std::unique_ptr<kor::test::DeviceSimProcess> m_sim;
};

TEST_F(KorctlDevice, OpenLoopDecidesRuleOneAsTheWindowDoes)
{
    const std::vector<std::string> open = {"--installed", "--wiring", "open"};
    ASSERT_NO_FATAL_FAILURE(StartSim("5", &open));
    const struct
    {
        std::vector<std::string> Extra;
        int Status;
        const char* RuleOne; // header of rule 1 on the camera afterwards; nullptr: not sent
    } cases[] = {
        {{}, 0, "#SSTARTDEF\n"},
        {{"--input-one-as-sensor", "1"}, 0, "#SSTART1\n"},
        {{"--io-check"}, 1, nullptr},
    };
    for (const auto& c : cases) {
        m_sim->WriteDeviceFile("etc/alarm_app", "");
        std::vector<std::string> args{"apply", "--camera", "5", "--project", Sample(), "--send-config"};
        args.insert(args.end(), c.Extra.begin(), c.Extra.end());
        const CliRun r = Run(args);
        EXPECT_EQ(r.Status, c.Status) << r.Out << r.Err;
        const std::string stored = m_sim->ReadDeviceFile("etc/alarm_app");
        if (c.RuleOne)
            EXPECT_NE(stored.find(c.RuleOne), std::string::npos) << stored;
        else
            EXPECT_EQ(stored, "");
    }
}

// The installation's restarts: one line per wait on standard error, with the seconds it may take;
// the outcome line before the closing one. korctl uses FTP's own port, which the simulated camera takes only
// when run as root.
TEST_F(KorctlDevice, InstallShowsEachWaitAndItsOutcome)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the simulated camera gets FTP port 21 only as root";
    const std::vector<std::string> none;
    ASSERT_NO_FATAL_FAILURE(StartSim("5", &none, true));
    const CliRun r = Run({"apply", "--camera", "5", "--install", "--lang", "en"});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    std::vector<std::string> waits;
    std::istringstream lines(r.Err);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Waiting for the device"))
            waits.push_back(line);
    }
    const std::vector<std::string> expected = {
        "Waiting for the device: 30 s left", "Waiting for the device: 60 s left",
        "Waiting for the device: 30 s left", "Waiting for the device: 60 s left"};
    EXPECT_EQ(waits, expected) << r.Err;
    EXPECT_NE(r.Out.find("The application was installed.\nFinished.\n"), std::string::npos) << r.Out;
}

// A camera changed behind the tool's back: --if-unchanged refuses and --dry-run shows the change, neither
// sends anything. What was sent and read is listed, shown, compared and written back into a project, and
// a project read from the camera goes back to it unchanged. A camera that keeps something else than it
// was sent fails the run with status 3.
TEST_F(KorctlDevice, ChangesBehindTheToolsBackHistoryAndRoundTrip)
{
    const std::vector<std::string> installed = {"--installed"};
    ASSERT_NO_FATAL_FAILURE(StartSim("5", &installed));
    const std::vector<std::string> send = {"apply", "--camera", "5", "--project", Sample(), "--send-config"};
    CliRun r = Run({"apply", "--camera", "5", "--project", Sample(), "--send-config", "--if-unchanged"});
    EXPECT_EQ(r.Status, 1) << r.Out << r.Err; // nothing sent or read yet
    r = Run({"apply", "--camera", "5", "--project", Sample(), "--send-config", "--update-settings"});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_NE(r.Out.find("DEMO-1"), std::string::npos) << r.Out;
    namespace fs = std::filesystem;
    const fs::path kept = Path("work/cameras/5/000001.entry");
    EXPECT_EQ(fs::status(kept).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(kept.parent_path()).permissions(), fs::perms::owner_all);

    std::string stored = m_sim->ReadDeviceFile("etc/alarm_app");
    stored.replace(stored.find("DISP=1"), 6, "DISP=2");
    m_sim->WriteDeviceFile("etc/alarm_app", stored);
    const std::size_t before = m_sim->Requests().size();
    const struct
    {
        std::vector<std::string> Args;
        int Status;
        const char* Out;
    } cases[] = {
        {{"apply", "--if-unchanged"}, 1, "Output: Output 01 -> Output 02"},
        {{"apply", "--dry-run"}, 0, "Output: Output 02 -> Output 01"},
        {{"download", Path("now.kma")}, 0, ""},
        {{"history"}, 0, "2  "},
        {{"history", "--show", "1"}, 0, "  sent  korctl "},
        {{"history", "--diff", "1"}, 1, "Output: Output 01 -> Output 02"},
        {{"history", "--diff", "2", "2"}, 0, ""},
        {{"history", "--restore", "2", Path("back.kma")}, 0, "Wrote "},
        {{"history", "--show", "3"}, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args.back());
        std::vector<std::string> args = c.Args;
        args.insert(args.begin() + 1, {"--camera", "5"});
        if (args[0] == "apply")
            args.insert(args.end(), {"--project", Sample(), "--send-config"});
        r = Run(args);
        EXPECT_EQ(r.Status, c.Status) << r.Out << r.Err;
        EXPECT_NE(r.Out.find(c.Out), std::string::npos) << r.Out;
    }
    const auto requests = m_sim->Requests();
    for (std::size_t i = before; i < requests.size(); ++i)
        EXPECT_NE(requests[i].method, "POST") << requests[i].path;
    EXPECT_EQ(m_sim->ReadDeviceFile("etc/alarm_app"), stored);
    EXPECT_EQ(Read("back.kma"), Read("now.kma"));

    r = Run({"apply", "--camera", "5", "--project", Path("now.kma"), "--send-config"});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    r = Run({"download", "--camera", "5", Path("again.kma")});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_EQ(Read("again.kma"), Read("now.kma"));

    const std::vector<std::string> altering = {"--installed", "--fault", "alter-stored"};
    ASSERT_NO_FATAL_FAILURE(StartSim("6", &altering));
    r = Run({"apply", "--camera", "6", "--project", Sample(), "--send-config"});
    EXPECT_EQ(r.Status, 3) << r.Out << r.Err;
    EXPECT_NE(r.Out.find("The camera did not keep the configuration as sent."), std::string::npos) << r.Out;
}

// The history keeps its last entries and always the newest system files.
TEST(CameraHistory, KeepsItsLastEntriesAndTheNewestSystemFiles)
{
    QTemporaryDir dir;
    const CameraConfigRecord history(dir.path());
    ASSERT_TRUE(history.KeepSystemFiles(6, "inittab\n", "boa\n", "2.40").ok());
    for (int i = 0; i < CameraConfigRecord::kMaxEntries + 5; ++i)
        ASSERT_TRUE(history.Remember(6, HistoryOperation::Read, std::to_string(i)).ok());
    const Result<std::vector<HistoryEntry>> all = history.List(6);
    ASSERT_TRUE(all.ok()) << all.reason();
    ASSERT_EQ(all->size(), std::size_t(CameraConfigRecord::kMaxEntries));
    EXPECT_EQ(all->front().Inittab, "inittab\n");
    EXPECT_EQ((*all)[1].Number, 8);
    EXPECT_EQ(*history.Recall(6).value(), std::to_string(CameraConfigRecord::kMaxEntries + 4));
}

// A camera that does not answer, holds no application or keeps its general settings: the run fails
// and no project is written under the name asked for.
TEST_F(KorctlDevice, FailedRunsSayWhyAndWriteNothing)
{
    const std::vector<std::string> bare;
    const std::vector<std::string> noSettings = {"--installed", "--fault",
                                                 "status=500:/cgi-bin/recordings/getconfig.cgi"};
    const struct
    {
        const std::vector<std::string>* Sim; // nullptr: no camera at the address
        std::vector<std::string> Command;
        const char* Out;
        const char* Err;
        bool Incomplete; // the rules were read, the general settings not: written under another name
    } cases[] = {
        {nullptr,
         {"apply", "--project", Sample(), "--send-config"},
         "Error 7 ",
         "korctl: Failed: the camera did not answer.",
         false},
        {nullptr, {"download", Path("none.kma")}, "", "korctl: ", false},
        {&bare, {"download", Path("none.kma")}, "", "korctl: ", false},
        {&noSettings, {"download", Path("none.kma")}, "", "general settings not read", true},
    };
    int id = 10;
    for (const auto& c : cases) {
        const std::string camera = std::to_string(++id);
        ASSERT_NO_FATAL_FAILURE(StartSim(camera.c_str(), c.Sim));
        if (c.Incomplete)
            m_sim->WriteDeviceFile("etc/alarm_app",
                                   "#SSTART2\n#ACTION=Siren;TP=0;PARAMS=DISP=0$ON=1$;TT=;\n");
        std::vector<std::string> args = c.Command;
        args.insert(args.begin() + 1, {"--camera", camera});
        const CliRun r = Run(args);
        EXPECT_EQ(r.Status, 1) << args[0];
        EXPECT_NE(r.Out.find(c.Out), std::string::npos) << r.Out;
        EXPECT_NE(r.Err.find(c.Err), std::string::npos) << r.Err;
        EXPECT_FALSE(Exists("none.kma"));
        EXPECT_EQ(Exists("none.incomplete.kma"), c.Incomplete) << r.Err;
    }
    // A record stored before its password was checked: "$" would reach the camera split.
    ASSERT_NO_FATAL_FAILURE(StartSim("20", &bare));
    ClientConnection connection;
    ASSERT_TRUE(connection.Open(QString::fromStdString(Path("orgend.ddd"))).ok());
    CameraRecord camera = **CameraTable::Find(connection, 20);
    camera.Password = "pa$s";
    ASSERT_TRUE(CameraTable::Update(connection, camera).ok());
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"apply", "--camera", "20", "--send-config", "--lang", "en"},
          std::vector<std::string>{"download", "--camera", "20", Path("none.kma"), "--lang", "en"}}) {
        const CliRun r = Run(command);
        EXPECT_EQ(r.Status, 1) << command[0];
        EXPECT_NE(r.Err.find("The camera's \"Password\" holds \"$\""), std::string::npos) << r.Err;
        EXPECT_NE(r.Err.find("Change the password on the camera first"), std::string::npos) << r.Err;
    }
    EXPECT_TRUE(m_sim->Requests().empty());
}

// Every file under a folder with its bytes.
std::map<std::string, std::string> FolderFiles(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).string()] =
                kor::test::ReadBytes(QString::fromStdString(entry.path().string()));
    }
    return files;
}

// One simulator serves all cameras; a wrong password, a camera that stops answering halfway and a
// model without the presets a camera-move action needs spoil three of them and no other.
TEST_F(KorctlDevice, ManyCamerasAtOnceReportEachCamera)
{
    struct Camera
    {
        const char* Model;
        const char* Password;
        const char* Outcome;
        const char* Reason; // in the camera's log (and, for a skipped camera, in its summary line)
    };
    std::vector<Camera> cameras = {
        {"DEMO-1", kSecret, "succeeded", ""},
        {"DEMO-4P", kSecret, "succeeded", ""},
        {"DEMO-1", "wrong", "failed", "401"},
        {"DEMO-1", kSecret, "failed", "timed out"},
        {"DEMO-4", kSecret, "skipped", "\"Go to gate\": the model has no positioning presets"},
    };
    // A site of twenty: the rest work.
    while (cameras.size() < 20)
        cameras.push_back({"DEMO-1", kSecret, "succeeded", ""});
    const int count = static_cast<int>(cameras.size());
    kor::test::DeviceSimProcess::Options options;
    options.cameras = count + 1; // the last one for a single run
    options.args = {"--installed", "--user", "root", "--password", kSecret, "--restart-seconds", "0"};
    options.args.insert(options.args.end(),
                        {"--camera", "2:channels=4", "--camera", "4:fault=stop-after=12"});
    kor::test::DeviceSimProcess sim(options);
    ASSERT_TRUE(kor::test::IsOk(sim.Start()));
    // DEMO-4 with positioning presets.
    ASSERT_EQ(Run({"models", "add", "--name", "DEMO-4P", "--channels", "4", "--folder", "DEMO-4",
                   "--per-firmware", "1", "--io", "1", "--capabilities", "511", "--cgi-bin", "1",
                   "--programs", "alarmappd#@chanrecd#chkiod"})
                  .Status,
              0);
    const auto add = [&](int n, const char* model, const char* password) {
        const CliRun r = Run(
            AddCamera({"--id", std::to_string(10 + n), "--group", n < count ? "North site" : "", "--name",
                       "Cam" + std::to_string(n), "--ip", sim.CameraAddress(n), "--port",
                       std::to_string(sim.CameraHttpPort(n)), "--user", "root", "--password", password,
                       "--model", model, "--channel", std::string(model).starts_with("DEMO-4") ? "2" : "1"}));
        ASSERT_EQ(r.Status, 0) << r.Err;
    };
    for (int n = 1; n <= count; ++n)
        ASSERT_NO_FATAL_FAILURE(add(n, cameras[n - 1].Model, cameras[n - 1].Password));
    ASSERT_NO_FATAL_FAILURE(add(count + 1, "DEMO-1", kSecret));
    // The sample with a camera move and without its direct call (the demo models call through a PC).
    std::istringstream sample(kor::test::ReadBytes(QString::fromStdString(Sample())));
    std::string project;
    for (std::string line; std::getline(sample, line);) {
        if (!line.starts_with("#ACTION=Call"))
            project += line + "\n";
    }
    project += "#SSTART2\r\n#ACTION=Go to gate;TP=3;PARAMS=IP=127.0.0.1$PORT=80$USR=$PWD=$BRAND=$CAMPRESET=1$"
               "POSNAME=Gate$;TT=;\r\n";
    Write("site.kma", project);

    const std::vector<std::string> run = {"--project", Path("site.kma"), "--update-settings",
                                          "--send-config"};
    // The site's last camera joins later.
    ASSERT_EQ(Run({"cameras", "group", std::to_string(10 + count), "North site"}).Status, 0);
    std::vector<std::string> many = {"apply", "--cameras", "group:North site", "--jobs",
                                     "8",     "--log-dir", Path("logs")};
    many.insert(many.end(), run.begin(), run.end());
    const CliRun r = Run(many);
    EXPECT_EQ(r.Status, 1) << r.Out << r.Err;
    EXPECT_NE(r.Err.find("17 of 20 cameras succeeded (2 failed, 1 skipped"), std::string::npos) << r.Err;
    for (int n = 1; n <= count; ++n) {
        SCOPED_TRACE(n);
        const std::string id = std::to_string(10 + n);
        const std::size_t row = r.Out.find("\n" + id + "  Cam");
        ASSERT_NE(row, std::string::npos) << r.Out;
        const std::string line = r.Out.substr(row + 1, r.Out.find('\n', row + 1) - row - 1);
        EXPECT_NE(line.find(sim.CameraAddress(n)), std::string::npos) << line;
        EXPECT_NE(line.find(cameras[n - 1].Outcome), std::string::npos) << line;
        const std::string log = Path(("logs/" + id + ".log").c_str());
        namespace fs = std::filesystem;
        EXPECT_EQ(fs::status(log).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        const std::string text = kor::test::ReadBytes(QString::fromStdString(log));
        EXPECT_NE(text.find(cameras[n - 1].Reason), std::string::npos) << text;
        if (std::string(cameras[n - 1].Outcome) == "skipped") {
            EXPECT_NE(line.find(cameras[n - 1].Reason), std::string::npos) << line;
            continue; // never touched
        }
        // A run that started ends with its outcome line and its closing line; a failed camera's
        // outcome line is its reason in the summary.
        std::vector<std::string> lines;
        std::istringstream split(text);
        for (std::string each; std::getline(split, each);)
            lines.push_back(each);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.back(), "Finished.");
        if (std::string(cameras[n - 1].Outcome) == "failed") {
            EXPECT_NE(line.find(lines[lines.size() - 2]), std::string::npos) << line;
        }
    }
    EXPECT_TRUE(sim.Requests(5).empty());
    EXPECT_NE(sim.ReadDeviceFile("2/etc/alarm_app2").find("#SSTART2"), std::string::npos);

    // What the many runs wrote to a camera is what a single run writes.
    std::vector<std::string> single = {"apply", "--camera", std::to_string(11 + count)};
    single.insert(single.end(), run.begin(), run.end());
    const CliRun one = Run(single);
    ASSERT_EQ(one.Status, 0) << one.Out << one.Err;
    EXPECT_EQ(FolderFiles(sim.Folder() + "/1"), FolderFiles(sim.Folder() + "/" + std::to_string(count + 1)));
}

} // namespace
} // namespace kor::cli
