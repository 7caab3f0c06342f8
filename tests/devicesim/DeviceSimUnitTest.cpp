// The simulator's pure pieces: pattern decoding, option parsing, start-up table reading,
// relay addresses and authentication.

#include "DeviceFolder.h"
#include "DeviceRequest.h"
#include "HttpAuth.h"
#include "PulseDecoder.h"
#include "RelayForward.h"
#include "SimOptions.h"

#include <gtest/gtest.h>

namespace kor::devicesim {
namespace {

const std::string kA = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30/30\\";
const std::string kB = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30\\30\\";
const std::string kCodeHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30\\30/30/30\\700/30";
const std::string kSensorHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30/30\\700/30\\30\\30";
const std::string kMaskHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30\\30\\700/30";

// What the tool sends for a model: "/" and "\" exchanged when the output is inverted, then every
// "30" replaced by the pulse time.
std::string Adapt(std::string pattern, bool inverted, int pulse)
{
    if (inverted) {
        for (char& c : pattern) {
            c = c == '/' ? '\\' : (c == '\\' ? '/' : c);
        }
    }
    if (pulse != 30) {
        std::string out;
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (pattern.compare(i, 2, "30") == 0) {
                out += std::to_string(pulse);
                ++i;
            } else {
                out.push_back(pattern[i]);
            }
        }
        pattern = out;
    }
    return pattern;
}

TEST(PulseDecoder, RecognisesThePatternsAfterUndoingTheModel)
{
    using Kind = PulseDecode::Kind;
    struct Case
    {
        std::string pattern;
        bool inverted;
        int pulse;
        Kind kind;
        int code;
        int sensor;
        bool flag;
    };
    const std::string code5 = kCodeHeader + "\\30\\30\\30/30\\30/30\\";
    const std::string code63 = kCodeHeader + "/30/30/30/30/30/30\\";
    const std::string sensor3Set = kSensorHeader + "\\30/30\\30" + "/30\\";
    const std::string sensor8Clear = kSensorHeader + "/30/30/30" + "\\30\\";
    const Case cases[] = {
        {kA, false, 30, Kind::PatternA, -1, -1, false},
        {kB, false, 30, Kind::PatternB, -1, -1, false},
        {Adapt(kA, true, 30), true, 30, Kind::PatternA, -1, -1, false},
        {Adapt(kB, false, 50), false, 50, Kind::PatternB, -1, -1, false},
        {Adapt(kA, true, 7), true, 7, Kind::PatternA, -1, -1, false}, // 700 stays 700
        {Adapt(code5, false, 30), false, 30, Kind::Code, 5, -1, false},
        {Adapt(code63, true, 50), true, 50, Kind::Code, 63, -1, false},
        {Adapt(sensor3Set, false, 30), false, 30, Kind::Sensor, -1, 2, true},
        {Adapt(sensor8Clear, true, 45), true, 45, Kind::Sensor, -1, 7, false},
        // A model the tool did not adapt the pattern for: the detector does not understand it.
        {kA, true, 30, Kind::Unknown, -1, -1, false},
        {kA, false, 50, Kind::Unknown, -1, -1, false},
        {Adapt(kA, false, 50), false, 30, Kind::Unknown, -1, -1, false},
        // Damaged programming patterns.
        {kCodeHeader + "\\30\\30\\30/30\\30\\", false, 30, Kind::Unknown, -1, -1, false},
        {code5 + "\\", false, 30, Kind::Unknown, -1, -1, false},
        {kSensorHeader + "\\30/30\\30" + "/30", false, 30, Kind::Unknown, -1, -1, false},
        {"", false, 30, Kind::Unknown, -1, -1, false},
        {"/30/30x", false, 30, Kind::Unknown, -1, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        const PulseDecode decode = DecodePulsePattern(c.pattern, c.inverted, c.pulse);
        EXPECT_EQ(decode.kind, c.kind);
        if (c.kind == Kind::Code) {
            EXPECT_EQ(decode.code, c.code);
        }
        if (c.kind == Kind::Sensor) {
            EXPECT_EQ(decode.sensor, c.sensor);
            EXPECT_EQ(decode.sensorFlag, c.flag);
        }
    }
}

TEST(PulseDecoder, MaskPiecesComeHighestFirstAndASetFlagIsLow)
{
    // MSK(5) set, MSK(4..1) clear, MSK(0) set.
    const std::string pattern = kMaskHeader + "\\30/30/30/30/30\\30\\";
    for (const bool inverted : {false, true}) {
        const PulseDecode decode = DecodePulsePattern(Adapt(pattern, inverted, 60), inverted, 60);
        ASSERT_EQ(decode.kind, PulseDecode::Kind::Mask);
        EXPECT_EQ(decode.mask, (std::array<bool, 6>{true, false, false, false, false, true}));
    }
}

TEST(SimOptions, ParsesTheCommandLine)
{
    const Result<SimOptions> parsed = ParseSimOptions({"--root",
                                                       "/tmp/x",
                                                       "--address=127.0.0.7",
                                                       "--http-port",
                                                       "0",
                                                       "--user",
                                                       "u",
                                                       "--password",
                                                       "p:w@d",
                                                       "--channels",
                                                       "2",
                                                       "--wiring",
                                                       "inverted",
                                                       "--inverted-output",
                                                       "--pulse-time",
                                                       "50",
                                                       "--presets",
                                                       "4=Dome,5=GateZZZ",
                                                       "--fault",
                                                       "delay=250",
                                                       "--fault",
                                                       "status=500:/axis-cgi/*",
                                                       "--relay-password",
                                                       ""});
    ASSERT_TRUE(parsed.ok()) << parsed.reason();
    const SimOptions& options = *parsed;
    EXPECT_EQ(options.address, "127.0.0.7");
    EXPECT_EQ(options.httpPort, 0);
    EXPECT_EQ(options.password, "p:w@d");
    EXPECT_EQ(options.wiring, Wiring::Inverted);
    EXPECT_TRUE(options.invertedOutput);
    EXPECT_EQ(options.pulseTime, 50);
    ASSERT_EQ(options.presets.size(), 2u);
    EXPECT_EQ(options.presets[1].name, "GateZZZ");
    EXPECT_TRUE(options.relay);
    EXPECT_EQ(options.relayPassword, "");
    // Default motion windows: two on the first image source, one for the second channel.
    ASSERT_EQ(options.motion.size(), 3u);
    EXPECT_EQ(options.motion[2].imageSource, 1);
    ASSERT_NE(options.FindFault(Fault::Kind::Status, "/axis-cgi/io/input.cgi"), nullptr);
    EXPECT_EQ(options.FindFault(Fault::Kind::Status, "/cgi-bin/recordings/getaapp.cgi"), nullptr);
    EXPECT_EQ(options.FindFault(Fault::Kind::Delay, "/anything")->value, 250);
}

TEST(SimOptions, RefusesBadCommandLines)
{
    const std::vector<std::vector<std::string>> bad = {
        {},                                            // no root
        {"--root", "/tmp/x", "--address", "10.0.0.5"}, // not loopback
        {"--root", "/tmp/x", "--address", "localhost"},
        {"--root", "/tmp/x", "--http-port", "70000"},
        {"--root", "/tmp/x", "--wiring", "shorted"},
        {"--root", "/tmp/x", "--user", "a"}, // password missing
        {"--root", "/tmp/x", "--user", "a:b", "--password", "c"},
        {"--root", "/tmp/x", "--presets", "Home"},
        {"--root", "/tmp/x", "--bogus"},
        {"--root"},
        {"--root", "/tmp/x", "--fault", "status=500"}, // status needs a path
        {"--root", "/tmp/x", "--fault", "delay=abc"},
        {"--root", "/tmp/x", "--fault", "big-reply=0"},
        {"--root", "/tmp/x", "--fault", "stop-after=2:/x"},
        {"--root", "/tmp/x", "--fault", "close-after=10:nopath"},
        {"--root", "/tmp/x", "--fault", "melt"},
    };
    for (const auto& args : bad) {
        const Result<SimOptions> parsed = ParseSimOptions(args);
        EXPECT_TRUE(parsed.failed()) << ::testing::PrintToString(args);
        EXPECT_FALSE(parsed.reason().empty());
    }
}

TEST(SimOptions, FaultTexts)
{
    struct Case
    {
        std::string text;
        Fault::Kind kind;
        long long value;
        std::string path;
    };
    const Case cases[] = {
        {"delay=1500", Fault::Kind::Delay, 1500, ""},
        {"delay=10:/axis-cgi/io/input.cgi", Fault::Kind::Delay, 10, "/axis-cgi/io/input.cgi"},
        {"status=404:/cgi-bin/recordings/getaapp.cgi", Fault::Kind::Status, 404,
         "/cgi-bin/recordings/getaapp.cgi"},
        {"close-after=100", Fault::Kind::CloseAfter, 100, ""},
        {"big-reply=3:/axis-cgi/admin/serverreport.cgi", Fault::Kind::BigReply, 3,
         "/axis-cgi/admin/serverreport.cgi"},
        {"stop-after=4", Fault::Kind::StopAfter, 4, ""},
        {"ftp-refuse-login", Fault::Kind::FtpRefuseLogin, 0, ""},
        {"ftp-fail-upload", Fault::Kind::FtpFailUpload, 0, ""},
        {"ftp-fail-upload=inittab", Fault::Kind::FtpFailUpload, 0, "inittab"},
    };
    for (const Case& c : cases) {
        const Result<Fault> fault = ParseFault(c.text);
        ASSERT_TRUE(fault.ok()) << c.text << ": " << fault.reason();
        EXPECT_EQ(fault->kind, c.kind) << c.text;
        EXPECT_EQ(fault->value, c.value) << c.text;
        EXPECT_EQ(fault->path, c.path) << c.text;
    }
}

TEST(DeviceFolder, FindsTheProgramsOfTheApplicationBlock)
{
    struct Case
    {
        std::string inittab;
        std::vector<std::string> programs;
    };
    const Case cases[] = {
        {SeedInittab(), {}},
        {"id:3:initdefault:\n#v-sencamCLIENT\nalarmd:3:respawn:/mnt/flash/bin/alarmd\n"
         "chk1:3:respawn:/mnt/flash/bin/chkiod 1\nchk2:3:respawn:/mnt/flash/bin/chkiod 2\n",
         {"alarmd", "chkiod"}},
        // The last marker counts; comments and other programs are not the application's.
        {"#V-SENCAMclient\nold:3:respawn:/mnt/flash/bin/old\n#v-sencamCLIENT\n# note\n"
         "boa:3:respawn:/bin/boa\nnew:3:respawn:/mnt/flash/bin/new\r\n",
         {"new"}},
        {"x\n#v-sencamCLIENT\n", {}},
        {"#v-sencamCLIENT\nbroken line\nsub:3:respawn:/mnt/flash/bin/a/b\n", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplicationPrograms(c.inittab), c.programs) << c.inittab;
    }
}

TEST(RelayForward, SplitsTheRelayQuery)
{
    struct Case
    {
        std::string query;
        bool ok;
        std::string password;
        std::string host;
        int port;
        std::string target;
    };
    const Case cases[] = {
        {"pwd=secret&URL=http://127.0.0.3:80/axis-cgi/operator/param.cgi?action=list&group=Motion", true,
         "secret", "127.0.0.3", 80, "/axis-cgi/operator/param.cgi?action=list&group=Motion"},
        {"pwd=&URL=http://127.0.0.4/cgi-bin/recordings/getaapp.cgi?2", true, "", "127.0.0.4", 80,
         "/cgi-bin/recordings/getaapp.cgi?2"},
        {"pwd=a&b&URL=http://127.0.0.5:8080", true, "a&b", "127.0.0.5", 8080, "/"},
        {"pwd=x&URL=http://127.0.0.5:81?x=1", true, "x", "127.0.0.5", 81, "/?x=1"},
        {"pwd=x&URL=http%3A%2F%2F127.0.0.6%3A80%2Faxis-cgi%2Fio%2Finput.cgi%3Fcheck%3D1", true, "x",
         "127.0.0.6", 80, "/axis-cgi/io/input.cgi?check=1"},
        {"pwd=x&URL=http://10.0.0.1:80/", true, "x", "10.0.0.1", 80, "/"}, // the caller refuses the host
        {"URL=http://127.0.0.3/", false, "", "", 0, ""},
        {"pwd=x", false, "", "", 0, ""},
        {"pwd=x&URL=ftp://127.0.0.3/", false, "", "", 0, ""},
        {"pwd=x&URL=http://u:p@127.0.0.3/", false, "", "", 0, ""},
        {"pwd=x&URL=http://127.0.0.3:99999/", false, "", "", 0, ""},
    };
    for (const Case& c : cases) {
        std::string password;
        RelayTarget target;
        const Status parsed = ParseRelayQuery(c.query, password, target);
        ASSERT_EQ(parsed.ok(), c.ok) << c.query << ": " << parsed.reason();
        if (c.ok) {
            EXPECT_EQ(password, c.password) << c.query;
            EXPECT_EQ(target.host, c.host) << c.query;
            EXPECT_EQ(target.port, c.port) << c.query;
            EXPECT_EQ(target.target, c.target) << c.query;
        }
    }
    EXPECT_TRUE(IsLoopbackAddress("127.255.0.1"));
    EXPECT_FALSE(IsLoopbackAddress("128.0.0.1"));
    EXPECT_FALSE(IsLoopbackAddress("127.0.0"));
}

TEST(DeviceRequest, DecodesQueryValues)
{
    const auto query = ParseQuery("action=1:/30%5C30\\700&check&x=%zz");
    ASSERT_EQ(query.size(), 3u);
    EXPECT_EQ(*QueryValue(query, "action"), "1:/30\\30\\700");
    EXPECT_EQ(*QueryValue(query, "check"), "");
    EXPECT_EQ(*QueryValue(query, "x"), "%zz");
    EXPECT_EQ(QueryValue(query, "y"), nullptr);
}

std::string DigestHeader(const std::string& user, const std::string& realm, const std::string& password,
                         const std::string& nonce, const std::string& uri)
{
    const std::string ha1 = Md5Hex(user + ":" + realm + ":" + password);
    const std::string ha2 = Md5Hex("GET:" + uri);
    const std::string response = Md5Hex(ha1 + ":" + nonce + ":00000001:abc:auth:" + ha2);
    return "Digest username=\"" + user + "\", realm=\"" + realm + "\", nonce=\"" + nonce + "\", uri=\"" +
           uri + "\", cnonce=\"abc\", nc=00000001, qop=auth, response=\"" + response + "\", algorithm=MD5";
}

TEST(HttpAuth, BasicAndDigestWithAwkwardPasswords)
{
    HttpAuth auth("operator", "p:w@d", AuthScheme::Any, "AXIS_TEST");
    ASSERT_TRUE(auth.Required());
    EXPECT_TRUE(auth.Check("GET", "Basic b3BlcmF0b3I6cDp3QGQ="));  // operator:p:w@d
    EXPECT_FALSE(auth.Check("GET", "Basic b3BlcmF0b3I6cDp3QA==")); // operator:p:w@
    EXPECT_FALSE(auth.Check("GET", "Basic !!!"));
    EXPECT_FALSE(auth.Check("GET", ""));

    std::string nonce;
    for (const std::string& challenge : auth.Challenges()) {
        if (challenge.starts_with("Digest ")) {
            nonce = ParseAuthParameters(challenge.substr(7)).at("nonce");
        }
    }
    ASSERT_FALSE(nonce.empty());
    // A uri ending in "\" as a pulse pattern does, sent unescaped.
    const std::string uri = "/axis-cgi/io/output.cgi?action=1:/30\\30/30\\";
    EXPECT_TRUE(auth.Check("GET", DigestHeader("operator", "AXIS_TEST", "p:w@d", nonce, uri)));
    EXPECT_FALSE(auth.Check("GET", DigestHeader("operator", "AXIS_TEST", "p:w@", nonce, uri)));
    EXPECT_FALSE(auth.Check("GET", DigestHeader("operator", "AXIS_TEST", "p:w@d", "0123abcd", uri)));
    EXPECT_FALSE(auth.Check("GET", DigestHeader("root", "AXIS_TEST", "p:w@d", nonce, uri)));

    HttpAuth basicOnly("operator", "p:w@d", AuthScheme::Basic, "AXIS_TEST");
    EXPECT_EQ(basicOnly.Challenges().size(), 1u);
    EXPECT_FALSE(basicOnly.Check("GET", DigestHeader("operator", "AXIS_TEST", "p:w@d", nonce, uri)));

    HttpAuth open("", "", AuthScheme::Any, "AXIS_TEST");
    EXPECT_FALSE(open.Required());
    EXPECT_TRUE(open.Check("GET", ""));
}

} // namespace
} // namespace kor::devicesim
