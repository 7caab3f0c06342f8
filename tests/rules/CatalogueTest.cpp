#include "app/Language.h"
#include "device/HttpClient.h"
#include "rules/CatalogueForm.h"
#include "rules/SourceDiscovery.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace kor {
namespace {

using Strings = std::vector<std::string>;

template <typename T> Strings Tags(const std::vector<T>& items)
{
    Strings tags;
    for (const T& item : items) {
        if constexpr (requires { item.Tag; })
            tags.push_back(item.Tag);
        else
            tags.push_back(item.Code);
    }
    return tags;
}

class Catalogue : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::IsOk(LoadLanguageByCode(u"en"))); }
    void TearDown() override { FreeLanguage(); }
};

TEST_F(Catalogue, KindsSourcesAndTheirTaskListRule)
{
    // Input 1 as a sensor, camera events: kinds, camera event sources.
    const std::tuple<std::int16_t, std::int16_t, Strings, Strings> cases[] = {
        {1, 2, {"SIMD", "EIMD", "SDMC", "OTHC", "SVIR"}, {"PCAM51"}},
        {1, 4, {"SIMD", "EIMD", "PCAM", "SDMC", "OTHC", "SVIR"}, {"PCAM51", "PCAM52", "PCAM53"}},
        {0, 1, {"PCAM", "SDMC", "OTHC", "SVIR"}, {"PCAM1"}},
        {0, 0, {"SDMC", "OTHC", "SVIR"}, {}},
    };
    for (const auto& [inputOne, events, kinds, cameraEvents] : cases) {
        EXPECT_EQ(Tags(SourceKinds(inputOne, events)), kinds) << inputOne << "/" << events;
        EXPECT_EQ(Tags(FixedSources("PCAM", inputOne, events)), cameraEvents) << inputOne << "/" << events;
    }

    ConfigDocument doc;
    for (int rule : {0, 1, 3, 9, 12, 13, 50, 70, 89, 90, 100, 101, 102, 103, 120})
        doc.AddAction(rule, ActionRecord{});
    doc.MarkDeleted(3, 0); // a rule whose only action is deleted is still used
    doc.InputOneAsSensor = 1;
    EXPECT_EQ(Tags(ConfiguredSources(doc)),
              (Strings{"EIMD0", "SIMD1", "SIMD3", "EIMD9", "SDMC12", "PCAM50", "SDMC70", "SDMC89", "SVIR90",
                       "OTHC100", "OTHC101", "OTHC102"}));
    doc.InputOneAsSensor = 0;
    EXPECT_EQ(ConfiguredSources(doc)[1].Tag, "PCAM1");

    const std::pair<const char*, bool> tasks[] = {
        {"SDMC12", false}, {"SDMC70", true}, {"PCAM1", false}, {"PCAM50", false}, {"PCAM51", true},
        {"OTHC100", true}, {"SIMD3", false}, {"EIMD0", false}, {"SVIR90", false}, {"PCAMx", false},
    };
    for (const auto& [tag, needs] : tasks)
        EXPECT_EQ(NeedsDeviceTask(tag), needs) << tag;
    EXPECT_EQ(TagIndex("OTHC100"), 100);
    EXPECT_FALSE(TagIndex("SIMDx") || TagIndex("SIMD") || TagIndex("SIMD99999"));
}

TEST_F(Catalogue, AddAnswersForTheChosenKindOnlyAndRemove)
{
    ConfigDocument doc;
    doc.InputOneAsSensor = 1;
    doc.AddAction(3, ActionRecord{});
    bool dirty = false;
    std::vector<ConfiguredSource> listed;
    CatalogueForm form(doc, listed, dirty, 4);
    ASSERT_TRUE(form.ChooseKind("OTHC"));
    form.BeginQuestion();
    EXPECT_TRUE(form.Busy());
    EXPECT_FALSE(form.Remove(0)) << "no change while the device is asked";
    form.ChooseKind("SVIR");
    EXPECT_FALSE(form.Answer("OTHC", {SourceItem{QStringLiteral("Audio"), 12, "OTHC100"}}));
    EXPECT_FALSE(form.Busy());
    EXPECT_EQ(Tags(form.Sources()).front(), "SVIR90");

    ASSERT_TRUE(form.ChooseKind("SDMC"));
    form.BeginQuestion();
    EXPECT_TRUE(form.Answer("SDMC", {SourceItem{QStringLiteral("Window 1 (Gate)"), 6, "SDMC70"}}));
    EXPECT_EQ(form.Hint(), QStringLiteral("Double-click a source to edit its actions."));
    EXPECT_TRUE(form.Add(1));
    EXPECT_FALSE(form.Add(1)) << "listed already";
    EXPECT_TRUE(dirty);
    EXPECT_FALSE(doc.IsRuleUsed(70)) << "adding makes no rule";
    // So the new row is named as one that is not kept.
    EXPECT_EQ(form.RowsWithoutActions(), std::vector<int>{1});
    EXPECT_TRUE(form.Hint().endsWith(QStringLiteral("no actions yet: Window 1 (Gate)")));

    // Removing a source drops its actions; only a source with a device task dirties the task list.
    dirty = false;
    EXPECT_TRUE(form.Remove(0));
    EXPECT_FALSE(doc.IsRuleUsed(3));
    EXPECT_FALSE(dirty);
    EXPECT_TRUE(form.Remove(0));
    EXPECT_TRUE(dirty);
    EXPECT_TRUE(form.Rows().empty());
}

