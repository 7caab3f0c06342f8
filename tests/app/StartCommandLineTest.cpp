#include "app/StartCommandLine.h"
#include "app/ProgramArguments.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kor {
namespace {

struct StartCase
{
    const char* CommandLine;
    bool Fails;
    StartValues Expected;
    const char* Reason = ""; // part of the reason when it fails
};

StartValues Relay(const char* host, std::int32_t dataPort, const char* pwd, bool enabled, std::int32_t port,
                  std::int32_t camera = 0)
{
    StartValues v;
    v.RemoteMode = true;
    v.RelayHost = host;
    v.RelayDataPort = dataPort;
    v.RelayPwd = pwd;
    v.RelayEnabled = enabled;
    v.RelayPort = port;
    v.CameraId = camera;
    return v;
}

StartValues Camera(std::int32_t id)
{
    StartValues v;
    v.CameraId = id;
    return v;
}

TEST(StartCommandLine, PiecesSetTheStartValues)
{
    const StartCase cases[] = {
        {"", false, StartValues()},
        {"REMOTE#x#10.0.0.5#900##1#901$CAMID#7", false, Relay("10.0.0.5", 900, "", true, 901, 7)},
        {"camid#12", false, Camera(12)},
        {"Remote#a#b#900#q#0#901", false, Relay("b", 900, "q", false, 901)},
        {"REMOTE#a#b#900#q#1 #901", false, Relay("b", 900, "q", false, 901)}, // only "1" enables
        {"REMOTE#a#h#1#p#1#2#extra#more", false, Relay("h", 1, "p", true, 2)},
        {"FOO#1$ REMOTE#a#b$$CAMID#3$", false, Camera(3)}, // other pieces, even " REMOTE", are ignored
        {"CAMID# 42 ", false, Camera(42)},
        {"CAMID#-3", false, Camera(-3)},
        {"CAMID#5$CAMID#6", false, Camera(6)},
        {"REMOTE#a#b", true, Relay("b", 900, "", false, 901), "field 3 (relay data port) is empty"},
        {"REMOTE#a#b#900#pw#1#", true, Relay("b", 900, "pw", true, 901), "field 6 (relay port) is empty"},
        {"REMOTE#a#b#9o0#pw#1#901", true, Relay("b", 900, "", false, 901), "\"9o0\" is not a number"},
        {"CAMID", true, StartValues(), "CAMID field 1"},
        {"CAMID#abc", true, StartValues(), "\"abc\" is not a number"},
        {"CAMID#2147483648", true, StartValues(), "does not fit 32 bits"},
        {"REMOTE#x#relay#900#s3cr3t#1#90x1", true, Relay("relay", 900, "", true, 901), "relay port"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.CommandLine);
        StartValues values;
        values.CameraId = 99; // defaults are set first
        const Status read = ApplyStartCommandLine(c.CommandLine, values);
        const std::string& reason = read.reason();
        EXPECT_EQ(read.failed(), c.Fails) << reason;
        const auto fields = [](const StartValues& v) {
            return std::tuple(v.RemoteMode, v.RelayHost, v.RelayDataPort, v.RelayEnabled, v.RelayPort,
                              v.CameraId);
        };
        EXPECT_EQ(fields(values), fields(c.Expected));
        if (!c.Fails) {
            EXPECT_EQ(values.RelayPwd, c.Expected.RelayPwd);
            EXPECT_EQ(reason, "");
        } else {
            EXPECT_NE(reason.find(c.Reason), std::string::npos) << reason;
            EXPECT_EQ(reason.find("s3cr3t"), std::string::npos) << "the relay password never shows";
        }
    }
}

TEST(ProgramArgumentsTest, OptionsAndTheStartCommandLine)
{
    struct Case
    {
        QStringList Arguments;
        bool Fails;
        std::string CommandLine;
        QString Database = {};
        bool Help = false;
    };
    const auto L = [](const char* text) { return QString::fromUtf8(text); };
    const Case cases[] = {
        {{}, false, ""},
        {{L("REMOTE#x#h#900##1#901$CAMID#7")}, false, "REMOTE#x#h#900##1#901$CAMID#7"},
        // A shell split the companion client's command line at its blanks: joined again with one.
        {{L("REMOTE#x#h#900#pass"), L("word#1#901$CAMID#7")},
         false,
         "REMOTE#x#h#900#pass word#1#901$CAMID#7"},
        {{L("--database"), L("/tmp/x.ddd"), L("camid#2")}, false, "camid#2", L("/tmp/x.ddd")},
        {{L("--database=/tmp/y.ddd")}, false, "", L("/tmp/y.ddd")},
        {{L("--help")}, false, "", {}, true},
        {{L("--database")}, true, ""},
        {{L("--database=")}, true, ""},
        {{L("--frobnicate")}, true, ""},
        {{L("CAMID#1$REMOTE#x#c\xC3\xA1mara#900")}, false, "CAMID#1$REMOTE#x#c\xE1mara#900"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.join(u'|').toStdString());
        const Result<ProgramArguments> parsed = ParseProgramArguments(c.Arguments);
        EXPECT_EQ(parsed.failed(), c.Fails);
        EXPECT_EQ(parsed.reason().empty(), !c.Fails);
        if (c.Fails)
            continue;
        EXPECT_EQ(parsed->CommandLine, c.CommandLine);
        EXPECT_EQ(parsed->DatabasePath, c.Database);
        EXPECT_EQ(parsed->Help, c.Help);
    }
    // The password with its blank reaches the relay settings whole.
    const Result<ProgramArguments> parsed =
        ParseProgramArguments({L("REMOTE#x#h#900#pass"), L("word#1#901$CAMID#7")});
    ASSERT_TRUE(parsed.ok());
    StartValues values;
    ASSERT_TRUE(ApplyStartCommandLine(parsed->CommandLine, values).ok());
    EXPECT_EQ(values.RelayPwd, "pass word");
    EXPECT_EQ(values.RelayPort, 901);
    EXPECT_EQ(values.CameraId, 7);
    EXPECT_TRUE(ProgramUsage().contains(QStringLiteral("--database")));
}

} // namespace
} // namespace kor
