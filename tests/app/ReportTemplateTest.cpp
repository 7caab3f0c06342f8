#include "app/ReportTemplate.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kor {
namespace {

using test::Visible;

// Joins lines with CR LF, as the shipped templates end them.
std::string Crlf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// How blocks and gaps are cut, line ends kept, shows byte for byte in the report builder's tests.
TEST(ReportTemplate, SectionOrderFollowsTheStartMarkers)
{
    using S = ReportSection;
    const struct
    {
        std::vector<std::string> Lines;
        std::vector<S> Expected;
    } cases[] = {
        {{"<!--CGS-->", "<!--CGE-->", "<!--SS-->", "<!--SE-->", "<!--IHS-->", "<!--IHE-->"},
         {S::General, S::Rules, S::Detector}},
        // Only the rule header, general and detector headers start sections.
        {{"<!--AHS-->", "<!--AHE-->", "<!--IS-->", "<!--IE-->", "<!--CGS-->", "<!--CGE-->"}, {S::General}},
        {{"no markers at all"}, {}},
        // A fourth section marker is beyond what the report handles: ignored.
        {{"<!--SS-->", "<!--SE-->", "<!--CGS-->", "<!--CGE-->", "<!--IHS-->", "<!--IHE-->", "<!--SS-->",
          "<!--SE-->"},
         {S::Rules, S::General, S::Detector}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadReportTemplate(Crlf(c.Lines)).Sections, c.Expected) << c.Lines.front();
}

TEST(ReportTemplate, RecognisesMarkersByTheFirstTenCharactersOfALine)
{
    const struct
    {
        std::string Line;
        bool IsMarker;
    } cases[] = {
        {"<!--SS-->", true},         {"   <!--SS-->", true}, // leading blanks
        {"\t<!--SS-->   ", true},                            // tab and trailing blanks
        {"<!--SS--> <h3>", true},                            // the tenth character is a blank
        {"<!--AHS--><table>", true},                         // a ten-character marker with text after it
        {"<!--SS--><h3>", false},                            // the tenth character belongs to the text
        {"<!--ss-->", false},                                // case matters
        {"x<!--SS-->", false},                               // not at the start
        {"<!-- SS -->", false},      {"<!--SSS-->", false},
    };
    for (const auto& c : cases) {
        const std::string text = "head\r\n" + c.Line + "\r\nbody\r\n";
        // A marker line starts a block, so gap 0 ends before it; any other line stays in gap 0.
        EXPECT_EQ(ReadReportTemplate(text).Gaps[0], c.IsMarker ? "head\r\n" : text) << Visible(c.Line);
    }
}

TEST(ReportTemplate, AcceptsLineFeedOnlyAndAnUnterminatedLastLine)
{
    const ReportTemplate tpl = ReadReportTemplate("top\n<!--CGS-->\n$PATIME$\n<!--CGE-->\nend");
    EXPECT_EQ(tpl.Gaps[0], "top\n");
    EXPECT_EQ(tpl.Blocks[6], "<!--CGS-->\n$PATIME$\n");
    EXPECT_EQ(tpl.Gaps[6], "<!--CGE-->\nend");
}

// The templates that ship with the program: each has the three sections and every placeholder,
// is plain ASCII (accented letters as references) with CR LF line ends, and the ten images exist.
TEST(ReportTemplate, ShippedTemplatesHaveEveryMarkerAndPlaceholder)
{
    const std::vector<std::pair<int, std::string>> placeholders = {
        {1, "$SID$"},    {2, "$DESC$"},   {2, "<!--IMG-->"}, {4, "<!--L-->"}, {4, "<!--M-->"},
        {4, "<!--X-->"}, {4, "<!--J-->"}, {4, "<!--V-->"},   {4, "<!--S-->"}, {4, "<!--D-->"},
        {6, "$PATIME$"}, {6, "$PAFPS$"},  {6, "$ATIME$"},    {6, "$AFPS$"},   {7, "$BASECODE$"},
        {8, "$SEN$"},    {8, "$ACTV$"},   {8, "$MSK$"},
    };
    for (const char* code : {"sp", "en", "it", "pt"}) {
        const std::string bytes = test::ReadBytes(
            test::SourceDir() + QStringLiteral("/resources/report/doc%1.htm").arg(QLatin1String(code)));
        ASSERT_FALSE(bytes.empty()) << code;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            ASSERT_LT(static_cast<unsigned char>(bytes[i]), 0x80) << code << " byte " << i;
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << code << " byte " << i;
            }
        }
        const ReportTemplate tpl = ReadReportTemplate(bytes);
        EXPECT_EQ(tpl.Sections.size(), 3u) << code;
        for (const auto& [block, placeholder] : placeholders) {
            EXPECT_NE(tpl.Blocks[static_cast<std::size_t>(block)].find(placeholder), std::string::npos)
                << code << " block " << block << " " << placeholder;
        }
        EXPECT_NE(tpl.Gaps[8].find("</html>"), std::string::npos) << code;
    }
    for (int type = 0; type <= 9; ++type) {
        const QString image = test::SourceDir() + QStringLiteral("/resources/report/0%1.gif").arg(type);
        EXPECT_EQ(test::ReadBytes(image).substr(0, 4), "GIF8") << type;
    }
}

} // namespace
} // namespace kor
