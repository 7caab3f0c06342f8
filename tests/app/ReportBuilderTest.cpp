#include "app/ReportBuilder.h"
#include "app/HtmlText.h"

#include "config/ParamString.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kor {
namespace {

using test::Visible;

// Language texts as "[n]", so every looked-up word shows where it came from.
std::string FakeText(int n)
{
    return "[" + std::to_string(n) + "]";
}

std::size_t Count(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t pos = text.find(piece); pos != std::string::npos;
         pos = text.find(piece, pos + piece.size()))
        ++count;
    return count;
}

// A compact template: one line per block, a visible word per gap.
const char* const kTemplate =
    "HEAD\r\n"
    "<!--SS-->\r\nRULE $SID$\r\n<!--SE-->\r\nG1\r\n"
    "<!--AHS-->\r\nACTION $DESC$ IMG=<!--IMG-->\r\n<!--AHE-->\r\nG2\r\n"
    "<!--TTS-->\r\nDAYS\r\n<!--TTE-->\r\nG3\r\n"
    "<!--ASS-->\r\nROW|<!--L-->|<!--M-->|<!--X-->|<!--J-->|<!--V-->|<!--S-->|<!--D-->|\r\n"
    "<!--ASE-->\r\nG4\r\n"
    "<!--ABS-->\r\nEND-ACTION\r\n<!--ABE-->\r\nG5\r\n"
    "<!--CGS-->\r\nGENERAL $PATIME$;$PAFPS$;$ATIME$;$AFPS$\r\n<!--CGE-->\r\nG6\r\n"
    "<!--IHS-->\r\nDETECTOR $BASECODE$\r\n<!--IHE-->\r\nG7\r\n"
    "<!--IS-->\r\nINPUT $SEN$|$ACTV$|$MSK$\r\n<!--IE-->\r\nTAIL\r\n";

ActionRecord MailAction(const std::string& name, const std::string& to)
{
    ActionRecord action;
    action.Type = ActMail;
    action.Name = name;
    AppendParam(action.Params, "TO", to);
    return action;
}

std::string Build(const ConfigDocument& doc, const std::string& templateText = kTemplate)
{
    return BuildReportHtml(ReadReportTemplate(templateText), doc, FakeText, "file:///res/report/");
}

ConfigDocument FreshDocument()
{
    ConfigDocument doc;
    doc.ResetConfig();
    return doc;
}

// The lines of the output that start with a word, in order.
std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& word)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(pos, end - pos);
        if (line.rfind(word, 0) == 0)
            lines.push_back(line);
        pos = end + 2;
    }
    return lines;
}

// Rules 0 to 11 by name; deleted actions are skipped, and a rule with no other has no header.
TEST(ReportBuilder, RuleNamesOnlyRulesZeroToElevenAndNoDeletedActions)
{
    ConfigDocument doc = FreshDocument();
    doc.AddAction(1, MailAction("gone", "a"));
    doc.MarkDeleted(1, 0);
    doc.AddAction(3, MailAction("all gone", "c"));
    doc.MarkDeleted(3, 0);
    for (int rule : {0, 1, 5, 8, 9, 10, 11, 12, 50, 70, 90, 100, 101, 102, 120})
        doc.AddAction(rule, MailAction("r" + std::to_string(rule), "x"));
    const std::vector<std::string> expected = {"RULE [116]", "RULE [119] 1", "RULE [119] 5", "RULE [119] 8",
                                               "RULE [120]", "RULE [121]",   "RULE [122]"};
    const std::string html = Build(doc);
    EXPECT_EQ(LinesStartingWith(html, "RULE"), expected);
    EXPECT_EQ(LinesStartingWith(html, "ACTION").size(), 7u) << "one per rule named, none deleted";
}

