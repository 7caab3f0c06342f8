// The run sequence over fakes: what starts a run, identification, the closing steps after every
// failure, cancellation, the home position, the relay and what the log may show of a password.
#include "CameraFixture.h"

#include <QDir>

#include <functional>

namespace kor::test {
namespace {

constexpr auto kInstall = &LinkOptions::Install;
constexpr auto kSendConfig = &LinkOptions::SendConfig;

using RunSequenceTest = CameraFixture;

// No address, or credentials the device line and user actions cannot carry: nothing is sent, the
// refusal names the field and the character.
TEST_F(RunSequenceTest, WhatStopsARunBeforeAnythingIsSent)
{
    Texts = [](int n) -> std::string {
        return n == 1700   ? "%1 holds %2"
               : n == 1172 ? "a line break"
               : n == 107  ? "User"
               : n == 108  ? "Password"
                           : "";
    };
    const struct
    {
        const char* Address;
        std::string User;
        std::string Password;
        RunOutcome Outcome;
        std::vector<std::string> Lines;
    } cases[] = {
        {"0.0.0.0", "root", "pass", RunOutcome::NotStarted, {}},
        {"10.0.0.5", "ro;ot", "pass", RunOutcome::Failed, {"User holds \";\""}},
        {"10.0.0.5", "root", "p$ss", RunOutcome::Failed, {"Password holds \"$\""}},
        {"10.0.0.5", "root", "pa\r\nss", RunOutcome::Failed, {"Password holds a line break"}},
        {"10.0.0.5", "root", std::string("p\0s", 3), RunOutcome::Failed, {"Password holds [1173]"}},
    };
    for (const auto& c : cases) {
        Host = RecordingHost();
        Fields.Address = c.Address;
        Fields.User = c.User;
        Fields.Password = c.Password;
        EXPECT_EQ(Run(Ticked({kSendConfig})), c.Outcome) << c.Password;
        EXPECT_EQ(Host.Lines, c.Lines);
    }
    EXPECT_TRUE(Http.Requests.empty());
    EXPECT_TRUE(Ftp.Log.empty());
}

TEST_F(RunSequenceTest, UnreachableCameraEndsWithTheClosingSteps)
{
    Http.On("", Unreachable(7, "Failed to connect to 10.0.0.5 port 8080 as root:pass"));
    EXPECT_EQ(Run(Ticked({kSendConfig})), RunOutcome::Failed);
    EXPECT_EQ(Host.Lines,
              (std::vector<std::string>{"[801]", "[802]",
                                        "Error 7 Failed to connect to 10.0.0.5 port 8080 as root:********",
                                        "[1188]", "[808]"}));
    EXPECT_EQ(Host.Busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(Http.Timeouts, (std::vector<int>{30}));
}

TEST_F(RunSequenceTest, Identification)
{
    Subject.Model.PerFirmwareFolder = true;
    QDir(Data.path()).mkpath(QStringLiteral("DEMO/2.41"));
    const struct
    {
        const char* Name;
        HttpResponse Report;
        std::string LogPart;
    } rows[] = {
        {"release in the quoted head", Ok("x release \"AXIS Q 2.41\"\n"),
         "[801]\n[803] DEMO 1 Firmware Release 2.41\n"},
        {"unrecognised release, no 00 folder", Ok("nothing\n"),
         "[803] DEMO 1 Firmware Release 00\n[804]\n[1190]\n[808]\n"},
        {"quotation never closes", Ok("release \"2.41\n"), "[801]\n[802]\n[1188]\n[808]\n"},
        {"credentials refused", Status(401, "Unauthorized"), "[801]\n[1180]\n[1189]\n[808]\n"},
    };
    for (const auto& row : rows) {
        Http = FakeHttp();
        Host = RecordingHost();
        Ftp.Password = "other"; // the installation itself is not under test here
        Http.On("serverreport.cgi", row.Report);
        EXPECT_EQ(Run(Ticked({kInstall})), RunOutcome::Failed) << row.Name;
        EXPECT_NE(LogText().find(row.LogPart), std::string::npos) << row.Name << "\n" << LogText();
        EXPECT_EQ(Http.Matching("serverreport.cgi").size(), 1u) << row.Name;
    }

    // A CANON camera is never identified; the model line shows an empty release.
    Subject.Camera.Brand = "CANON";
    Subject.Model.PerFirmwareFolder = false;
    Http = FakeHttp();
    Host = RecordingHost();
    EXPECT_EQ(Run(Ticked({kInstall})), RunOutcome::Failed);
    EXPECT_TRUE(Http.Matching("serverreport.cgi").empty());
    EXPECT_NE(LogText().find("[801]\n[803] DEMO 1 Firmware Release \n"), std::string::npos) << LogText();
}

// The line before the closing line says what the run did, or what failed and what to check; only
// failures are red. (The other failures' lines are pinned by the tests of their steps.)
TEST_F(RunSequenceTest, OutcomeLine)
{
    const auto failHome = [](RunSequenceTest& t) {
        t.Host.Home = HomeChoice{true, "", 1, 2, 3, false};
        t.Http.On("setmovetohomed.cgi", Unreachable());
    };
    const struct
    {
        const char* Name;
        std::function<void(RunSequenceTest&)> Arrange;
        LinkOptions Options;
        const char* Line;
    } rows[] = {
        {"did nothing", [](RunSequenceTest&) {}, {}, "[1187]"},
        {"sent, checked, home set",
         [](RunSequenceTest& t) {
             t.Host.Home = HomeChoice{true, "", 1, 2, 3, false};
             t.Http.OnSequence("input.cgi?check=1", {Ok("input1=1\n"), Ok("input1=0\n"), Ok("input1=1\n")});
         },
         Ticked({kSendConfig, &LinkOptions::IoCheck, &LinkOptions::Home}), "[1184] [1185] [1186]"},
        {"installation", [](RunSequenceTest& t) { t.Ftp.Plan = {false}; }, Ticked({kInstall}), "[1191]"},
        {"upload", [](RunSequenceTest& t) { t.Http.On("setaapp.cgi", Status(500, "Internal Server Error")); },
         Ticked({kSendConfig}), "[1193]"},
        {"not kept", [](RunSequenceTest& t) { t.Http.On("getaapp.cgi", Ok("#SSTART1\n")); },
         Ticked({kSendConfig}), "[1220]"},
        {"home not sent", failHome, Ticked({&LinkOptions::Home}), "[1196]"},
    };
    for (const auto& row : rows) {
        Http = FakeHttp();
        KeepsUploads();
        Ftp.Plan.clear();
        Host = RecordingHost();
        row.Arrange(*this);
        const bool failure = std::string(row.Line) >= "[1188]"; // "[1220]" too
        const RunOutcome expected = !failure                            ? RunOutcome::Completed
                                    : std::string(row.Line) == "[1220]" ? RunOutcome::NotStored
                                                                        : RunOutcome::Failed;
        EXPECT_EQ(Run(row.Options), expected) << row.Name;
        ASSERT_GE(Host.Lines.size(), 2u) << row.Name;
        EXPECT_EQ(Host.Lines.end()[-2], row.Line) << row.Name << "\n" << LogText();
        EXPECT_EQ(Host.Kinds.end()[-2], failure ? LogKind::Error : LogKind::Plain) << row.Name;
        EXPECT_EQ(Host.Lines.back(), "[808]") << row.Name;
        // Failure lines are red and nothing else is.
        for (std::size_t i = 0; i + 2 < Host.Lines.size(); ++i) {
            const std::string& line = Host.Lines[i];
            const bool failed =
                line.starts_with("Error") || line.starts_with("11:") ||
                std::string("[802][804][806][815][817][1181][1211]").find(line) != std::string::npos;
            EXPECT_EQ(Host.Kinds[i] == LogKind::Error, failed) << row.Name << ": " << line;
        }
    }
}

TEST_F(RunSequenceTest, HomePreset)
{
    Subject.Camera.Positions = {{"A", 1, 2, 3}, {"B", 12.5, -0.25, 7}, {"C", 0, 0, 0}};
    Host.Home = HomeChoice{true, "", 12.5, -0.25, 7, true};
    EXPECT_EQ(Run(Ticked({&LinkOptions::Home})), RunOutcome::Completed);
    const auto home = Http.Matching("setmovetohomed.cgi");
    ASSERT_EQ(home.size(), 1u);
    EXPECT_EQ(home[0]->Body, std::string("1\n12.5\n-0.25\n7\n30\n") + '\0');
    EXPECT_EQ(Host.Questions, (std::vector<std::string>{"home:3"})); // closing it is the screen's test
}

TEST_F(RunSequenceTest, RelayCarriesEveryRequest)
{
    Subject.Relay = {true, "relay.example", 901, "secret"};
    for (int i = 0; i < 5; ++i)
        Doc.AddAction(1, Siren());
    EXPECT_EQ(Run(Ticked({kSendConfig, &LinkOptions::UpdateSettings})), RunOutcome::Completed) << LogText();
    const std::string relayed = "relay.example:901/query.cgi?pwd=secret&URL=http://10.0.0.5:8080";
    for (const SentRequest& r : Http.Requests)
        EXPECT_TRUE(r.Url.starts_with("http://root:pass@" + relayed) ||
                    r.Url == "http://" + relayed + "/axis-cgi/admin/restart.cgi")
            << r.Url;
    EXPECT_EQ(Http.Matching("restart.cgi").size(), 1u);
    EXPECT_EQ(Ping.Count, 0);        // through the relay the restart is waited out
    EXPECT_GE(Clock.TotalMs, 45000); // 40 seconds after the restart, 5 before the first piece
    EXPECT_EQ(LogText().find("secret"), std::string::npos);
}

// Passwords never reach the log, and ordinary words that hold one stay as they are.
TEST_F(RunSequenceTest, PasswordsInsideOrdinaryWords)
{
    Texts = [](int n) -> std::string { return n == 801 ? "Connecting to the device..." : ""; };
    Ftp.Password = "other";
    for (const std::string password : {"pass", "device", "Sensor", "1"}) {
        Host = RecordingHost();
        Http = FakeHttp();
        Http.OnSequence("input.cgi?check=1", {Ok("input1=1\n"), Ok("input1=0\n"), Ok("input1=1\n")});
        Fields.Password = password;
        EXPECT_EQ(Run(Ticked({&LinkOptions::IoCheck, &LinkOptions::ProgramSensors})), RunOutcome::Completed);
        EXPECT_EQ(Run(Ticked({kInstall})), RunOutcome::Failed);
        const std::string log = LogText();
        EXPECT_EQ(log.find("***"), std::string::npos) << password << "\n" << log;
        EXPECT_NE(log.find("Connecting to the device...\n[803]"), std::string::npos) << password << "\n"
                                                                                     << log;
        EXPECT_NE(log.find("Sensor 1\nSensor 2\n"), std::string::npos) << password << "\n" << log;
        EXPECT_NE(log.find("\nError:530 Authentication failed.\n"), std::string::npos) << password << "\n"
                                                                                       << log;
    }
}

} // namespace
} // namespace kor::test
