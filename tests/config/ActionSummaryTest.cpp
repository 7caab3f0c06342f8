#include "config/ActionSummary.h"
#include "config/ParamString.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

// Language texts as "<n>", so every looked-up word shows where it came from (the summaries in the
// shipped languages are checked with the catalogues).
std::string Marker(int n)
{
    return "<" + std::to_string(n) + ">";
}

ActionRecord Action(std::int32_t type, std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    ActionRecord action;
    action.Type = type;
    for (const auto& [key, value] : pairs)
        AppendParam(action.Params, key, value);
    return action;
}

struct Case
{
    const char* Name;
    ActionRecord Record;
    const char* Expected;
};

TEST(ActionSummary, EveryTypeAndBranch)
{
    const Case cases[] = {
        // Type 0: output, mode, duration, other device.
        {"output 0 on-off", Action(0, {{"DISP", "0"}, {"ON", "2"}}), "<231> <251>"},
        {"output 0 written 00", Action(0, {{"DISP", "00"}, {"ON", "1"}}), "<230> <251>"},
        {"output 5, all pieces", Action(0, {{"DISP", "5"}, {"ON", "0"}, {"TM", "10s"}, {"IP", "10.0.0.9"}}),
         "<233> <234> 5 <235> 10s <236> 10.0.0.9"},
        {"mode on", Action(0, {{"DISP", "1"}, {"ON", "1"}}), "<230> <234> 1"},
        {"mode off-on", Action(0, {{"DISP", "16"}, {"ON", "3"}}), "<232> <234> 16"},
        {"mode 01 is not 1", Action(0, {{"DISP", "2"}, {"ON", "01"}}), "<233> <234> 2"},
        {"output 17 on", Action(0, {{"DISP", "17"}, {"ON", "1"}}), "<227>"},
        {"output 17 on as 01", Action(0, {{"DISP", "17"}, {"ON", "01"}}), "<227>"},
        {"output 17 off", Action(0, {{"DISP", "17"}, {"ON", "0"}}), "<228>"},
        {"output 18", Action(0, {{"DISP", "18"}, {"ON", "3"}, {"TM", "5M"}}), "<229> <235> 5M"},
        {"output 017 is a plain output", Action(0, {{"DISP", "017"}, {"ON", "1"}}), "<230> <234> 017"},
        {"output missing", Action(0, {{"ON", "1"}, {"TM", "3S"}, {"IP", "10.0.0.2"}}),
         " <235> 3S <236> 10.0.0.2"},
        {"output not a number", Action(0, {{"DISP", "x"}, {"ON", "1"}}), ""},
        {"output beyond 64 bits", Action(0, {{"DISP", "99999999999999999999"}, {"ON", "1"}}),
         "<230> <234> 99999999999999999999"},
        // Type 1: recording.
        {"record on PC", Action(1, {{"PC", "10.0.0.5"}, {"PA", "1"}}), "<237> 10.0.0.5"},
        {"record in camera", Action(1, {{"WMK", "k"}}), "<238>"},
        // Type 2: call or SMS.
        {"SMS", Action(2, {{"TLFNO", "600111222"}, {"SMS", "Alarm!"}}), "<239> 600111222"},
        {"call", Action(2, {{"TLFNO", "600111222"}, {"SMS", ""}}), "<240> 600111222"},
        // Types 3, 4, 5, 7, 8.
        {"move", Action(3, {{"IP", "10.0.0.1"}, {"PWD", "p"}, {"POSNAME", "Door"}}), "<241> Door"},
        {"notify", Action(4, {{"CLNT", "10.0.0.7"}, {"PORT", "9034"}}), "<242> 10.0.0.7"},
        {"remote alarm", Action(5, {{"IP", "10.0.0.8"}, {"PWD", "p"}, {"DEV", "0"}, {"SEN", "75"}}),
         "<243> 10.0.0.8 - <247> 75"},
        {"e-mail", Action(7, {{"TO", "a@b.es c@d.es"}, {"SUBJECT", "x"}}), "<250> a@b.es c@d.es"},
        {"FTP", Action(8, {{"HOST", "ftp.example.com"}, {"PWD", "p"}}), "FTP ftp.example.com"},
        // Type 6: user action.
        {"user enabled, forced", Action(6, {{"USRB", "x"}, {"AC", "1"}, {"FR", "1"}}), "<248>  x <246> "},
        {"user disabled", Action(6, {{"USRB", "x"}, {"AC", "0"}, {"FR", "0"}}), "<245>  x"},
        {"user FR 01 is not forced", Action(6, {{"USRB", "x"}, {"AC", "1"}, {"FR", "01"}}), "<248>  x"},
        // Type 9: Contact ID (fixed words).
        {"contact ID alarm",
         Action(9, {{"EVENTTYPE", "1"}, {"CIDCODE", "130"}, {"GID", "G01"}, {"ZID", "Z003"}}),
         "ALARM 130 G01 Z003"},
        {"contact ID restore, no group", Action(9, {{"EVENTTYPE", "0"}, {"CIDCODE", "130"}, {"ZID", "Z003"}}),
         "RESTORE 130  Z003"},
        // Unknown types.
        {"type 10", Action(10, {{"DISP", "1"}}), ""},
        // Keys match as in any parameter string: without case, first textual match, NUL-ended.
        {"tail of a longer key", Action(3, {{"XPOSNAME", "first"}, {"POSNAME", "second"}}), "<241> first"},
        {"last pair without NUL", ActionRecord{4, "", "CLNT=10.0.0.7", {}, false}, "<242> "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ActionSummary(c.Record, Marker), c.Expected) << c.Name;
}

TEST(ActionSummary, PasswordsNeverShow)
{
    // A password holding another key's "KEY=" would otherwise be found first by the textual search.
    const Case cases[] = {
        {"output",
         Action(0, {{"DISP", "1"}, {"ON", "2"}, {"IP", "10.0.0.9"}, {"PWD", "aTM=secret"}, {"TM", "10S"}}),
         "<231> <234> 1 <235> 10S <236> 10.0.0.9"},
        {"remote alarm", Action(5, {{"IP", "10.0.0.8"}, {"PWD", "SEN=secret"}, {"DEV", "0"}, {"SEN", "3"}}),
         "<243> 10.0.0.8 - <247> 3"},
        {"user", Action(6, {{"PWD", "USRB=secret"}, {"USRB", "x"}, {"AC", "1"}}), "<248>  x"},
        {"lower-case key", Action(6, {{"pwd", "USRB=secret"}, {"USRB", "x"}}), "<245>  x"},
        {"FTP", Action(8, {{"USER", "u"}, {"PWD", "HOST=secret"}, {"HOST", "h"}}), "FTP h"},
    };
    for (const Case& c : cases) {
        const std::string summary = ActionSummary(c.Record, Marker);
        EXPECT_EQ(summary, c.Expected) << c.Name;
        EXPECT_EQ(summary.find("secret"), std::string::npos) << c.Name;
    }
}

TEST(ActionSummary, FromTheDocument)
{
    ConfigDocument doc;
    doc.AddAction(3, Action(7, {{"TO", "a@b.es"}}));
    doc.AddAction(3, Action(8, {{"HOST", "h"}}));
    doc.MarkDeleted(3, 1);
    EXPECT_EQ(ActionSummary(doc, 3, 0, Marker), "<250> a@b.es");
    EXPECT_EQ(ActionSummary(doc, 3, 1, Marker), "FTP h") << "deleted actions still have a summary";
    EXPECT_EQ(ActionSummary(doc, 3, 2, Marker), "");
    EXPECT_EQ(ActionSummary(doc, 121, 0, Marker), "");
}

} // namespace
} // namespace kor