TEST(ReportBuilder, WritesBlocksAndGapsInTheirOrder)
{
    ConfigDocument doc = FreshDocument();
    ActionRecord timed = MailAction("t", "a");
    timed.TimeTable.Append(1, Interval{{8, 0, 0}, {12, 30, 0}});
    doc.AddAction(4, timed);
    doc.AddAction(4, MailAction("u", "b"));
    doc.GeneralSettings.FTM = 3;
    doc.GeneralSettings.FS = 4;
    doc.GeneralSettings.FTMB = 5;
    doc.GeneralSettings.FSB = 1;
    doc.ZelkSettings.BC = 1234;

    std::string expected = "HEAD\r\n";
    expected += "<!--SS-->\r\nRULE [119] 4\r\n\r\n";
    // Gap 1 follows every action header; gap 3 the time table header; gaps 2, 4, 5, 7 never show.
    expected += "<!--AHS-->\r\nACTION [250] a (t) IMG=file:///res/report/07.gif\r\n<!--SE-->\r\nG1\r\n\r\n";
    expected += "<!--TTS-->\r\nDAYS\r\n<!--TTE-->\r\nG3\r\n\r\n";
    expected += "<!--ASS-->\r\nROW|08:00-12:30|<!--M-->|<!--X-->|<!--J-->|<!--V-->|<!--S-->|<!--D-->|\r\n";
    expected += "<!--ABS-->\r\nEND-ACTION\r\n";
    expected += "<!--AHS-->\r\nACTION [250] b (u) IMG=file:///res/report/07.gif\r\n<!--SE-->\r\nG1\r\n\r\n";
    expected += "<!--ABS-->\r\nEND-ACTION\r\n";
    expected += "<!--CGS-->\r\nGENERAL 3 [117];4 [252];5 [117];1 [252]\r\n<!--CGE-->\r\nG6\r\n";
    expected += "<!--IHS-->\r\nDETECTOR 1234\r\n";
    for (int j = 1; j <= 8; ++j)
        expected += "<!--IS-->\r\nINPUT [247] " + std::to_string(j) + "|[253]|\r\n";
    expected += "<!--IE-->\r\nTAIL\r\n";
    EXPECT_EQ(Visible(Build(doc)), Visible(expected));
}

TEST(ReportBuilder, TimeTableRows)
{
    const Interval morning{{8, 0, 0}, {12, 30, 0}};
    const Interval evening{{18, 5, 59}, {23, 59, 0}};
    const Interval midnight{{0, 0, 0}, {0, 9, 0}};
    const struct
    {
        const char* Name;
        std::vector<std::pair<int, Interval>> Intervals; // day, interval, in the order added
        std::vector<std::string> Rows;
    } cases[] = {
        {"two intervals on day 3 only",
         {{3, morning}, {3, evening}},
         {"ROW|<!--L-->|<!--M-->|08:00-12:30|<!--J-->|<!--V-->|<!--S-->|<!--D-->|",
          "ROW|<!--L-->|<!--M-->|18:05-23:59|<!--J-->|<!--V-->|<!--S-->|<!--D-->|"}},
        {"uneven days keep their order",
         {{7, midnight}, {1, evening}, {1, morning}, {5, morning}},
         {"ROW|18:05-23:59|<!--M-->|<!--X-->|<!--J-->|08:00-12:30|<!--S-->|00:00-00:09|",
          "ROW|08:00-12:30|<!--M-->|<!--X-->|<!--J-->|<!--V-->|<!--S-->|<!--D-->|"}},
    };
    for (const auto& c : cases) {
        ConfigDocument doc = FreshDocument();
        ActionRecord action = MailAction("a", "x");
        for (const auto& [day, interval] : c.Intervals)
            action.TimeTable.Append(day, interval);
        doc.AddAction(6, action);
        const std::string html = Build(doc);
        EXPECT_EQ(LinesStartingWith(html, "ROW"), c.Rows) << c.Name;
        EXPECT_EQ(Count(html, "DAYS"), 1u) << c.Name;
    }
}

