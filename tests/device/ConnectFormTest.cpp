#include "device/ConnectForm.h"
#include "device/CamerasForm.h"
#include "device/HomeForm.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

// "EC" per box in the order Check4, Check1, Check2, Check3, Check5, Check6, Check7: enabled
// ("e"/"-") and checked ("x"/".").
std::string Shown(const ConnectBoxes& b)
{
    std::string text;
    for (const OptionBox& box :
         {b.Install, b.UpdateSettings, b.SendConfig, b.IoCheck, b.ProgramCode, b.ProgramSensors, b.Home})
        text += std::string(box.Enabled ? "e" : "-") + (box.Checked ? "x" : ".") + " ";
    return text;
}

TEST(ConnectForm, OpeningEnablesAndTicksTheBoxesTheCameraAllows)
{
    const LinkOptions all{true, true, true, true, true, true, true};
    struct Case
    {
        const char* What;
        ConnectOpening Opening;
        const char* Boxes;
    };
    const Case cases[] = {
        {"all allowed, remembered", {true, 1, true, false, true, all}, "ex ex ex ex e. e. e. "},
        {"input 1 is not the detector", {true, 0, true, false, true, all}, "ex ex ex -. -. -. e. "},
        {"no inputs and outputs", {false, 1, true, false, true, all}, "ex ex ex -. -. -. e. "},
        {"no presets", {true, 1, false, false, true, all}, "ex ex ex ex e. e. -. "},
        {"through the relay nothing is installed", {true, 1, true, true, true, all}, "-. ex ex ex e. e. e. "},
        {"no address: the boxes open clear", {true, 1, true, false, false, all}, "e. e. e. e. -. -. e. "},
        {"nothing remembered", {true, 1, true, false, true, {}}, "e. e. e. e. -. -. e. "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(OpenConnectBoxes(c.Opening)), c.Boxes) << c.What;

    // Check3 rules its sub-options: enabled with it, cleared without it.
    ConnectBoxes boxes = OpenConnectBoxes({true, 1, true, false, false, {}});
    boxes = ClickIoCheck(boxes, true);
    boxes.ProgramCode.Checked = boxes.ProgramSensors.Checked = true;
    EXPECT_EQ(Shown(boxes), "e. e. e. ex ex ex e. ");
    const LinkOptions options = OptionsOf(boxes);
    EXPECT_TRUE(options.IoCheck && options.ProgramCode && options.ProgramSensors);
    EXPECT_FALSE(options.Install || options.Home);
    EXPECT_EQ(Shown(ClickIoCheck(boxes, false)), "e. e. e. e. -. -. e. ");
}

TEST(ConnectForm, PortKeysAndTheRunButton)
{
    for (const char32_t c : {U'0', U'9', char32_t(8)})
        EXPECT_TRUE(PortKeyAccepted(c)) << int(c);
    for (const char32_t c : {U'a', U' ', U'-', U'.', U'\u0663'})
        EXPECT_FALSE(PortKeyAccepted(c)) << int(c);
    EXPECT_TRUE(RunMayStart(false, "10.0.0.1"));
    EXPECT_FALSE(RunMayStart(true, "10.0.0.1")) << "one run at a time";
    EXPECT_FALSE(RunMayStart(false, "0.0.0.0"));
}

TEST(CamerasForm, GroupsBoxesAndWhichCamerasARunTakes)
{
    const std::vector<CameraRow> rows = {
        {1, "North", true}, {2, "", true}, {3, "South", false}, {4, "North", false}, {5, "South", true}};
    EXPECT_EQ(GroupsOf(rows), (std::vector<std::string>{"North", "South"}));
    const struct
    {
        std::optional<std::string> Group;
        std::vector<std::int32_t> Run;
    } filters[] = {{std::nullopt, {1, 2, 5}}, {"North", {1}}, {"South", {5}}, {"East", {}}};
    for (const auto& f : filters)
        EXPECT_EQ(CamerasToRun(rows, f.Group), f.Run) << f.Group.value_or("all");

    // The device link screen's boxes for a camera with inputs and outputs and no presets.
    const LinkOptions all{true, true, true, true, true, true, true};
    EXPECT_EQ(Shown(OpenCamerasBoxes(false, all)), "ex ex ex ex e. e. -. ");
    EXPECT_EQ(Shown(OpenCamerasBoxes(true, all)), "-. ex ex ex e. e. -. ");
    LinkOptions sendOnly;
    sendOnly.SendConfig = true;
    EXPECT_TRUE(CamerasRunMayStart(false, 3, sendOnly));
    EXPECT_FALSE(CamerasRunMayStart(true, 3, sendOnly)) << "one run at a time";
    EXPECT_FALSE(CamerasRunMayStart(false, 0, sendOnly)) << "no camera taken";
    EXPECT_FALSE(CamerasRunMayStart(false, 3, LinkOptions())) << "nothing to do";

    EXPECT_EQ(StateOf(PoolOutcome::Skipped), CameraRowState::Skipped);
    EXPECT_EQ(StateOf(PoolOutcome::Cancelled), CameraRowState::Cancelled);
}

TEST(HomeForm, EntriesAndWhatContinueChooses)
{
    // Stored positions, one named like a preset would be; presets named like a position, kept
    // with "ZZZ", and only "ZZZ".
    const std::vector<CameraPosition> positions = {{"Porch", 1.5, -2, 3}, {"Home", 0, 0, 1}};
    const std::vector<NamedPreset> presets = {{"Home", "Home"}, {"Gate", "GateZZZ"}, {"ZZZ", "ZZZ"}};
    const std::vector<HomeEntry> entries = HomeEntries(positions, presets);
    const char* tags[] = {"1", "2", "P1", "PV2", "P3"};
    ASSERT_EQ(entries.size(), std::size(tags));
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].Tag, tags[i]) << i;

    struct Case
    {
        std::optional<std::size_t> Row;
        bool ReturnHome;
        bool Close;
        HomeChoice Expected;
    };
    const Case cases[] = {
        {0, true, true, {true, "", 1.5, -2, 3, true}}, // a position whose name begins with P
        {1, false, true, {true, "", 0, 0, 1, false}},
        {2, true, true, {true, "Home", 0, 0, 0, true}},
        {3, false, true, {true, "GateZZZ", 0, 0, 0, false}}, // the camera's own name comes back
        {4, true, true, {true, "ZZZ", 0, 0, 0, true}},
        {std::nullopt, true, false, {}}, // a list with entries needs a choice
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Row.value_or(99));
        const HomeStep step = ContinueHome(entries, positions, c.Row, c.ReturnHome);
        const auto fields = [](const HomeChoice& h) {
            return std::tie(h.Continue, h.HomePreset, h.X, h.Y, h.Z, h.Enabled);
        };
        EXPECT_EQ(step.Close, c.Close);
        EXPECT_EQ(fields(step.Choice), fields(c.Expected));
    }
    const HomeStep empty = ContinueHome({}, {}, std::nullopt, true);
    EXPECT_TRUE(empty.Close) << "no positions: the screen closes";
    EXPECT_FALSE(empty.Choice.Continue) << "and nothing is sent";
}

} // namespace
} // namespace kor
