// The input/output check over fakes: the wiring outcomes, the patterns as the model needs them,
// a code the detector cannot take; and the start-up loop check.
#include "CameraFixture.h"

#include "device/DetectorLoop.h"

#include <sstream>

namespace kor::test {
namespace {

// The input's answers in turn, their values given apart by blanks.
std::vector<HttpResponse> InputReplies(const std::string& values)
{
    std::vector<HttpResponse> replies;
    std::istringstream in(values);
    for (std::string v; in >> v;)
        replies.push_back(Ok("input1=" + v + "\n"));
    return replies;
}

class IoCheckStepTest : public CameraFixture
{
protected:
    RunOutcome Check(const std::string& inputs, bool code = false)
    {
        Http.OnSequence("input.cgi?check=1", InputReplies(inputs));
        LinkOptions o = Ticked({&LinkOptions::IoCheck});
        o.ProgramCode = code;
        return Run(o);
    }
};

TEST_F(IoCheckStepTest, WiringOutcomes)
{
    const struct
    {
        const char* Name;
        const char* Inputs;
        RunOutcome Expected;
        std::string LogPart;
        std::size_t Patterns;
        HttpResponse Stop = Ok("\nOK\n");
    } rows[] = {
        {"stop not answered OK", "1 0 1", RunOutcome::Completed, "[803] DEMO 1\n[815]\n[816]\n[1185]\n[808]",
         3, Status(404, "Not Found", "404")},
        {"input stuck on", "1 1 1", RunOutcome::Failed, "[816]\n[818]\n[1194]\n[808]", 2},
        {"third read-back off", "1 0 0", RunOutcome::Failed, "[816]\n[818]\n[1194]\n[808]", 3},
        {"negative value", "-1", RunOutcome::Failed,
         "[816]\nError 6 the input answer is negative\n[1195]\n[808]", 1},
        {"no number", "x", RunOutcome::Failed,
         "[816]\nError 13 the input answer holds no number\n[1195]\n[808]", 1},
    };
    for (const auto& row : rows) {
        Http = FakeHttp();
        Host = RecordingHost();
        Http.On("stopchkiod.cgi", row.Stop);
        EXPECT_EQ(Check(row.Inputs), row.Expected) << row.Name;
        EXPECT_NE(LogText().find(row.LogPart), std::string::npos) << row.Name << "\n" << LogText();
        EXPECT_EQ(Http.Matching("output.cgi?action=1:").size(), row.Patterns) << row.Name;
    }
}

// The patterns and their order are the simulator run's, which decodes them as the detector does.
TEST_F(IoCheckStepTest, CodeOutOfRangeStopsTheProgramming)
{
    Doc.ZelkSettings.BC = 256;
    EXPECT_EQ(Check("1 0 1", true), RunOutcome::Failed);
    EXPECT_NE(LogText().find("Error 6 Overflow\n[1195]\n[808]"), std::string::npos) << LogText();
}

TEST(DetectorLoopTest, Outcomes)
{
    ModelRecord model;
    AxisDevice device;
    device.SetCamera("10.0.0.5", 80, "", "", 1, "AXIS", "DEMO 1");
    const struct
    {
        const char* Name;
        HttpResponse Stop;
        const char* Inputs;
        DetectorLoopResult Expected;
    } rows[] = {
        {"connected", Ok("stopped\nOK\n"), "1 0 1", LoopConnected},
        {"ok without line feed", Ok("OK"), "1 0 1", LoopNotAnswered},
        {"open", Ok("\nok"), "0", LoopNotAnswered},
        {"no number", Ok("\nOK"), "on", LoopNotAnswered},
        {"time-out", Unreachable(kRequestTimeoutError, "Request timed out"), "", LoopTimedOut},
        {"refused", Unreachable(7, "refused"), "", LoopNotAnswered},
        {"empty answer", Ok(""), "", LoopNotAnswered},
    };
    for (const auto& row : rows) {
        FakeHttp http;
        FakeClock clock;
        http.On("stopchkiod.cgi", row.Stop);
        if (*row.Inputs)
            http.OnSequence("input.cgi", InputReplies(row.Inputs));
        EXPECT_EQ(CheckDetectorLoop(http, clock, device, model, {}), row.Expected) << row.Name;
        EXPECT_EQ(http.Timeouts[0], 20);
    }
}

} // namespace
} // namespace kor::test