TEST(ReportBuilder, DetectorInputsActiveFlagsAndMaskCells)
{
    ConfigDocument doc = FreshDocument();
    doc.ZelkSettings.S = {true, false, true, false, true, true, true, false};
    doc.ZelkSettings.MSK = {true, false, false, true, false, true};
    doc.ZelkSettings.BC = -3;
    const std::string html = Build(doc);
    const std::vector<std::string> expected = {
        "INPUT [247] 1|[253]|",      "INPUT [247] 2|[254]|", // inputs 1 and 2 never show a mask
        "INPUT [247] 3|[253]|[158]", "INPUT [247] 4|[254]|", "INPUT [247] 5|[253]|",
        "INPUT [247] 6|[253]|[158]", "INPUT [247] 7|[253]|", "INPUT [247] 8|[254]|[158]",
    };
    EXPECT_EQ(LinesStartingWith(html, "INPUT"), expected);
    EXPECT_EQ(LinesStartingWith(html, "DETECTOR"), std::vector<std::string>{"DETECTOR -3"});
}

TEST(ReportBuilder, SectionsFollowTheTemplateOrder)
{
    const std::string generalFirst =
        "<!--CGS-->\r\nGENERAL\r\n<!--CGE-->\r\nafter general\r\n"
        "<!--SS-->\r\nRULE $SID$\r\n<!--SE-->\r\n"
        "<!--AHS-->\r\nACTION\r\n<!--AHE-->\r\n"
        "<!--IHS-->\r\nDETECTOR\r\n<!--IHE-->\r\n<!--IS-->\r\nINPUT\r\n<!--IE-->\r\nend\r\n";
    ConfigDocument doc = FreshDocument();
    doc.AddAction(0, MailAction("a", "x"));
    const std::string html = Build(doc, generalFirst);
    const std::size_t general = html.find("GENERAL");
    const std::size_t rule = html.find("RULE");
    const std::size_t detector = html.find("DETECTOR");
    ASSERT_NE(general, std::string::npos);
    EXPECT_LT(general, html.find("after general"));
    EXPECT_LT(html.find("after general"), rule);
    EXPECT_LT(rule, detector);
    EXPECT_EQ(html.substr(html.size() - 5), "end\r\n");
}

// The header (known fields only) at its marker, and the sources of rules 12 and above that have
// live actions by name at theirs; the sections stay where they were.
TEST(ReportBuilder, HeaderAndLeftOutSources)
{
    const std::string markers = std::string("<!--REPORTHEAD-->\r\n") + kTemplate + "<!--LEFTOUT-->\r\n";
    ReportHeader full{"Gate <1>", "10.0.0.5",         "M1011",
                      "4.47",     "2026-12-07 11:13", [](int r) {
                          return "Source " + std::to_string(r); }};
    const struct
    {
        const char* Name;
        ReportHeader Header;
        std::vector<int> Rules; // rules given a live action; rule 51 only a deleted one
        std::string Head;
        std::string LeftOut;
    } cases[] = {
        {"everything known",
         full,
         {0, 12, 70, 100},
         "<tr><td class=\"label\">[136]</td><td>Gate &lt;1&gt;</td></tr>\r\n"
         "<tr><td class=\"label\">[105]</td><td>10.0.0.5</td></tr>\r\n"
         "<tr><td class=\"label\">[1131]</td><td>M1011</td></tr>\r\n"
         "<tr><td class=\"label\">[1132]</td><td>4.47</td></tr>\r\n"
         "<tr><td class=\"label\">[1133]</td><td>2026-12-07 11:13</td></tr>\r\n",
         "<p>[1134]</p>\r\n<ul>\r\n<li>Source 12</li>\r\n<li>Source 70</li>\r\n<li>Source 100</li>\r\n</ul>"},
        {"date only, tags for names",
         ReportHeader{"", "", "", "", "2026-01-02 03:04", {}},
         {90},
         "<tr><td class=\"label\">[1133]</td><td>2026-01-02 03:04</td></tr>\r\n",
         "<p>[1134]</p>\r\n<ul>\r\n<li>SVIR90</li>\r\n</ul>"},
        {"nothing left out", full, {3}, "", ""},
    };
    for (const auto& c : cases) {
        ConfigDocument doc = FreshDocument();
        for (int rule : c.Rules)
            doc.AddAction(rule, MailAction("a", "x"));
        doc.AddAction(51, MailAction("gone", "x"));
        doc.MarkDeleted(51, 0);
        const std::string html = BuildReportHtml(ReadReportTemplate(markers), doc, FakeText, "", c.Header);
        const std::string table =
            "<table class=\"grid\" cellspacing=\"0\" cellpadding=\"4\" border=\"1\">\r\n";
        if (!c.Head.empty()) {
            EXPECT_EQ(html.rfind(table + c.Head + "</table>\r\nHEAD\r\n", 0), 0u) << c.Name << "\n" << html;
        }
        EXPECT_EQ(html.substr(html.rfind("TAIL\r\n")), "TAIL\r\n" + c.LeftOut + "\r\n") << c.Name;
        EXPECT_EQ(LinesStartingWith(html, "RULE").size(), c.Rules[0] < 12 ? 1u : 0u) << c.Name;
    }
}

