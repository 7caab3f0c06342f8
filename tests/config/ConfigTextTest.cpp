#include "config/ConfigText.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <locale>

using namespace std::string_literals;

namespace kor {
namespace {

const std::string kWorkedUpload = "#USR=operator;PWD=;PORT=80;MAC=;BRAND=;\n"
                                  "#SSTART2\n"
                                  "#ACTION=Siren;TP=0;PARAMS=DISP=0$ON=1$;TT=#108001230;\n"
                                  "#ACTION=Clip;TP=1;PARAMS=PC=10.0.0.5$PA=1$;TT=;\n"
                                  "#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;SMTPH=;SMTPP=25;SNDADDR=;RPLYADDR=;"
                                  "CIDHEAD=;CLIENTNUM=;CRAIP=;CRAPORT=;\n"
                                  "#ZELK;BC=0;S0=1;S1=1;S2=1;S3=1;S4=1;S5=1;S6=1;S7=1;\n";

const std::string kWorkedProject = "#SSTART2\r\n"
                                   "#ACTION=Clip;TP=1;PARAMS=PC=10.0.0.5$PA=1$;TT=;\r\n"
                                   "#ACTION=Siren;TP=0;PARAMS=DISP=0$ON=1$;TT=#108001230;\r\n"
                                   "#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;SMTPH=;SMTPP=25;SNDADDR=;RPLYADDR=;"
                                   "CIDHEAD=;CLIENTNUM=;CRAIP=;CRAPORT=;\n\r\n"
                                   "#ZELK;BC=0;S0=1;S1=1;S2=1;S3=1;S4=1;S5=1;S6=1;S7=1;\r\n";

ConfigDocument FreshDocument()
{
    ConfigDocument doc;
    doc.InitialiseForStartUp(1);
    doc.ResetConfig();
    return doc;
}

ConfigDocument WorkedExample()
{
    ConfigDocument doc = FreshDocument();
    ActionRecord clip;
    clip.Type = 1;
    clip.Name = "Clip";
    clip.Params = "PC=10.0.0.5\0PA=1\0"s;
    doc.AddAction(2, clip);
    ActionRecord siren;
    siren.Type = 0;
    siren.Name = "Siren";
    siren.Params = "DISP=0\0ON=1\0"s;
    siren.TimeTable.Append(1, Interval{{8, 0, 0}, {12, 30, 0}});
    doc.AddAction(2, siren);
    return doc;
}

std::vector<Interval> DayList(const TimeTable& table, int day)
{
    return {table.Day(day).begin(), table.Day(day).end()};
}

ConfigDocument Load(const std::string& text, LoadResult* result = nullptr)
{
    ConfigDocument doc = FreshDocument();
    const LoadResult r = ParseConfigText(doc, text);
    if (result)
        *result = r;
    else
        EXPECT_TRUE(test::IsOk(r.Outcome));
    return doc;
}

TEST(ConfigText, WorkedExampleIsWrittenByteForByteAndReadsBackFromBothForms)
{
    const ConfigDocument expected = WorkedExample();
    EXPECT_EQ(BuildAlarmAppText(expected, DeviceLine{80, "operator", "", "", ""}), kWorkedUpload);
    EXPECT_EQ(BuildProjectText(expected), kWorkedProject) << test::Visible(BuildProjectText(expected));
    for (const std::string& text : {kWorkedUpload, kWorkedProject}) {
        const ConfigDocument doc = Load(text);
        EXPECT_EQ(doc.GeneralSettings, expected.GeneralSettings);
        EXPECT_EQ(doc.ZelkSettings, expected.ZelkSettings);
        ASSERT_EQ(doc.ActionCount(2), 2);
        // The upload form groups by type, so Siren (type 0) comes first there.
        const bool upload = text == kWorkedUpload;
        EXPECT_EQ(*doc.Action(2, upload ? 0 : 1), *expected.Action(2, 1));
        EXPECT_EQ(*doc.Action(2, upload ? 1 : 0), *expected.Action(2, 0));
        EXPECT_FALSE(doc.Saved) << "a loaded text that adds actions leaves the document unsaved";
    }
}

TEST(ConfigText, ProjectFileRoundTripIsByteIdentical)
{
    ConfigDocument doc = WorkedExample();
    // Every field away from its default, so the text pins that each one is read back.
    doc.GeneralSettings = {255, 4, 5, 6, "mail.example.invalid", "26", "s", "r", "5000", "n", "i", "p"};
    doc.ZelkSettings.BC = -12;
    doc.ZelkSettings.S[3] = false;
    doc.ZelkSettings.MSK[0] = true;
    doc.ZelkSettings.MSK[5] = true;
    ActionRecord odd;
    odd.Type = 42; // unknown types live in project files
    odd.Name = "Caf\xe9 \xab"
               "door\xbb";
    odd.Params = "A=\0B=x\0"s;
    odd.TimeTable.Append(7, Interval{{23, 59, 0}, {0, 0, 0}});
    odd.TimeTable.Append(3, Interval{{1, 2, 0}, {3, 4, 0}});
    odd.TimeTable.Append(3, Interval{{5, 6, 0}, {7, 8, 0}});
    doc.AddAction(120, odd);
    doc.AddAction(0, odd);

    const std::string first = BuildProjectText(doc);
    ConfigDocument loaded = Load(first);
    EXPECT_EQ(BuildProjectText(loaded), first);
    // A loaded action's parameters and time table view the loaded text: a copy keeps them after
    // the document is reset, and an edit of the document does not reach the copy.
    const ActionRecord copy = *loaded.Action(0, 0);
    loaded.AddInterval(0, 0, 3, Interval{{9, 0, 0}, {10, 0, 0}});
    EXPECT_EQ(loaded.DayIntervals(0, 0, 3).size(), 3u);
    loaded.ResetConfig();
    EXPECT_EQ(copy, odd);
}

TEST(ConfigText, WritersDiffer)
{
    ConfigDocument doc = FreshDocument();
    doc.InputOneAsSensor = 0;
    const std::int32_t types[] = {9, 2, 8, 7, 6, 5, 4, 3, 1, 0, 11, -1};
    for (std::int32_t t : types) {
        ActionRecord a;
        a.Type = t;
        a.Name = "t" + std::to_string(t);
        doc.AddAction(1, a);
    }
    ActionRecord gone;
    gone.Name = "gone";
    doc.AddAction(1, gone);
    doc.MarkDeleted(1, 12);
    ActionRecord onlyDeleted;
    doc.AddAction(7, onlyDeleted);
    doc.MarkDeleted(7, 0);

    const std::string upload = BuildAlarmAppText(doc, DeviceLine{-5, "u", "p", "m", "b"});
    std::string expectedUpload = "#USR=u;PWD=p;PORT=-5;MAC=m;BRAND=b;\n#SSTARTDEF\n";
    for (int t : {0, 1, 3, 4, 5, 6, 2, 7, 8, 9})
        expectedUpload += "#ACTION=t" + std::to_string(t) + ";TP=" + std::to_string(t) + ";PARAMS=;TT=;\n";
    expectedUpload += "#SSTART7\n";
    EXPECT_EQ(upload.substr(0, expectedUpload.size()), expectedUpload) << test::Visible(upload);
    EXPECT_EQ(upload.find("gone"), std::string::npos);

    const std::string project = BuildProjectText(doc);
    std::string expectedProject = "#SSTART1\r\n";
    for (std::int32_t t : types)
        expectedProject += "#ACTION=t" + std::to_string(t) + ";TP=" + std::to_string(t) + ";PARAMS=;TT=;\r\n";
    expectedProject += "#SSTART7\r\n#GENERAL;";
    EXPECT_EQ(project.substr(0, expectedProject.size()), expectedProject) << test::Visible(project);
}

TEST(ConfigText, ReaderRules)
{
    struct Case
    {
        const char* what;
        std::string text;
        int rule; // rule expected to hold the single action, -1 for none
        std::string name;
    };
    const Case cases[] = {
        {"action before any header goes to rule 0", "#ACTION=a;TP=0;PARAMS=;TT=;\n", 0, "a"},
        {"bad header keeps the previous rule", "#SSTART4\n#SSTART7x\n#ACTION=a;TP=0;\n", 4, "a"},
        {"upper-case DEF selects rule 1", "#SSTART5\n#SSTARTDEF\n#ACTION=a;\n", 1, "a"},
        {"index above 120 drops the action", "#SSTART121\n#ACTION=a;\n", -1, ""},
        {"negative index drops the action", "#SSTART-1\n#ACTION=a;\n", -1, ""},
        {"blanks around the index", "#SSTART 9 \n#ACTION=a;\n", 9, "a"},
        {"keywords without regard to case", "#sstart3\n#action=a;tp=0;\n", 3, "a"},
        {"leading blanks are removed", "   #SSTART6\n  #ACTION=a;  \n", 6, "a"},
        {"lines without # are ignored", "SSTART8\n#SSTART6\nACTION=x;\n#ACTION=a;\n", 6, "a"},
        {"CR alone ends a line and swallows the next byte", "#SSTART6\rX#ACTION=a;\r\n", 6, "a"},
        {"device line is ignored", "#USR=x;PWD=y;PORT=80;MAC=;BRAND=;\n#ACTION=a;\n", 0, "a"},
        {"last line without line end is read", "#SSTART10\n#ACTION=a;TP=0;", 10, "a"},
    };
    for (const Case& c : cases) {
        const ConfigDocument doc = Load(c.text);
        int found = -1;
        for (int r = 0; r < ConfigDocument::RuleCount; ++r) {
            if (doc.IsRuleUsed(r)) {
                EXPECT_EQ(found, -1) << c.what << ": more than one rule used";
                found = r;
            }
        }
        EXPECT_EQ(found, c.rule) << c.what;
        if (found >= 0) {
            EXPECT_EQ(doc.Action(found, 0)->Name, c.name) << c.what;
        }
    }
}

TEST(ConfigText, GeneralAndDetectorLines)
{
    struct Case
    {
        std::string text;
        GeneralSettings general;
        ZelkSettings zelk;
    };
    // Every field as written is read back by the project round trip; here what does not read.
    const Case cases[] = {
        // Numbers that do not read fall back to 2 (BC to 0), flags not written read as not set, and
        // the keyword is the text right after "#" whatever a value holds.
        {"#GENERAL;FS=x;FTM=;FSB= 7 ;SMTPH=action.example;\n#ZELK;BC=abc;\n",
         {2, 2, 7, 2, "action.example", "", "", "", "", "", "", ""},
         {}},
    };
    for (const Case& c : cases) {
        const ConfigDocument doc = Load(c.text);
        EXPECT_EQ(doc.GeneralSettings, c.general) << c.text;
        EXPECT_EQ(doc.ZelkSettings, c.zelk) << c.text;
    }
}

TEST(ConfigText, ValuesThatDoNotFitFailTheLoadAndKeepWhatCameBefore)
{
    const std::pair<std::string, int> cases[] = {
        {"#SSTART3\n#ACTION=a;\n#GENERAL;FS=256;\n#SSTART4\n#ACTION=b;\n", 3},
        {"#SSTART3\n#ACTION=a;\n#GENERAL;FTMB=-1;\n", 3},
        {"#SSTART3\n#ACTION=a;\n#SSTART40000\n#ACTION=b;\n", 3},
        {"#SSTART3\n#ACTION=a;\n#ACTION=b;TP=99999999999;\n", 3},
        {"#SSTART3\n#ACTION=a;\n#ZELK;BC=40000;\n", 3},
    };
    for (const auto& [text, line] : cases) {
        LoadResult result;
        const ConfigDocument doc = Load(text, &result);
        EXPECT_TRUE(result.Outcome.failed()) << text;
        EXPECT_EQ(result.Line, line) << text;
        EXPECT_FALSE(result.Outcome.reason().empty());
        EXPECT_EQ(doc.ActionCount(3), 1) << text;
        EXPECT_FALSE(doc.IsRuleUsed(4)) << text;
    }
}

TEST(ConfigText, ActionLineFields)
{
    const ConfigDocument doc = Load("#SSTART2\n"
                                    "#ACTION=Door;TP=x;PARAMS=A=1$B=2;TT=;\n"
                                    "#ACTION=;TP= 8 ;PARAMS=;TT=#1;\n"
                                    "#ACTION=Gate;TP=3;PARAMS=POSNAME=Porch$;TT=#208000900#110001100;\n"
                                    "#ACTION=In;PARAMS=XTT=#10800123$;TT=#7;\n");
    ASSERT_EQ(doc.ActionCount(2), 4);
    const ActionRecord& door = *doc.Action(2, 0);
    EXPECT_EQ(door.Type, 0) << "a type that is not a number reads as 0";
    EXPECT_EQ(door.Params, "A=1\0B=2"s) << "a value without its final NUL keeps its pairs";
    EXPECT_EQ(GetParam("B", door.Params), "") << "but the last pair cannot be found";
    EXPECT_EQ(doc.Action(2, 1)->Type, 8);
    EXPECT_TRUE(doc.Action(2, 1)->TimeTable.IsEmpty()) << "#1 alone gives no time table";
    const TimeTable& gate = doc.Action(2, 2)->TimeTable;
    EXPECT_EQ(DayList(gate, 1), (std::vector<Interval>{{{10, 0, 0}, {11, 0, 0}}}));
    EXPECT_TRUE(gate.Day(2).empty()) << "a day listed before a smaller one is missed";
    // TT is first found inside the parameters; both keep their own reading of the same bytes.
    EXPECT_EQ(doc.Action(2, 3)->Params, "XTT=#10800123\0"s);
    EXPECT_EQ(DayList(doc.Action(2, 3)->TimeTable, 1), (std::vector<Interval>{{{8, 0, 0}, {12, 0, 0}}}));
}

TEST(ConfigText, TimeTableText)
{
    struct Case
    {
        std::string text;
        std::vector<std::pair<int, std::vector<Interval>>> days;
    };
    const Case cases[] = {
        {"#108001230", {{1, {{{8, 0, 0}, {12, 30, 0}}}}}},
        {"#1080012301400180", {}}, // not a multiple of eight: dropped whole
        {"#10800123014001800#7000023590", {{1, {{{8, 0, 0}, {12, 30, 0}}, {{14, 0, 0}, {18, 0, 0}}}}}},
        {"#2aa001203#30800x900", {{2, {{{0, 0, 0}, {12, 3, 0}}}}, {3, {{{8, 0, 0}, {0, 0, 0}}}}}},
        {"#208000900#108001000", {{1, {{{8, 0, 0}, {10, 0, 0}}}}}}, // day 1 kept, day 2 lost
        {"#1", {}},
        {"garbage", {}},
    };
    for (const Case& c : cases) {
        const TimeTable table = ParseTimeTableText(c.text);
        TimeTable expected;
        for (const auto& [day, intervals] : c.days)
            expected.SetDay(day, intervals);
        EXPECT_EQ(table, expected) << c.text;
    }

    TimeTable t;
    t.Append(3, Interval{{7, 5, 30}, {19, 0, 59}});
    t.Append(1, Interval{{0, 0, 0}, {23, 59, 0}});
    EXPECT_EQ(TimeTableText(t), "#100002359#307051900") << "seconds are not written; days ascend";
}

TEST(ConfigText, GetConfigTextFillsByLinePosition)
{
    GeneralSettings g;
    g.SMTPH = "old";
    EXPECT_EQ(ParseGetConfigText(g, "a\nb\nc\nd\n5\r\n6\n7\n8\nskip\nhost\r\n2525\ns\nr\nc\nn\nip\nport\n"),
              kGetConfigFields);
    // A CR before LF is ignored on number lines; text lines keep theirs.
    EXPECT_EQ(g, (GeneralSettings{6, 5, 8, 7, "host\r", "2525", "s", "r", "c", "n", "ip", "port"}));

    GeneralSettings partial;
    partial.FTMB = 99;
    partial.SMTPH = "kept";
    EXPECT_EQ(ParseGetConfigText(partial, "1\n2\n3\n4\n10\n11\n300\n12\n"), 2);
    // The first value that does not convert stops the parse.
    EXPECT_EQ(partial, (GeneralSettings{11, 10, 0, 99, "kept", "", "", "", "", "", "", ""}));

    GeneralSettings empty;
    EXPECT_EQ(ParseGetConfigText(empty, ""), 0);
    EXPECT_EQ(empty, GeneralSettings{});
}

// Numbers leave the program the same whatever the user's locale says about separators.
struct CommaDecimals : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ConfigText, NumbersIgnoreTheUserLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    ConfigDocument doc = FreshDocument();
    doc.ZelkSettings.BC = 12345;
    ActionRecord a;
    a.Type = 1000;
    doc.AddAction(100, a);
    const std::string text = BuildProjectText(doc);
    const std::string point = DecimalPointText(1.5);
    const std::string small = DecimalPointText(-0.25);
    const std::string big = DecimalPointText(123456.125);
    std::locale::global(previous);

