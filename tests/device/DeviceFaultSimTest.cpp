#include "SimFixture.h"

#include "TestSupport.h"

#include "device/DeviceDownload.h"

#include <QDir>

namespace kor::test {
namespace {

using RunResult = DeviceLink::RunResult;

// Every misbehaviour of the camera ends the run with a clear line and the closing steps.
class DeviceFaultSimTest : public SimFixture
{
protected:
    void BigConfiguration()
    {
        for (int i = 0; i < 200; ++i)
            Doc.AddAction(3, Action("Siren " + std::to_string(i)));
    }
    void ExpectClosedWith(const std::string& line)
    {
        ASSERT_GE(Host.Lines.size(), 2u);
        EXPECT_EQ(Host.Lines.back(), "[808]");
        EXPECT_NE(LogText().find(line + "\n[808]\n"), std::string::npos) << LogText();
        EXPECT_EQ(Host.Busy, (std::vector<bool>{true, false}));
        EXPECT_EQ(LogText().find(":pass@"), std::string::npos);
    }
};

TEST_F(DeviceFaultSimTest, ErrorAnswerToAPiece)
{
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--installed", "--fault", "status=500:/cgi-bin/recordings/appendaapp.cgi"}, false));
    BigConfiguration();
    LinkOptions o;
    o.SendConfig = true;
    EXPECT_EQ(Run(o), RunResult::Failed);
    ExpectClosedWith("11:500:Internal Server Error");
    EXPECT_EQ(Requests("/cgi-bin/recordings/appendaapp.cgi").size(), 1u);
}

TEST_F(DeviceFaultSimTest, WrongPassword)
{
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--installed"}, false));
    Fields.Password = "wrong";
    LinkOptions o;
    o.SendConfig = true;
    EXPECT_EQ(Run(o), RunResult::Failed);
    ExpectClosedWith("11:401:Unauthorized");
    EXPECT_EQ(LogText().find("wrong"), std::string::npos);
}

TEST_F(DeviceFaultSimTest, FtpLoginRefused)
{
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--fault", "ftp-refuse-login"}));
    LinkOptions o;
    o.Install = true;
    EXPECT_EQ(Run(o), RunResult::Failed);
    ExpectClosedWith("[810]");
    EXPECT_TRUE(Requests("/axis-cgi/admin/restart.cgi").empty());
}

TEST_F(DeviceFaultSimTest, ServerReportCutShort)
{
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--fault", "close-after=10:/axis-cgi/admin/serverreport.cgi"}));
    LinkOptions o;
    o.Install = true;
    EXPECT_EQ(Run(o), RunResult::Failed);
    ExpectClosedWith("[801]\n[802]");
}

TEST_F(DeviceFaultSimTest, NoCameraAtTheAddress)
{
    UseModel("DEMO-1");
    Fields = {"127.0.0.254", "80", "root", "pass"};
    LinkOptions o;
    o.SendConfig = true;
    EXPECT_EQ(Run(o), RunResult::Failed);
    ASSERT_EQ(Host.Lines.size(), 4u) << LogText();
    EXPECT_EQ(Host.Lines[1], "[802]");
    EXPECT_EQ(Host.Lines[2].rfind("Error 7 ", 0), 0u) << Host.Lines[2];
}

TEST_F(DeviceFaultSimTest, SlowAnswersStillComplete)
{
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--installed", "--fault", "delay=300:/cgi-bin/recordings/*"}, false));
    Doc.AddAction(3, Action());
    LinkOptions o;
    o.SendConfig = true;
    EXPECT_EQ(Run(o), RunResult::Completed) << LogText();
}

TEST_F(DeviceFaultSimTest, CameraStopsAnsweringMidway)
{
    // Waits for the request time-out of 30 seconds, as the camera would make a user wait.
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--installed", "--fault", "stop-after=3"}, false));
    BigConfiguration();
    LinkOptions o;
    o.SendConfig = true;
    EXPECT_EQ(Run(o), RunResult::Failed);
    ExpectClosedWith("11:35761:Request timed out");
}

TEST_F(DeviceFaultSimTest, DownloadFaults)
{
    const struct
    {
        const char* Fault;
        DownloadOutcome Expected;
    } rows[] = {
        {"status=404:/cgi-bin/recordings/getaapp.cgi", DownloadOutcome::ConfigNotFound},
        {"big-reply=17:/cgi-bin/recordings/getaapp.cgi", DownloadOutcome::ConfigUnreachable},
        {"status=500:/cgi-bin/recordings/getconfig.cgi", DownloadOutcome::SettingsUnreachable},
        {"close-after=5:/cgi-bin/recordings/getconfig.cgi", DownloadOutcome::SettingsUnreachable},
    };
    for (const auto& row : rows) {
        UseModel("DEMO-1");
        ASSERT_TRUE(StartSim({"--installed", "--fault", row.Fault}, false));
        Sim->WriteDeviceFile("etc/alarm_app", "#USR=;PWD=;PORT=80;MAC=;BRAND=;\n#SSTART3\n"
                                              "#ACTION=Siren;TP=0;PARAMS=DISP=1$;TT=;\n");
        Sim->WriteDeviceFile("etc/bufferd.conf", "127.0.0.1\n80\nroot\npass\n2\n2\n2\n2\nDEMO-1\n");
        ConfigDocument doc;
        const DownloadResult result = DownloadFromDevice(
            doc, Http, {Sim->Address(), std::to_string(Sim->HttpPort()), "root", "pass", {}}, 1, 1);
        EXPECT_EQ(result.Outcome, row.Expected) << row.Fault;
    }
    // Unfaulted, the same camera downloads.
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--installed"}, false));
    Sim->WriteDeviceFile("etc/alarm_app", "#SSTART3\n#ACTION=Siren;TP=0;PARAMS=DISP=1$;TT=;\n");
    ConfigDocument doc;
    EXPECT_EQ(DownloadFromDevice(doc, Http,
                                 {Sim->Address(), std::to_string(Sim->HttpPort()), "root", "pass", {}}, 1, 1)
                  .Outcome,
              DownloadOutcome::NoGeneralSettings);
}

} // namespace
} // namespace kor::test

namespace kor::test {
namespace {

TEST_F(DeviceFaultSimTest, RefusedUploadsAreReported)
{
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--fault", "ftp-fail-upload=alarmappd"}));
    LinkOptions o;
    o.Install = true;
    // A program file that cannot be stored does not stop the installation, but it is named.
    EXPECT_EQ(Run(o), RunResult::Completed) << LogText();
    EXPECT_NE(LogText().find("Error:451 "), std::string::npos) << LogText();
    EXPECT_NE(LogText().find("(alarmappd)"), std::string::npos) << LogText();
    EXPECT_TRUE(Sim->ReadDeviceFile("mnt/flash/bin/alarmappd").empty());

    // Without its start-up table the camera could not start the application: the run fails.
    UseModel("DEMO-1");
    ASSERT_TRUE(StartSim({"--fault", "ftp-fail-upload=inittab"}));
    ResetLink();
    Host = RecordingHost();
    EXPECT_EQ(Run(o), RunResult::Failed);
    ExpectClosedWith("Error:451 Requested action aborted: local error in processing. (inittab/boa.conf)");
    EXPECT_TRUE(Requests("/axis-cgi/admin/restart.cgi").empty());
}

} // namespace
} // namespace kor::test
