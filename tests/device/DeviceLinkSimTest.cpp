// The device link end to end: the real transports against kor-devicesim on a loopback address.
#include "CameraFixture.h"

#include "TestSupport.h"

#include "app/CameraConfigRecord.h"
#include "config/ConfigFiles.h"
#include "config/ConfigText.h"
#include "device/DeviceDownload.h"
#include "device/UploadStep.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

namespace kor::test {
namespace {

constexpr auto kSendConfig = &LinkOptions::SendConfig;

class DeviceLinkSimTest : public CameraFixture
{
protected:
    void SetUp() override { UseModel("DEMO-1"); }
    bool Executable(const std::string& relative) const
    {
        struct stat st
        {};
        return ::stat((Sim->Folder() + "/" + relative).c_str(), &st) == 0 && (st.st_mode & S_IXUSR);
    }
    DownloadOutcome Download(ConfigDocument& doc)
    {
        return DownloadFromDevice(doc, SimHttp, {Fields.Address, Fields.PortText, "root", "pass", {}}, 1, 1)
            .Outcome;
    }
    QJsonObject Detector() const
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(Sim->ReadDeviceFile("var/detector.json")))
            .object();
    }
};

TEST_F(DeviceLinkSimTest, PieceSizesOnTheWire)
{
    ASSERT_TRUE(StartSim({"--installed"}));
    const struct
    {
        std::size_t Length;
        std::vector<std::size_t> Bodies; // setaapp first, then appendaapp
    } rows[] = {{4000, {4001}}, {4001, {3001, 1002}}, {9000, {3001, 3001, 3001}}, {0, {1}}};
    for (const auto& row : rows) {
        std::string file(row.Length, 'x');
        for (std::size_t i = 0; i < file.size(); i += 50)
            file[i] = '\n';
        WriteBytes(QDir(Work.path()).filePath(QStringLiteral("alarm_app")), file);
        const std::size_t before = Sim->Requests().size();
        LinkContext context(Services(), Host, Subject);
        context.Fields = Fields;
        EXPECT_TRUE(UploadStep(context).SendConfiguration().ok()) << LogText();
        std::vector<std::size_t> bodies;
        const auto all = Sim->Requests();
        for (std::size_t i = before; i < all.size(); ++i)
            if (all[i].authOk && all[i].method == "POST")
                bodies.push_back(all[i].bodyLength);
        EXPECT_EQ(bodies, row.Bodies) << row.Length;
        EXPECT_EQ(Sim->ReadDeviceFile("etc/alarm_app"), file) << row.Length;
    }
}

TEST_F(DeviceLinkSimTest, DownloadSaveApplyDownloadGivesTheSameProject)
{
    ASSERT_TRUE(StartSim({"--installed"}));
    Doc.InitialiseForStartUp(1);
    Doc.AddAction(3, Siren());
    Doc.AddAction(3, Siren("Light"));
    Doc.AddAction(55, Siren("Door"));
    Doc.GeneralSettings.SMTPH = "smtp.example";
    Doc.ZelkSettings.BC = 9;
    TaskListDirty = true;
    ASSERT_EQ(Run(Ticked({kSendConfig})), RunOutcome::Completed) << LogText();
    // The camera's general settings arrive with the buffer file.
    ASSERT_EQ(Run(Ticked({&LinkOptions::UpdateSettings})), RunOutcome::Completed) << LogText();

    ConfigDocument first;
    ASSERT_EQ(Download(first), DownloadOutcome::Loaded);
    const QString project = QDir(Work.path()).filePath(QStringLiteral("saved.kma"));
    ASSERT_TRUE(IsOk(SaveProjectFile(first, project)));
    Doc = ConfigDocument();
    ASSERT_TRUE(IsOk(LoadConfig(Doc, project.toStdString(), false)));
    Doc.InputOneAsSensor = 1;
    ASSERT_EQ(Run(Ticked({kSendConfig})), RunOutcome::Completed) << LogText();
    ConfigDocument second;
    ASSERT_EQ(Download(second), DownloadOutcome::Loaded);
    EXPECT_EQ(BuildProjectText(second), BuildProjectText(first));
    EXPECT_TRUE(second.IsRuleUsed(55));
    EXPECT_EQ(second.GeneralSettings.SMTPH, "smtp.example");
    EXPECT_EQ(second.ZelkSettings.BC, 9);
}

