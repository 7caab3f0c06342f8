#include "config/ConfigJson.h"
#include "config/ConfigText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace kor {
namespace {

std::string Bytes(const QByteArray& a)
{
    return std::string(a.constData(), static_cast<std::size_t>(a.size()));
}

std::string FileJson(const ConfigDocument& doc)
{
    ConfigJsonOptions options;
    options.MaskPasswords = false;
    return Bytes(ConfigToJson(doc, options));
}

// Documents of every shape the format holds: odd bytes in names and values, pairs without "=",
// empty pairs, unterminated parameter strings, deleted actions, full days.
ConfigDocument Generated(unsigned seed)
{
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto text = [&](int max) {
        std::string s;
        for (int i = pick(max + 1); i > 0; --i) {
            const int c = 32 + pick(224);
            s.push_back(static_cast<char>(c == ';' || c == '$' ? 'x' : c));
        }
        return s;
    };
    ConfigDocument doc;
    for (int r = pick(4); r < ConfigDocument::RuleCount; r += 1 + pick(30)) {
        for (int a = 1 + pick(6); a > 0; --a) {
            ActionRecord action;
            action.Type = pick(12);
            action.Name = text(20);
            for (int p = pick(5); p > 0; --p) {
                action.Params += text(4);
                if (pick(5) != 0)
                    action.Params += (pick(3) == 0 ? "PWD=" : "=") + text(10);
                action.Params.push_back('\0');
            }
            if (pick(6) == 0 && !action.Params.empty())
                action.Params.pop_back();
            for (int day = 1; day <= TimeTable::DayCount; ++day) {
                for (int i = pick(3); i > 0; --i)
                    action.TimeTable.Append(day,
                                            Interval{{std::uint8_t(pick(24)), std::uint8_t(pick(60)), 0},
                                                     {std::uint8_t(pick(24)), std::uint8_t(pick(60)), 0}});
            }
            action.Deleted = pick(8) == 0;
            doc.AddAction(r, action);
        }
    }
    doc.GeneralSettings.FS = std::uint8_t(pick(256));
    doc.GeneralSettings.SMTPH = text(12);
    doc.GeneralSettings.CRAPORT = text(5);
    doc.ZelkSettings.BC = std::int16_t(pick(65536) - 32768);
    doc.ZelkSettings.S[3] = true;
    doc.ZelkSettings.MSK[5] = true;
    return doc;
}

TEST(ConfigJson, FileFormRoundTripsEveryDocumentExactly)
{
    std::vector<ConfigDocument> docs;
    ConfigDocument sample;
    const LoadResult loaded = ParseConfigText(
        sample, test::ReadBytes(test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")));
    ASSERT_TRUE(loaded.Outcome.ok());
    docs.push_back(sample);
    for (unsigned seed = 1; seed <= 40; ++seed)
        docs.push_back(Generated(seed));
    // Texts longer than the writer's buffer, escaped or not.
    std::string longText;
    for (int i = 0; i < 12000; ++i)
        longText += "a\"\\\xE9"
                    "b"[i % 5];
    docs.emplace_back().AddAction(
        4, ActionRecord{0, longText, "X=" + std::string(70000, 'v') + '\0', {}, false});
    for (std::size_t i = 0; i < docs.size(); ++i) {
        const std::string json = FileJson(docs[i]);
        Result<ConfigDocument> back = ConfigFromJson(json);
        ASSERT_TRUE(back.ok()) << i << ": " << back.reason();
        for (int r = 0; r < ConfigDocument::RuleCount; ++r)
            ASSERT_EQ(back->Rule(r), docs[i].Rule(r)) << "document " << i << " rule " << r;
        EXPECT_EQ(FileJson(*back), json) << i << ": the settings as well";
    }
}

TEST(ConfigJson, ListingMasksPasswordsAndCannotBeReadBack)
{
    ConfigDocument doc;
    doc.AddAction(2, ActionRecord{8, "Upload", std::string("HOST=h\0PWD=secret\0", 18), {}, false});
    const std::string listing = Bytes(ConfigToJson(doc, {}));
    EXPECT_EQ(listing.find("secret"), std::string::npos);
    EXPECT_NE(listing.find("\"passwords\": \"masked\""), std::string::npos);
    const Result<ConfigDocument> back = ConfigFromJson(listing);
    ASSERT_FALSE(back.ok());
    EXPECT_EQ(back.reason().rfind("$.rules[0].actions[0].params[1].value: the password is masked", 0), 0u)
        << back.reason();
}

TEST(ConfigJson, RefusalsNameThePath)
{
    const std::string head = R"({"format":1,"rules":[{"index":3,"actions":[)";
    const struct
    {
        std::string Json;
        std::string Reason;
    } cases[] = {
        {"[1]", "$: not an object"},
        {R"({"rules":[]})", "$.format: missing"},
        {R"({"format":2,"rules":[]})", "$.format: this program reads format 1"},
        {R"({"format":1,"rules":[{"index":121,"actions":[]}]})", "$.rules[0].index: outside 0..120"},
        {R"({"format":1,"rules":[{"index":1.5,"actions":[]}]})", "$.rules[0].index: not a whole number"},
        {R"({"format":1,"rules":[{"index":4,"actions":[{"type":0,"name":"a"}]},{"index":4,"actions":[]}]})",
         "$.rules[1].index: rule 4 comes twice"},
        {head + R"({"name":"a"}]}]})", "$.rules[0].actions[0].type: missing"},
        {head + R"({"type":0,"name":7}]}]})", "$.rules[0].actions[0].name: not a text"},
        {head + R"({"type":0,"name":"\u6f22"}]}]})",
         "$.rules[0].actions[0].name: holds characters a configuration file cannot store: \xe6\xbc\xa2"},
        {head + R"({"type":0,"name":"a","time_table":{"Mon":["8:00-18:00"]}}]}]})",
         "$.rules[0].actions[0].time_table.Mon[0]: not an interval HH:MM-HH:MM"},
        {head + R"({"type":0,"name":"a","time_table":{"Mon":["08:00-24:00"]}}]}]})",
         "$.rules[0].actions[0].time_table.Mon[0]: not an interval HH:MM-HH:MM"},
        {head + R"({"type":0,"name":"a","time_table":{"Holiday":[]}}]}]})",
         "$.rules[0].actions[0].time_table.Holiday: not a day (Mon, Tue, Wed, Thu, Fri, Sat or Sun)"},
        // What the file cannot carry would be stored split: each kind of value with its separators.
        {head + R"({"type":0,"name":"a;b"}]}]})", "$.rules[0].actions[0].name: cannot hold \";\""},
        {head + R"({"type":0,"name":"a","params":[{"key":"PWD","value":"p$w"}]}]}]})",
         "$.rules[0].actions[0].params[0].value: cannot hold \"$\""},
        {head + R"({"type":0,"name":"a","params":[{"key":"P\u0000"}]}]}]})",
         "$.rules[0].actions[0].params[0].key: cannot hold the zero character"},
        {head + R"({"type":0,"name":"a","params":[{"key":"P=W"}]}]}]})",
         "$.rules[0].actions[0].params[0].key: cannot hold \"=\": it ends the key"},
        {R"({"format":1,"rules":[],"general":{"SMTPH":"h\rx"}})",
         "$.general.SMTPH: cannot hold a line break (CR)"},
        {R"({"format":1,"rules":[],"general":{"FS":256}})", "$.general.FS: outside 0..255"},
        {R"({"format":1,"rules":[],"detector":{"S":[true]}})",
         "$.detector.S: not a list of 8 true or false values"},
    };
    for (const auto& c : cases) {
        const Result<ConfigDocument> r = ConfigFromJson(c.Json);
        ASSERT_FALSE(r.ok()) << c.Json;
        EXPECT_EQ(r.reason().substr(0, c.Reason.size()), c.Reason) << c.Json;
    }
    EXPECT_EQ(ConfigFromJson("{\"format\":1,").reason().rfind("not valid JSON at byte", 0), 0u);
}

} // namespace
} // namespace kor
