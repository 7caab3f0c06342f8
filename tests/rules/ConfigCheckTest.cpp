#include "rules/ConfigCheck.h"

#include "actions/FtpAction.h"
#include "actions/OutputAction.h"
#include "config/ConfigText.h"

#include <gtest/gtest.h>

#include <functional>

namespace kor {
namespace {

ConfigDocument Clean()
{
    ConfigDocument doc;
    doc.InitialiseForStartUp(1);
    doc.GeneralSettings.SMTPH = "mail.example.invalid";
    doc.GeneralSettings.CRAIP = "10.1.1.1";
    return doc;
}

ActionRecord Action(std::int32_t type, std::string params = {}, bool timed = false)
{
    ActionRecord a{type, "A" + std::to_string(type), std::move(params), {}, false};
    if (timed)
        a.TimeTable.Append(1, Interval{{8, 0, 0}, {18, 0, 0}});
    return a;
}

std::string OutputParams(std::uint8_t mode)
{
    OutputAction o;
    o.Mode = mode;
    return BuildOutputParams(o, "s");
}

TEST(ConfigCheck, OneFindingPerProblemWithItsRuleAndAction)
{
    const struct
    {
        const char* Name;
        std::function<void(ConfigDocument&)> Change;
        std::vector<std::string> Codes; // expected, in order
    } cases[] = {
        {"clean", [](ConfigDocument& d) { d.AddAction(3, Action(ActMail)); }, {}},
        {"mail without server",
         [](ConfigDocument& d) {
             d.GeneralSettings.SMTPH = "  ";
             d.AddAction(3, Action(ActMail));
         },
         {"mail-server-empty"}},
        {"contact id without centre",
         [](ConfigDocument& d) {
             d.GeneralSettings.CRAIP = "0.0.0.0";
             d.AddAction(3, Action(ActContactId));
         },
         {"alarm-centre-empty"}},
        {"ftp without host",
         [](ConfigDocument& d) { d.AddAction(3, Action(ActFtp, BuildFtpParams({}))); },
         {"ftp-host-empty"}},
        {"output on, no table",
         [](ConfigDocument& d) { d.AddAction(3, Action(ActOutput, OutputParams(OutputAction::On))); },
         {"output-on-always"}},
        {"output on, timed",
         [](ConfigDocument& d) { d.AddAction(3, Action(ActOutput, OutputParams(OutputAction::On), true)); },
         {}},
        {"output pulse, no table",
         [](ConfigDocument& d) { d.AddAction(3, Action(ActOutput, OutputParams(OutputAction::OnOff))); },
         {}},
        {"unknown type", [](ConfigDocument& d) { d.AddAction(3, Action(12)); }, {"unknown-type"}},
        // A host given: no finding of its own.
        {"pairs without a value or a key",
         [](ConfigDocument& d) { d.AddAction(3, Action(ActFtp, std::string("HOST=h\0=x\0", 10))); },
         {"params-split"}},
        {"deleted action is not checked",
         [](ConfigDocument& d) {
             d.AddAction(3, Action(12));
             d.MarkDeleted(3, 0);
         },
         {}},
        {"setting outside the spinner",
         [](ConfigDocument& d) { d.GeneralSettings.FTM = 11; },
         {"setting-out-of-range"}},
        {"what the screens refuse",
         [](ConfigDocument& d) {
             d.AddAction(3, Action(ActMail));
             d.AddInterval(3, 0, 2, Interval{{10, 0, 0}, {9, 0, 0}});
             d.AddAction(13, Action(ActMail));
             d.ZelkSettings.BC = -1;
         },
         {"interval-not-after-start", "rule-not-a-source", "base-code-out-of-range"}},
        {"buffers too large",
         [](ConfigDocument& d) {
             d.GeneralSettings.FS = 4;
             d.GeneralSettings.FTM = 3;
         },
         {"buffer-too-large"}},
    };
    for (const auto& c : cases) {
        ConfigDocument doc = Clean();
        c.Change(doc);
        std::vector<std::string> codes;
        for (const CheckFinding& f : CheckConfig(doc)) {
            codes.push_back(f.Code);
            if (f.Code != "setting-out-of-range" && f.Code != "buffer-too-large" &&
                f.Code != "rule-not-a-source" && f.Code != "base-code-out-of-range") {
                EXPECT_EQ(f.Rule, 3) << c.Name;
                EXPECT_EQ(f.Action, 0) << c.Name;
                EXPECT_FALSE(f.ActionName.empty()) << c.Name;
            }
        }
        EXPECT_EQ(codes, c.Codes) << c.Name;
    }
    // "PWD=p$$w" as an earlier file stored it reads back as PWD=p, an empty piece and "w".
    ConfigDocument split = Clean();
    split.AddAction(3, Action(ActFtp, std::string("HOST=h\0PWD=p\0\0w\0", 16)));
    const std::vector<CheckFinding> findings = CheckConfig(split);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_NE(findings[0].Message.find("the piece after PWD is no KEY=VALUE pair"), std::string::npos)
        << findings[0].Message;
}

TEST(ConfigCheck, TimeTablesThatReadingWouldLoseAreFoundInTheText)
{
    const std::string text = "#SSTART3\r\n"
                             "#ACTION=Good;TP=6;PARAMS=;TT=#108001230#212001300;\r\n"
                             "#ACTION=Short;TP=6;PARAMS=;TT=#10800123045678;\r\n"
                             "#ACTION=Backwards;TP=6;PARAMS=;TT=#208001230#108001230;\r\n";
    ConfigDocument doc = Clean();
    ASSERT_TRUE(ParseConfigText(doc, text).Outcome.ok());
    const std::vector<CheckFinding> findings = CheckConfig(doc, text);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].Code, "time-table-unreadable");
    EXPECT_EQ(findings[0].ActionName, "Short");
    EXPECT_NE(findings[0].Message.find("line 3"), std::string::npos) << findings[0].Message;
    EXPECT_EQ(findings[1].ActionName, "Backwards");
    EXPECT_NE(findings[1].Message.find("the camera gets '#108001230'"), std::string::npos)
        << findings[1].Message;
}

} // namespace
} // namespace kor
