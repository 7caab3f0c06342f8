// The fault matrix: every misbehaviour of the simulated camera ends the run with a clear line and
// the closing steps, and never shows a password.
#include "CameraFixture.h"

#include "device/DeviceDownload.h"

#include <functional>
#include <sstream>

namespace kor::test {
namespace {

class DeviceFaultSimTest : public CameraFixture
{
protected:
    void SetUp() override { UseModel("DEMO-1"); }
};

TEST_F(DeviceFaultSimTest, RunFaults)
{
    const auto bigConfiguration = [](DeviceFaultSimTest& t) {
        for (int i = 0; i < 200; ++i)
            t.Doc.AddAction(3, Siren("Siren " + std::to_string(i)));
    };
    const auto wrongPassword = [](DeviceFaultSimTest& t) { t.Fields.Password = "wrong"; };
    const auto install = Ticked({&LinkOptions::Install});
    const auto send = Ticked({&LinkOptions::SendConfig});
    const struct
    {
        const char* Name;
        const char* Args; // the simulator's, split at blanks; its FTP server runs for an installation
        LinkOptions Options;
        RunOutcome Expected;
        std::string LastLine; // before the outcome and closing lines
        std::function<void(DeviceFaultSimTest&)> Arrange = nullptr;
        std::string Also = "";
        std::size_t Restarts = 0;
    } rows[] = {
        {"error answer to a piece", "--installed --fault status=500:/cgi-bin/recordings/appendaapp.cgi", send,
         RunOutcome::Failed, "11:500:Internal Server Error", bigConfiguration},
        {"wrong password", "--installed", send, RunOutcome::Failed, "11:401:Unauthorized", wrongPassword},
        {"wrong password to the identification", "", install, RunOutcome::Failed, "[1180]", wrongPassword},
        // The password itself was refused (530): the server's own code and text; 810 is for a
        // server whose last reply still asks for the password.
        {"FTP log-in refused", "--fault ftp-refuse-login", install, RunOutcome::Failed,
         "Error:530 Login incorrect."},
        {"server report cut short", "--fault close-after=10:/axis-cgi/admin/serverreport.cgi", install,
         RunOutcome::Failed, "[802]"},
        {"slow answers", "--installed --fault delay=300:/cgi-bin/recordings/*", send, RunOutcome::Completed,
         "[809]", [](DeviceFaultSimTest& t) { t.Doc.AddAction(3, Siren()); }},
        // A program that cannot be stored does not stop the installation, but it is named.
        {"program refused", "--fault ftp-fail-upload=alarmappd", install, RunOutcome::Completed, "[801]",
         nullptr, "\nError:451 Requested action aborted: local error in processing. (alarmappd)\n", 2},
        // Without its start-up table the camera could not start the application.
        {"start-up table refused", "--fault ftp-fail-upload=inittab", install, RunOutcome::Failed,
         "Error:451 Requested action aborted: local error in processing. (inittab/boa.conf)"},
        // Waits for the request time-out of 30 seconds, as the camera would make a user wait.
        {"camera stops answering", "--installed --fault stop-after=3", send, RunOutcome::Failed,
         "11:35761:Request timed out", bigConfiguration},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Doc = ConfigDocument();
        Host = RecordingHost();
        std::vector<std::string> args;
        std::istringstream words(row.Args);
        for (std::string word; words >> word;)
            args.push_back(word);
        ASSERT_TRUE(StartSim(args, row.Options.Install));
        if (row.Arrange)
            row.Arrange(*this);
        EXPECT_EQ(Run(row.Options), row.Expected) << LogText();
        ASSERT_GE(Host.Lines.size(), 3u);
        EXPECT_EQ(Host.Lines.back(), "[808]");
        EXPECT_EQ(Host.Lines[Host.Lines.size() - 3], row.LastLine) << LogText();
        EXPECT_EQ(Host.Busy, (std::vector<bool>{true, false}));
        EXPECT_EQ(LogText().find(":pass@"), std::string::npos);
        EXPECT_EQ(LogText().find("wrong"), std::string::npos);
        EXPECT_NE(LogText().find(row.Also), std::string::npos) << LogText();
        EXPECT_EQ(SimRequests("/axis-cgi/admin/restart.cgi").size(), row.Restarts);
    }
}

// A refused password costs the probe and one authenticated try, no more: cameras that lock
// accounts count every try.
TEST_F(DeviceFaultSimTest, RefusedPasswordIsTriedOnce)
{
    ASSERT_TRUE(StartSim({}));
    Fields.Password = "wrong";
    EXPECT_EQ(Run(Ticked({&LinkOptions::Install})), RunOutcome::Failed);
    EXPECT_EQ(Sim->Requests().size(), 2u);
}

TEST_F(DeviceFaultSimTest, DownloadFaults)
{
    const struct
    {
        const char* Fault; // none: the same camera unfaulted
        DownloadOutcome Expected;
    } rows[] = {
        {"status=404:/cgi-bin/recordings/getaapp.cgi", DownloadOutcome::ConfigNotFound},
        {"big-reply=17:/cgi-bin/recordings/getaapp.cgi", DownloadOutcome::ConfigUnreachable},
        {"status=500:/cgi-bin/recordings/getconfig.cgi", DownloadOutcome::SettingsUnreachable},
        {"close-after=5:/cgi-bin/recordings/getconfig.cgi", DownloadOutcome::SettingsUnreachable},
        {nullptr, DownloadOutcome::Loaded},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = {"--installed"};
        if (row.Fault)
            args.insert(args.end(), {"--fault", row.Fault});
        ASSERT_TRUE(StartSim(args));
        Sim->WriteDeviceFile("etc/alarm_app", "#SSTART3\n#ACTION=Siren;TP=0;PARAMS=DISP=1$;TT=;\n");
        Sim->WriteDeviceFile("etc/bufferd.conf", "127.0.0.1\n80\nroot\npass\n2\n2\n2\n2\nDEMO-1\n"
                                                 "smtp\n25\ns@x\nr@x\nCID\n7\n10.0.0.9\n5000\n");
        ConfigDocument doc;
        EXPECT_EQ(
            DownloadFromDevice(doc, SimHttp, {Fields.Address, Fields.PortText, "root", "pass", {}}, 1, 1)
                .Outcome,
            row.Expected)
            << (row.Fault ? row.Fault : "no fault");
    }
}

} // namespace
} // namespace kor::test
