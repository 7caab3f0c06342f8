#include "rules/EventCatalogue.h"
#include "app/Language.h"
#include "config/ConfigDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kor {
namespace {

class EventCatalogue : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(LoadLanguageByCode(u"en").ok()); }
    void TearDown() override { FreeLanguage(); }
};

std::vector<std::string> Codes(const std::vector<SourceKind>& kinds)
{
    std::vector<std::string> codes;
    for (const SourceKind& kind : kinds)
        codes.push_back(kind.Code);
    return codes;
}

std::vector<std::string> Tags(const std::vector<SourceItem>& items)
{
    std::vector<std::string> tags;
    for (const SourceItem& item : items)
        tags.push_back(item.Tag);
    return tags;
}

using Strings = std::vector<std::string>;

TEST_F(EventCatalogue, KindsDependOnInputOneAndTheCameraEvents)
{
    struct Case
    {
        std::int16_t InputOne;
        std::int16_t CameraEvents;
        Strings Expected;
    };
    const Case cases[] = {
        {1, 0, {"SIMD", "EIMD", "SDMC", "OTHC", "SVIR"}},
        {1, 2, {"SIMD", "EIMD", "SDMC", "OTHC", "SVIR"}},
        {1, 3, {"SIMD", "EIMD", "PCAM", "SDMC", "OTHC", "SVIR"}},
        {0, 1, {"PCAM", "SDMC", "OTHC", "SVIR"}},
        {0, 0, {"SDMC", "OTHC", "SVIR"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Codes(SourceKinds(c.InputOne, c.CameraEvents)), c.Expected)
            << c.InputOne << " " << c.CameraEvents;
    const std::vector<SourceKind> kinds = SourceKinds(1, 4);
    const std::vector<int> images = {4, 8, 9, 6, 11, 10};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(kinds[i].Image, images[i]) << kinds[i].Code;
}

TEST_F(EventCatalogue, FixedSourcesOfEachKind)
{
    EXPECT_EQ(Tags(FixedSources("SIMD", 1, 0)),
              (Strings{"SIMD1", "SIMD2", "SIMD3", "SIMD4", "SIMD5", "SIMD6", "SIMD7", "SIMD8"}));
    EXPECT_EQ(Tags(FixedSources("EIMD", 1, 0)), (Strings{"EIMD0", "EIMD9", "EIMD10", "EIMD11"}));
    // With input 1 as a sensor, rule 1 is that input: camera events start at 2.
    EXPECT_EQ(Tags(FixedSources("PCAM", 1, 4)), (Strings{"PCAM51", "PCAM52", "PCAM53"}));
    EXPECT_EQ(Tags(FixedSources("PCAM", 0, 1)), (Strings{"PCAM1"}));
    EXPECT_EQ(Tags(FixedSources("PCAM", 0, 3)), (Strings{"PCAM1", "PCAM51", "PCAM52"}));
    EXPECT_EQ(Tags(FixedSources("SDMC", 1, 0)), (Strings{"SDMC12"}));
    EXPECT_EQ(Tags(FixedSources("SVIR", 1, 0)).front(), "SVIR90");
    EXPECT_EQ(Tags(FixedSources("SVIR", 1, 0)).back(), "SVIR99");
    EXPECT_TRUE(FixedSources("OTHC", 1, 0).empty());
    EXPECT_TRUE(FixedSources("XXXX", 1, 0).empty());

    const std::vector<SourceItem> pcam = FixedSources("PCAM", 1, 3);
    EXPECT_EQ(pcam[0].Text, QStringLiteral("Camera event 2"));
    EXPECT_EQ(pcam[0].Image, 9);
    EXPECT_EQ(FixedSources("SIMD", 1, 0)[2].Text, QStringLiteral("Input 3"));
    EXPECT_EQ(FixedSources("SVIR", 1, 0)[0].Text, QStringLiteral("Virtual input 1"));
    EXPECT_TRUE(AsksDevice("SDMC"));
    EXPECT_TRUE(AsksDevice("OTHC"));
    EXPECT_FALSE(AsksDevice("PCAM"));
}

TEST_F(EventCatalogue, ConfiguredSourcesFollowTheUsedRules)
{
    ConfigDocument doc;
    for (int rule : {0, 1, 3, 9, 10, 11, 12, 13, 50, 70, 89, 90, 100, 101, 102, 103, 120})
        doc.AddAction(rule, ActionRecord{});
    doc.MarkDeleted(3, 0); // a rule whose only action is deleted is still used

    doc.InputOneAsSensor = 1;
    std::vector<std::string> tags;
    for (const ConfiguredSource& row : ConfiguredSources(doc))
        tags.push_back(row.Tag);
    EXPECT_EQ(tags, (Strings{"EIMD0", "SIMD1", "SIMD3", "EIMD9", "EIMD10", "EIMD11", "SDMC12", "PCAM50",
                             "SDMC70", "SDMC89", "SVIR90", "OTHC100", "OTHC101", "OTHC102"}));

    struct Row
    {
        int Index;
        const char* Kind;
        int Image;
        const char* Source;
    };
    const Row rows[] = {
        {0, "Detector event", 8, "Detector alarm"},   {1, "Digital input", 1, "Input 1"},
        {9, "Detector event", 5, "Detector armed"},   {10, "Detector event", 3, "Detector disarmed"},
        {11, "Detector event", 2, "Detector tamper"}, {12, "Motion detection", 7, "Any motion"},
        {50, "Camera event", 9, "Camera event 1"},    {70, "Motion detection", 6, "Window 1"},
        {90, "Virtual input", 10, "Virtual input 1"}, {100, "Other sources", 12, "Audio"},
        {101, "Other sources", 13, "Tampering"},      {102, "Other sources", 14, "Temperature"},
    };
    for (const Row& row : rows) {
        const std::optional<ConfiguredSource> source = ConfiguredSourceOf(row.Index, 1);
        ASSERT_TRUE(source) << row.Index;
        EXPECT_EQ(source->KindText, QLatin1String(row.Kind)) << row.Index;
        EXPECT_EQ(source->Image, row.Image) << row.Index;
        EXPECT_EQ(source->SourceText, QLatin1String(row.Source)) << row.Index;
    }

    doc.InputOneAsSensor = 0;
    const ConfiguredSource one = ConfiguredSources(doc)[1];
    EXPECT_EQ(one.Tag, "PCAM1");
    EXPECT_EQ(one.KindText, QStringLiteral("Camera event"));
    EXPECT_EQ(one.SourceText, QStringLiteral("Camera event 1"));
    EXPECT_EQ(one.Image, 9);
    EXPECT_FALSE(ConfiguredSourceOf(13, 1));
    EXPECT_FALSE(ConfiguredSourceOf(49, 1));
}

TEST_F(EventCatalogue, SourcesThatNeedADeviceTask)
{
    const std::pair<const char*, bool> cases[] = {
        {"SDMC12", false}, {"SDMC70", true},  {"SDMC89", true},  {"PCAM1", false}, {"PCAM50", false},
        {"PCAM51", true},  {"OTHC100", true}, {"OTHC102", true}, {"SIMD3", false}, {"EIMD0", false},
        {"SVIR90", false}, {"PCAMx", false},  {"", false},
    };
    for (const auto& [tag, needs] : cases)
        EXPECT_EQ(NeedsDeviceTask(tag), needs) << tag;
}

TEST_F(EventCatalogue, TheIndexOfATag)
{
    EXPECT_EQ(TagIndex("SIMD3"), 3);
    EXPECT_EQ(TagIndex("OTHC100"), 100);
    EXPECT_EQ(TagIndex("PCAM1"), 1);
    EXPECT_FALSE(TagIndex("SIMD"));
    EXPECT_FALSE(TagIndex("SIMDx"));
    EXPECT_FALSE(TagIndex("SIMD99999"));
    EXPECT_FALSE(TagIndex(""));
}

} // namespace
} // namespace kor
