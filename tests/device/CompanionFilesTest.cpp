#include "device/CompanionFiles.h"

#include <gtest/gtest.h>

#include <clocale>

namespace kor {
namespace {

ActionRecord AnAction()
{
    ActionRecord a;
    a.Type = ActOutput;
    a.Name = "Siren";
    a.Params = std::string("DISP=1\0", 7);
    return a;
}

ConfigDocument WithRules(std::initializer_list<int> rules)
{
    ConfigDocument doc;
    for (int r : rules)
        doc.AddAction(r, AnAction());
    return doc;
}

const std::string kMotionLine =
    "once immune % /bin/sockclient : -message \"START Veltrix\" /var/run/motion/requestsocket;\n";
const std::string kAudioLine =
    "once immune % /bin/sockclient : -message \"START Veltrix\" /var/run/audio/eventsocket;\n";
const std::string kTamperLine =
    "once immune % /bin/sockclient : -message \"START Veltrix\" /var/run/tampering/requestsocket;\n";

TEST(CompanionFilesTest, TaskListSingleChannel)
{
    const struct
    {
        std::initializer_list<int> Rules;
        std::string Expected;
    } rows[] = {
        {{55}, "#BOH\n#EOH\n#C1:55\npattern((IO5:/)) immune % /mnt/flash/bin/forcelocal : 55;\n"},
        {{71, 100},
         "#BOH\n" + kMotionLine + kAudioLine +
             "#EOH\n#C1:71\npattern((M1:H)) immune % /mnt/flash/bin/forcelocal : 71;\n"
             "#C1:100\npattern((A0:/)) immune % /mnt/flash/bin/forcelocal : 100;\n"},
        {{102},
         "#BOH\n" + kTamperLine +
             "#EOH\n#C1:102\npattern((TEMP0:/)) immune % /mnt/flash/bin/forcelocal : 102;\n"},
        {{101},
         "#BOH\n" + kTamperLine +
             "#EOH\n#C1:101\npattern((T0:/)) immune % /mnt/flash/bin/forcelocal : 101;\n"},
        {{1, 12, 90}, "#NOACTIONS"},
    };
    for (const auto& row : rows) {
        const std::string deviceList = "#BOH\n#EOH\n#C2:55\nold line\n"; // ignored on one channel
        EXPECT_EQ(TaskListText(WithRules(row.Rules), 1, 1, deviceList), row.Expected);
    }
}

TEST(CompanionFilesTest, TaskListMergesOtherChannels)
{
    const std::string device = "#BOH\n" + kAudioLine +
                               "#EOH\n"
                               "#1:50\npattern((IO0:/)) immune % /mnt/flash/bin/forcelocal : 1 50;\n"
                               "#2:51\npattern((IO1:/)) immune % /mnt/flash/bin/forcelocal : 2 51;\n"
                               // another channel's pair twice is kept once
                               "#1:50\npattern((IO0:/)) immune % /mnt/flash/bin/forcelocal : 1 50;\n"
                               "#C1:100\npattern((A0:/)) immune % /mnt/flash/bin/forcelocal : 100;\n"
                               "#C1:100\npattern((A0:/)) immune % /mnt/flash/bin/forcelocal : 100;\n"
                               "#1:72\npattern((M2:H)) immune % /mnt/flash/bin/forcelocal : 1 72;\n";
    const std::string text = TaskListText(WithRules({52, 100}), 4, 2, device);
    EXPECT_EQ(text, "#BOH\n" + kAudioLine +
                        "#EOH\n"
                        "#1:50\npattern((IO0:/)) immune % /mnt/flash/bin/forcelocal : 1 50;\n"
                        "#1:72\npattern((M2:H)) immune % /mnt/flash/bin/forcelocal : 1 72;\n"
                        "#2:52\npattern((IO2:/)) immune % /mnt/flash/bin/forcelocal : 2 52;\n"
                        "#C1:100\npattern((A0:/)) immune % /mnt/flash/bin/forcelocal : 100;\n");
    // Sending the same configuration again gives the same list: nothing grows.
    EXPECT_EQ(TaskListText(WithRules({52, 100}), 4, 2, text), text);
}

// Found by fuzzing: a device line ending in several CRs lost one CR per upload, so the list
// changed at every send. Every trailing CR goes at once.
TEST(CompanionFilesTest, TaskListLinesLoseAllTheirCarriageReturnsAtOnce)
{
    const std::string device = "#BOH\n#EOH\n:\r\r\n\n\r\n";
    const std::string text = TaskListText(WithRules({65}), 4, 4, device);
    EXPECT_EQ(text.find('\r'), std::string::npos) << text;
    EXPECT_EQ(TaskListText(WithRules({65}), 4, 4, text), text);
}

TEST(CompanionFilesTest, TaskListMergeStopsAndKeepsOnlyWellFormedPairs)
{
    const struct
    {
        std::string Device;
        std::string Expected;
    } rows[] = {
        {"#NOACTIONS", "#NOACTIONS"},
        {"garbage\n#EOH\n#1:50\nx\n", "#NOACTIONS"}, // no "#BOH" first
        {"#BOH\r\n#EOH\r\n#1:50\r\nx\r\n", "#BOH\n#EOH\n#1:50\nx\n"},
        {"#BOH\n#EOH\n#1:50\nx\nno colon\ny\n#1:51\nz\n", "#BOH\n#EOH\n#1:50\nx\n"},
        {"#BOH\n#EOH\n#1:50\n", "#NOACTIONS"}, // an entry without its pattern line
        {"#BOH\n#1:50\nx\n", "#NOACTIONS"},    // no "#EOH"
    };
    for (const auto& row : rows)
        EXPECT_EQ(TaskListText(ConfigDocument(), 2, 2, row.Device), row.Expected) << row.Device;
}

TEST(CompanionFilesTest, BufferConfig)
{
    const GeneralSettings g{1, 2, 3, 4, "smtp.example", "25", "a@b", "c@d", "H", "1234", "10.1.1.1", "5000"};
    const std::string text = BufferConfigText({"8080", "root", "p w", "Q 1755 E"}, g);
    EXPECT_EQ(text, "127.0.0.1\n8080\nroot\np "
                    "w\n2\n1\n4\n3\nQ1755E\nsmtp.example\n25\na@b\nc@d\nH\n1234\n10.1.1.1\n5000\n");
}

TEST(CompanionFilesTest, HomeFileUsesAPointWhateverTheLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may not exist; the text must not depend on it
    HomeChoice h;
    h.Enabled = true;
    h.X = 12.5;
    h.Y = -0.25;
    h.Z = 3;
    EXPECT_EQ(HomeConfigText(h), "1\n12.5\n-0.25\n3\n30\n");
    h.Enabled = false;
    h.HomePreset = "Gate";
    EXPECT_EQ(HomeConfigText(h), "0\nPRESET=Gate\n30\n");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(CompanionFilesTest, UsesDeviceTasks)
{
    EXPECT_FALSE(UsesDeviceTasks(WithRules({0, 12, 49, 90, 99, 103})));
    for (int r : {50, 69, 70, 89, 100, 101, 102})
        EXPECT_TRUE(UsesDeviceTasks(WithRules({r}))) << r;
}

} // namespace
} // namespace kor

#include "device/PresetList.h"

namespace kor {
namespace {

TEST(PresetListTest, ParsePresetList)
{
    const auto presets = ParsePresetList("preset_positions\r\npresetposno1=Home\r\npresetposno2=GateZZZ\r\n"
                                         "garbage\npresetposno3=\npresetposno4=a=b\nx=ZZZ\np6=Door\rjunk\n");
    ASSERT_EQ(presets.size(), 5u);
    EXPECT_EQ(presets[0].Name, "Home");
    EXPECT_EQ(presets[1].Name, "Gate");
    EXPECT_EQ(presets[1].StoredName, "GateZZZ");
    EXPECT_EQ(presets[2].Name, "a=b");
    EXPECT_EQ(presets[3].Name, "ZZZ"); // nothing left without the suffix: kept as it is
    EXPECT_EQ(presets[4].StoredName, "Door") << "a CR never reaches a stored name";
    EXPECT_TRUE(ParsePresetList("").empty());
    EXPECT_TRUE(ParsePresetList("presetposno1=Home").empty()); // the first line is the header
}

} // namespace
} // namespace kor