    EXPECT_NE(text.find("#SSTART100\r\n#ACTION=;TP=1000;"), std::string::npos) << text;
    EXPECT_NE(text.find("BC=12345;"), std::string::npos);
    EXPECT_EQ(point, "1.5");
    EXPECT_EQ(small, "-0.25");
    EXPECT_EQ(big, "123456.125");
    EXPECT_EQ(DecimalPointText(2.0), "2");
    EXPECT_EQ(DecimalPointText(-0.0), "0");
}

TEST(TextNumber, ReadsOnlyPlainDecimalNumbersThatFit)
{
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadNumberAs(" 255 ", byte), NumberRead::Ok);
    EXPECT_EQ(byte, 255);
    EXPECT_EQ(ReadNumberAs("+7", byte), NumberRead::Ok);
    EXPECT_EQ(ReadNumberAs("256", byte), NumberRead::OutOfRange);
    EXPECT_EQ(ReadNumberAs("99999999999999999999999", byte), NumberRead::OutOfRange);
    for (const char* bad : {"", " ", "1.5", "1e3", "&H10", "0x10", "- 1", "1 2", "--1", "+"})
        EXPECT_EQ(ReadNumberAs(bad, byte), NumberRead::NotNumber) << bad;
    std::int16_t word = 0;
    EXPECT_EQ(ReadNumberAs("-32768", word), NumberRead::Ok);
    EXPECT_EQ(word, -32768);
    EXPECT_EQ(ReadNumberAs("32768", word), NumberRead::OutOfRange);
}

} // namespace
} // namespace kor