TEST_F(DeviceLinkSimTest, FullInstallationDemo4)
{
    UseModel("DEMO-4");
    ASSERT_TRUE(StartSim({"--channels", "4", "--firmware", "2.41", "--report-style", "quoted"}, true));
    ASSERT_EQ(Run(Ticked({&LinkOptions::Install})), RunOutcome::Completed) << LogText();
    EXPECT_EQ(ModelFolder, "DEMO-4/2.41");
    for (const char* file :
         {"mnt/flash/bin/alarmappd", "mnt/flash/bin/chanrecd", "mnt/flash/bin/cgi-bin/recordings/setaapp.cgi",
          "mnt/flash/bin/cgi-bin/recordings/gettasklist.cgi"})
        EXPECT_TRUE(Executable(file)) << file;
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(Sim->ReadDeviceFile("etc/bufferd" + std::to_string(k) + ".conf").empty()) << k;
    const std::string inittab = Sim->ReadDeviceFile("etc/inittab");
    EXPECT_NE(inittab.find("chanrecd1:3:respawn:/mnt/flash/bin/chanrecd 1\n"), std::string::npos) << inittab;
    EXPECT_NE(inittab.find("chanrecd4:3:respawn:/mnt/flash/bin/chanrecd 4\n"), std::string::npos) << inittab;
    EXPECT_NE(Sim->ReadDeviceFile("etc/httpd/conf/boa.conf")
                  .find("ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/cgi-bin/recordings/\n"),
              std::string::npos);
}

// What an installation puts on the camera; the system files it replaces go to the camera's history,
// and back onto the camera byte for byte.
TEST_F(DeviceLinkSimTest, FullInstallationDemo1ThenRestoreOfTheSystemFiles)
{
    ASSERT_TRUE(StartSim({}, true));
    const std::string inittab = Sim->ReadDeviceFile("etc/inittab");
    const std::string boa = Sim->ReadDeviceFile("etc/httpd/conf/boa.conf");
    DeviceServices services = Services();
    services.KeepSystemFiles = SystemFilesKeeper(Work.path(), 7);
    RunSequence install(services, Host, Subject);
    Doc.AddAction(3, Siren());
    ASSERT_EQ(install.ConnectAndApply(Doc, Fields, Ticked({&LinkOptions::Install, kSendConfig}), false),
              RunOutcome::Completed)
        << LogText();

    for (const char* file : {"alarmappd", "chkiod", "getaapp.cgi", "setaapp.cgi", "ipnio.cgi"})
        EXPECT_TRUE(Executable(std::string("mnt/flash/bin/") + file)) << file;
    EXPECT_TRUE(Sim->ReadDeviceFile("mnt/flash/bin/movetohomed").empty()); // home not wanted
    const std::string installed = Sim->ReadDeviceFile("etc/inittab");
    EXPECT_NE(installed.find("#v-sencamCLIENT\nalarmappd:3:respawn:/mnt/flash/bin/alarmappd\n"
                             "chkiod:3:respawn:/mnt/flash/bin/chkiod\n"),
              std::string::npos)
        << installed;
    EXPECT_EQ(installed.find("movetohomed"), std::string::npos);
    const std::string boaInstalled = Sim->ReadDeviceFile("etc/httpd/conf/boa.conf");
    EXPECT_NE(boaInstalled.find(
                  "#V-SENCONF\nAlias /recordings/ /tmp/html/recordings/\nScriptAlias /cgi-bin/recordings/ "
                  "/mnt/flash/bin/\nScriptAlias /axis-cgi/io/output.cgi /mnt/flash/bin/ipnio.cgi\n"),
              std::string::npos)
        << boaInstalled;
    EXPECT_NE(boaInstalled.find("#V-SENCONFAUTH \n"), std::string::npos) << boaInstalled;
    EXPECT_EQ(SimRequests("/axis-cgi/admin/restart.cgi").size(), 2u);
    EXPECT_NE(LogText().find("[803] DEMO-1 Firmware Release 2.40\n"), std::string::npos) << LogText();

    const Result<HistoryEntry> kept =
        CameraConfigRecord(Work.filePath(QStringLiteral("cameras"))).Entry(7, 1);
    ASSERT_TRUE(kept.ok()) << kept.reason();
    EXPECT_EQ(kept->Operation, HistoryOperation::SystemFiles);
    EXPECT_EQ(kept->Firmware, "2.40");
    RunSequence restore(services, Host, Subject);
    ASSERT_EQ(restore.RestoreSystemFiles(Fields, kept->Inittab, kept->BoaConf), RunOutcome::Completed)
        << LogText();
    EXPECT_EQ(Sim->ReadDeviceFile("etc/inittab"), inittab);
    EXPECT_EQ(Sim->ReadDeviceFile("etc/httpd/conf/boa.conf"), boa);
    EXPECT_EQ(SimRequests("/axis-cgi/admin/restart.cgi").size(), 3u);
}

TEST_F(DeviceLinkSimTest, SettingsOnly)
{
    ASSERT_TRUE(StartSim({"--installed"}));
    Doc.GeneralSettings.FTM = 4;
    Doc.GeneralSettings.CRAIP = "10.9.8.7";
    ASSERT_EQ(Run(Ticked({&LinkOptions::UpdateSettings})), RunOutcome::Completed) << LogText();
    const std::string buffer = Sim->ReadDeviceFile("etc/bufferd.conf");
    EXPECT_TRUE(buffer.starts_with("127.0.0.1\n" + Fields.PortText + "\nroot\npass\n4\n")) << buffer;
    EXPECT_NE(buffer.find("DEMO-1\n"), std::string::npos);
    EXPECT_NE(buffer.find("10.9.8.7\n"), std::string::npos);
    EXPECT_EQ(SimRequests("/axis-cgi/admin/restart.cgi").size(), 1u);
    EXPECT_NE(LogText().find("[820]\n[813]\n[801]\n[1183]\n[808]"), std::string::npos) << LogText();
}