// Answers by path and query; records every address asked.
class FakeHttp : public HttpClient
{
public:
    HttpResponse Get(const DeviceUrl& url, int) override
    {
        asked.push_back(url.Text());
        const auto found = replies.find(url.PathAndQuery());
        return found == replies.end() ? HttpResponse{7, "could not connect", 0, "", ""} : found->second;
    }
    HttpResponse Post(const DeviceUrl&, const std::string&, int) override { return {}; }
    void Reply(const std::string& what, std::string body, long status = 200)
    {
        replies[kParams + what] =
            HttpResponse{0, "", status, status == 200 ? "OK" : "Error", std::move(body)};
    }

    const std::string kParams = "/axis-cgi/operator/param.cgi?action=list&group=";
    std::map<std::string, HttpResponse> replies;
    Strings asked;
};

std::string Window(int index, const std::string& name, int source)
{
    const std::string prefix = "root.Motion.M" + std::to_string(index) + ".";
    return prefix + "Name=" + name + "\n" + prefix + "ImageSource=" + std::to_string(source) + "\n";
}

TEST_F(Catalogue, MotionWindowsOfTheCamerasChannel)
{
    const std::string reply = Window(0, "Entrance", 0) + Window(1, "Two", 1) + Window(11, "Gate", 1) +
                              Window(18, "Last", 0) + Window(19, "Beyond", 0) +
                              "root.Motion.M3.Name=NoSource\nroot.Motion.M3.Left=0\n";
    // Reply, channels of the model, channel of the camera: windows offered.
    const std::tuple<std::string, int, int, Strings> cases[] = {
        // Window 0 is number 1; window 19 is never offered; one channel: the source is not looked at.
        {reply, 1, 1, {"SDMC70", "SDMC71", "SDMC73", "SDMC81", "SDMC88"}},
        {reply, 4, 2, {"SDMC71", "SDMC81"}},
        {reply, 4, 1, {"SDMC70", "SDMC88"}},
        // Window 11 does not pass for window 1; CR LF line ends read alike.
        {"root.Motion.M11.Name=Eleven\r\nroot.Motion.M11.ImageSource=0\r\n", 2, 1, {"SDMC81"}},
    };
    for (const auto& [text, channels, channel, tags] : cases)
        EXPECT_EQ(Tags(MotionWindowItems(text, channels, channel)), tags) << channels << "/" << channel;
    EXPECT_EQ(MotionWindowItems(reply, 4, 2)[1].Text, QStringLiteral("Window 12 (Gate)"));
}

TEST_F(Catalogue, DeviceQuestionsTheirAddressesAndAFailureThatEndsThem)
{
    FakeHttp http;
    http.Reply("root.Audio.A0", "root.Audio.A0.Enabled=yes\nroot.Audio.A0.AlarmLevel=50\n");
    http.Reply("root.Properties.Tampering", "root.Properties.Tampering.Tampering=no\n");
    http.Reply("root.Properties.TemperatureSensor",
               "root.Properties.TemperatureSensor.TemperatureSensor=yes\n");
    DiscoveryTarget target;
    target.Camera.Address = "127.0.0.2";
    target.Camera.PortText = "80";
    target.Camera.User = "root"; // but the device-access object holds none
    target.Camera.Password = "pass";
    EXPECT_EQ(Tags(DiscoverSources("OTHC", http, target).Items), (Strings{"OTHC100", "OTHC102"}));
    // No credentials then, and the port is always written.
    EXPECT_EQ(http.asked.at(0), "http://127.0.0.2:80" + http.kParams + "root.Audio.A0");

    http.asked.clear();
    http.Reply("root.Properties.Tampering", "Unauthorized", 401);
    const DiscoveryResult result = DiscoverSources("OTHC", http, DiscoveryTarget{});
    EXPECT_TRUE(result.Failed && !result.ErrorText.empty());
    EXPECT_EQ(Tags(result.Items), Strings{"OTHC100"}) << "what was found before the failure stays";
    EXPECT_EQ(http.asked.size(), 2u) << "no question after the failed one";
}

} // namespace
} // namespace kor