// User text and language texts alike.
TEST(ReportBuilder, TextIsEscapedAndNeverTakenForAPlaceholder)
{
    ConfigDocument doc = FreshDocument();
    doc.AddAction(0, MailAction("<b>Gate & \"door\"</b> $SID$ <!--IMG--> <!--L-->", "<script>"));
    ActionRecord accented = MailAction("Port\xE9n \x80", "a'b");
    accented.TimeTable.Append(1, Interval{{7, 0, 0}, {8, 0, 0}});
    doc.AddAction(0, accented);
    const auto langText = [](int n) { return n == 116 ? std::string("Alarm <i>\xE9</i>") : FakeText(n); };
    const std::string html = BuildReportHtml(ReadReportTemplate(kTemplate), doc, langText, "");
    EXPECT_EQ(LinesStartingWith(html, "RULE"),
              std::vector<std::string>{"RULE Alarm &lt;i&gt;&#233;&lt;/i&gt;"});
    EXPECT_EQ(LinesStartingWith(html, "ACTION"),
              (std::vector<std::string>{
                  "ACTION [250] &lt;script&gt; (&lt;b&gt;Gate &amp; &quot;door&quot;&lt;/b&gt; $SID$ "
                  "&lt;!--IMG--&gt; &lt;!--L--&gt;) IMG=07.gif",
                  "ACTION [250] a&#39;b (Port&#233;n &#8364;) IMG=07.gif"}));
}

TEST(ReportBuilder, ImageNamesAreTheTypeInTwoDigits)
{
    ConfigDocument doc = FreshDocument();
    for (const std::int32_t type : {0, 9, 12, -1})
        doc.AddAction(7, ActionRecord{type, "", "", {}, false});
    std::vector<std::string> images;
    const std::string html = BuildReportHtml(ReadReportTemplate(kTemplate), doc, FakeText, "folder/a&b/");
    for (const std::string& line : LinesStartingWith(html, "ACTION"))
        images.push_back(line.substr(line.find("IMG=")));
    EXPECT_EQ(images, (std::vector<std::string>{"IMG=folder/a&amp;b/00.gif", "IMG=folder/a&amp;b/09.gif",
                                                "IMG=folder/a&amp;b/12.gif", "IMG=folder/a&amp;b/-01.gif"}));
}

TEST(HtmlText, EscapesMarkupAndEncodesEveryByteAbove127)
{
    const struct
    {
        std::string In;
        std::string Out;
    } cases[] = {
        {"", ""},
        {"a<b>&\"c\"'d'", "a&lt;b&gt;&amp;&quot;c&quot;&#39;d&#39;"},
        {"line\r\nnext\ttab", "line\r\nnext\ttab"},
        {std::string("nul\0bell\a", 9), "nul&#65533;bell&#65533;"},
        {"\xE1\xE9\xF1\xFC", "&#225;&#233;&#241;&#252;"},
        {"\x80 \x99 \x9F \xFF", "&#8364; &#8482; &#376; &#255;"},
        {"\x81\x7F", "&#65533;&#65533;"}, // undefined in the code page; DEL
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlText(c.In), c.Out) << Visible(c.In);
}

} // namespace
} // namespace kor