TEST_F(DeviceLinkSimTest, TaskListMergeOnAFourChannelModel)
{
    UseModel("DEMO-4");
    Subject.Camera.Channel = 2;
    ASSERT_TRUE(StartSim({"--installed", "--channels", "4"}));
    Sim->WriteDeviceFile("etc/task.list",
                         "#BOH\n#EOH\n#1:50\npattern((IO0:/)) immune % /mnt/flash/bin/forcelocal : 1 50;\n"
                         "#2:51\npattern((IO1:/)) immune % /mnt/flash/bin/forcelocal : 2 51;\n");
    Doc.AddAction(52, Siren());
    Doc.AddAction(100, Siren());
    const std::string expected =
        "#BOH\nonce immune % /bin/sockclient : -message \"START Veltrix\" /var/run/audio/eventsocket;\n#EOH\n"
        "#1:50\npattern((IO0:/)) immune % /mnt/flash/bin/forcelocal : 1 50;\n"
        "#2:52\npattern((IO2:/)) immune % /mnt/flash/bin/forcelocal : 2 52;\n"
        "#C1:100\npattern((A0:/)) immune % /mnt/flash/bin/forcelocal : 100;\n";
    // A second upload of the same configuration leaves the list as it is.
    for (int upload = 1; upload <= 2; ++upload) {
        TaskListDirty = true;
        ASSERT_EQ(Run(Ticked({kSendConfig})), RunOutcome::Completed) << LogText();
        EXPECT_FALSE(TaskListDirty);
        EXPECT_EQ(Sim->ReadDeviceFile("etc/task.list"), expected) << upload;
    }
    EXPECT_FALSE(Sim->ReadDeviceFile("etc/alarm_app2").empty());
}

TEST_F(DeviceLinkSimTest, InputOutputCheckWiring)
{
    const struct
    {
        const char* Wiring;
        RunOutcome Expected;
        const char* Line;
    } rows[] = {
        {"connected", RunOutcome::Completed, "[816]\n[1185]\n[808]"},
        {"open", RunOutcome::Failed, "[816]\n[817]\n[1194]\n[808]"},
        {"inverted", RunOutcome::Failed, "[816]\n[817]\n[1194]\n[808]"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(StartSim({"--installed", "--wiring", row.Wiring}));
        Host = RecordingHost();
        EXPECT_EQ(Run(Ticked({&LinkOptions::IoCheck})), row.Expected) << row.Wiring;
        EXPECT_NE(LogText().find(row.Line), std::string::npos) << row.Wiring << "\n" << LogText();
        EXPECT_TRUE(Detector()[QStringLiteral("chkiod_stopped")].toBool()) << row.Wiring;
    }
}

TEST_F(DeviceLinkSimTest, DetectorProgrammingWithPulseTime50AndInvertedOutput)
{
    Subject.Model.PulseTime = 50;
    Subject.Model.InvertedOutput = true;
    ASSERT_TRUE(StartSim({"--installed", "--pulse-time", "50", "--inverted-output"}));
    Doc.ZelkSettings.BC = 45;
    Doc.ZelkSettings.S = {true, false, false, true, true, false, true, false};
    Doc.ZelkSettings.MSK = {false, true, true, false, false, true};
    ASSERT_EQ(Run(Ticked({&LinkOptions::IoCheck, &LinkOptions::ProgramCode, &LinkOptions::ProgramSensors})),
              RunOutcome::Completed)
        << LogText();
    const QJsonObject state = Detector();
    EXPECT_EQ(state[QStringLiteral("BC")].toInt(), 45);
    EXPECT_EQ(state[QStringLiteral("S")].toArray(), QJsonArray({1, 0, 0, 1, 1, 0, 1, 0}));
    EXPECT_EQ(state[QStringLiteral("MSK")].toArray(), QJsonArray({0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(state[QStringLiteral("unrecognised")].toInt(), 0);
}

TEST_F(DeviceLinkSimTest, ThroughTheRelay)
{
    ASSERT_TRUE(StartSim({"--installed", "--relay-password", "r p"}));
    Subject.Relay = {true, Sim->Address(), Sim->HttpPort(), "r p"};
    Doc.AddAction(3, Siren());
    ASSERT_EQ(Run(Ticked({kSendConfig, &LinkOptions::UpdateSettings})), RunOutcome::Completed) << LogText();
    EXPECT_FALSE(Sim->ReadDeviceFile("etc/alarm_app").empty());
    EXPECT_FALSE(Sim->ReadDeviceFile("etc/bufferd.conf").empty());
    EXPECT_FALSE(SimRequests("/query.cgi").empty());
    EXPECT_EQ(SimRequests("/axis-cgi/admin/restart.cgi").size(), 1u);
    EXPECT_EQ(LogText().find("r p"), std::string::npos);
}

} // namespace
} // namespace kor::test
