// The detector loop between output 1 and input 1: wiring modes, the model's output inversion and
// pulse time, and the programming patterns recorded in var/detector.json.

#include "SimTestUtil.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace kor::test {
namespace {

const std::string kA = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30/30\\";
const std::string kB = "/30/30\\30/30\\30/30\\30\\700/30/30\\30/30\\30\\30\\30\\";

// The pattern as the tool sends it to a model.
std::string Adapt(std::string pattern, bool inverted, int pulse)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '/' || c == '\\') {
            out.push_back(inverted ? (c == '/' ? '\\' : '/') : c);
        } else if (pattern.compare(i, 2, "30") == 0) {
            out += std::to_string(pulse);
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

int SendAndRead(const DeviceSimProcess& sim, const std::string& pattern)
{
    const HttpAnswer sent = Get(sim, "/axis-cgi/io/output.cgi?action=1:" + pattern);
    EXPECT_EQ(sent.status, 200) << sent.body;
    const std::string reply = Get(sim, "/axis-cgi/io/input.cgi?check=1").body;
    EXPECT_TRUE(reply.starts_with("input1=") && reply.ends_with("\n")) << reply;
    return std::atoi(reply.c_str() + 7);
}

nlohmann::json DetectorState(const DeviceSimProcess& sim)
{
    return nlohmann::json::parse(sim.ReadDeviceFile("var/detector.json"), nullptr, false);
}

TEST(DeviceSimLoop, WiringDecidesWhatInputOneReadsAfterEachPattern)
{
    struct Case
    {
        std::string wiring;
        bool inverted;
        int pulse;
        int afterA;
        int afterB;
    };
    const Case cases[] = {
        {"connected", false, 30, 1, 0}, {"connected", true, 30, 1, 0}, {"connected", false, 50, 1, 0},
        {"connected", true, 45, 1, 0},  {"open", false, 30, 0, 0},     {"open", true, 50, 0, 0},
        {"inverted", false, 30, 0, 1},  {"inverted", true, 50, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wiring + (c.inverted ? " inverted output" : "") + " pulse " + std::to_string(c.pulse));
        std::vector<std::string> args = {"--wiring", c.wiring, "--pulse-time", std::to_string(c.pulse)};
        if (c.inverted) {
            args.push_back("--inverted-output");
        }
        DeviceSimProcess sim(SimOptions(args));
        ASSERT_TRUE(sim.Start()) << sim.Error();
        const std::string a = Adapt(kA, c.inverted, c.pulse);
        const std::string b = Adapt(kB, c.inverted, c.pulse);
        EXPECT_EQ(SendAndRead(sim, a), c.afterA);
        EXPECT_EQ(SendAndRead(sim, b), c.afterB);
        EXPECT_EQ(SendAndRead(sim, a), c.afterA);
        EXPECT_EQ(DetectorState(sim)["history"], nlohmann::json({"A", "B", "A"}));
    }
}

TEST(DeviceSimLoop, PatternsNotAdaptedToTheModelAreNotUnderstood)
{
    DeviceSimProcess sim(SimOptions({"--inverted-output", "--pulse-time", "50"}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    EXPECT_EQ(SendAndRead(sim, kA), 0);                   // neither inverted nor 50
    EXPECT_EQ(SendAndRead(sim, Adapt(kA, false, 50)), 0); // not inverted
    EXPECT_EQ(SendAndRead(sim, Adapt(kA, true, 30)), 0);  // pulse time left at 30
    EXPECT_EQ(DetectorState(sim)["unrecognised"], 3);
    // The escaped form of the "\" is the same pattern.
    std::string escaped;
    for (char c : Adapt(kA, true, 50)) {
        escaped += c == '\\' ? std::string("%5C") : std::string(1, c);
    }
    EXPECT_EQ(SendAndRead(sim, escaped), 1);
}

TEST(DeviceSimLoop, ProgrammingPatternsAreDecodedAndRecorded)
{
    const std::string codeHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30\\30/30/30\\700/30";
    const std::string sensorHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30/30\\700/30\\30\\30";
    const std::string maskHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30\\30\\700/30";
    const auto bits = [](int value, int count) {
        std::string text;
        for (int b = count - 1; b >= 0; --b) {
            text += (value >> b) & 1 ? "/30" : "\\30";
        }
        return text;
    };
    for (const bool inverted : {false, true}) {
        SCOPED_TRACE(inverted ? "inverted output, pulse 40" : "plain output");
        const int pulse = inverted ? 40 : 30;
        std::vector<std::string> args = {"--pulse-time", std::to_string(pulse)};
        if (inverted) {
            args.push_back("--inverted-output");
        }
        DeviceSimProcess sim(SimOptions(args));
        ASSERT_TRUE(sim.Start()) << sim.Error();
        EXPECT_EQ(DetectorState(sim)["BC"], nullptr);

        // BC 5: bits 000101.
        Get(sim,
            "/axis-cgi/io/output.cgi?action=1:" + Adapt(codeHeader + bits(5, 6) + "\\", inverted, pulse));
        // Sensors 1, 3 and 8 (s = 0, 2, 7) set, the others clear.
        for (int s = 0; s < 8; ++s) {
            const bool set = s == 0 || s == 2 || s == 7;
            Get(sim, "/axis-cgi/io/output.cgi?action=1:" +
                         Adapt(sensorHeader + bits(s, 3) + (set ? "/30\\" : "\\30\\"), inverted, pulse));
        }
        // MSK(5..0) = 1,0,0,1,0,0: a set flag is "\30".
        Get(sim, "/axis-cgi/io/output.cgi?action=1:" +
                     Adapt(maskHeader + "\\30/30/30\\30/30/30" + "\\", inverted, pulse));

        const nlohmann::json state = DetectorState(sim);
        EXPECT_EQ(state["BC"], 5);
        EXPECT_EQ(state["S"], nlohmann::json({1, 0, 1, 0, 0, 0, 0, 1}));
        EXPECT_EQ(state["MSK"], nlohmann::json({0, 0, 1, 0, 0, 1}));
        EXPECT_EQ(state["unrecognised"], 0);
        // Programming does not touch the loop reading.
        EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1").body, "input1=0\n");
    }
}

TEST(DeviceSimLoop, DetectorKeepsItsStateWhenTheCameraStartsAgain)
{
    DeviceSimProcess sim(SimOptions({}));
    ASSERT_TRUE(sim.Start()) << sim.Error();
    EXPECT_EQ(SendAndRead(sim, kA), 1);
    sim.Stop();
    ASSERT_TRUE(sim.Start()) << sim.Error();
    EXPECT_EQ(Get(sim, "/axis-cgi/io/input.cgi?check=1").body, "input1=1\n");
    EXPECT_EQ(SendAndRead(sim, kB), 0);
}

} // namespace
} // namespace kor::test
