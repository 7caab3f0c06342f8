#include "rules/ConfigDiff.h"

#include "app/LanguageCatalogue.h"
#include "config/ConfigText.h"
#include "config/Cp1252.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

// One rule with an action of every type, every field set, and the settings and the device line.
const std::string kBase =
    "#USR=root;PWD=secret;PORT=80;MAC=00408C123456;BRAND=AXIS;\n"
    "#SSTART3\n"
    "#ACTION=Siren;TP=0;PARAMS=DISP=1$ON=2$TM=10S$IP=10.0.0.9$PORT=80$USR=op$PWD=pw$BRAND=$;TT=#108001800;\n"
    "#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n"
    "#ACTION=Rec;TP=1;PARAMS=PC=10.0.0.5$PA=1$FR=2$TIME=10$WMK=key$;TT=;\n"
    "#ACTION=Call;TP=2;PARAMS=REMOTE=1$REMOTEIP=10.0.0.6$REMOTEPORT=558$TLFNO=600123456$SMS=Alarm$;TT=;\n"
    "#ACTION=Move;TP=3;PARAMS=IP=10.0.0.7$PORT=80$USR=cam$PWD=cpw$BRAND=AXIS$CAMPRESET=Gate$POSNAME=Gate$;TT="
    ";\n"
    "#ACTION=Notify;TP=4;PARAMS=CLNT=10.0.0.8$PORT=9034$SEN=3$DESC=Gate$SND=1$;TT=;\n"
    "#ACTION=Remote;TP=5;PARAMS=IP=10.0.0.10$PORT=80$USR=r$PWD=rpw$DEV=0$SEN=SIMD1$;TT=;\n"
    "#ACTION=User;TP=6;PARAMS=IP=10.0.0.11$PORT=80$USR=u$PWD=upw$USRB=guard$AC=1$FR=0$;TT=;\n"
    "#ACTION=Mail;TP=7;PARAMS=TO=a@example.invalid$CC=$SUBJECT=Gate$MSG=Open$;TT=;\n"
    "#ACTION=Ftp;TP=8;PARAMS=HOST=ftp.example.invalid$PORT=21$USER=f$PWD=fpw$RD=/a$PRFX=p$;TT=;\n"
    "#ACTION=Cid;TP=9;PARAMS=EVENTTYPE=1$CIDCODE=130$GID=G01$ZID=Z003$;TT=;\n"
    "#GENERAL;FS=2;FTM=5;FSB=2;FTMB=5;SMTPH=mail.example.invalid;SMTPP=25;SNDADDR=;RPLYADDR=;CIDHEAD=5000;"
    "CLIENTNUM=1234;CRAIP=10.0.0.1;CRAPORT=9999;\n"
    "#ZELK;BC=5;S0=1;S1=1;S2=1;S3=1;S4=1;S5=1;S6=1;S7=1;MSK0=1;\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> Changes(const std::string& before, const std::string& after,
                                 const LangTextLookup& langText)
{
    ConfigDocument a;
    ConfigDocument b;
    a.InputOneAsSensor = b.InputOneAsSensor = 1;
    EXPECT_TRUE(ParseConfigText(a, before).Outcome.ok());
    EXPECT_TRUE(ParseConfigText(b, after).Outcome.ok());
    const std::optional<DeviceLine> da = ReadDeviceLine(before);
    const std::optional<DeviceLine> db = ReadDeviceLine(after);
    std::vector<std::string> lines;
    for (const ConfigChange& c : DiffConfigs({&a, da ? &*da : nullptr}, {&b, db ? &*db : nullptr}, langText))
        lines.push_back(c.Text);
    return lines;
}

TEST(ConfigDiff, EachChangeIsNamedAsTheEditorsShowIt)
{
    LanguageCatalogue english;
    ASSERT_TRUE(
        test::IsOk(english.LoadFile(test::SourceDir() + QStringLiteral("/resources/lang/DefKorEn.lng"))));
    const LangTextLookup langText = [&english](int n) { return ToCp1252(english.Text(n)); };
    const std::string rule = "Rule 3 (SIMD3), ";
    const struct
    {
        std::string From;
        std::string To;
        std::vector<std::string> Expected;
    } cases[] = {
        {"DISP=1", "DISP=3", {rule + "action 0 \"Siren\": Output: Output 01 -> Output 03"}},
        {"ON=2$TM=10S", "ON=3$TM=10S", {rule + "action 0 \"Siren\": Mode: On, then off -> Off, then on"}},
        {"TM=10S", "TM=15M", {rule + "action 0 \"Siren\": Duration: 10 Seconds -> 15 Minutes"}},
        {"USR=op$PWD=pw", "USR=op$PWD=new-secret", {rule + "action 0 \"Siren\": Password: changed"}},
        {"#ACTION=Siren;", "#ACTION=Horn;", {rule + "action 0 \"Horn\": Description: Siren -> Horn"}},
        {"TT=#108001800;",
         "TT=#108001900;",
         {rule + "action 0 \"Siren\": Monday 08:00-18:00 removed",
          rule + "action 0 \"Siren\": Monday 08:00-19:00 added"}},
        {"PA=1", "PA=0", {rule + "action 2 \"Rec\": Include the pre-alarm pictures: yes -> no"}},
        {"POSNAME=Gate", "POSNAME=Yard", {rule + "action 4 \"Move\": Positions: Gate -> Yard"}},
        {"DESC=Gate", "DESC=Yard", {rule + "action 5 \"Notify\": DESC: Gate -> Yard"}},
        {"DEV=0",
         "DEV=1",
         {rule + "action 6 \"Remote\": Target: Camera with the alarm application -> Detector"}},
        {"AC=1", "AC=0", {rule + "action 7 \"User\": User action: Enable -> Disable"}},
        {"CC=$", "CC=b@example.invalid$", {rule + "action 8 \"Mail\": Cc: (empty) -> b@example.invalid"}},
        {"RD=/a", "RD=/b", {rule + "action 9 \"Ftp\": Remote folder: /a -> /b"}},
        {"EVENTTYPE=1", "EVENTTYPE=3", {rule + "action 10 \"Cid\": Type: Alarm -> Restore"}},
        // Moved: the second output action goes first; changed actions are never a removal and an addition.
        {"#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n", "", {rule + "action 1 \"Strobe\": removed"}},
        {"#SSTART3\n#ACTION=Siren",
         "#SSTART3\n#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n#ACTION=Siren",
         {rule + "action 0 \"Strobe\": added"}},
        {"#GENERAL",
         "#SSTART5\n#ACTION=Lamp;TP=0;PARAMS=DISP=4$ON=1$;TT=;\n#GENERAL",
         {"Rule 5 (SIMD5): added", "Rule 5 (SIMD5), action 0 \"Lamp\": added"}},
        {"FTM=5", "FTM=6", {"General settings: Pre-alarm seconds: 5 -> 6"}},
        {"S2=1;", "", {"Detector: Input 3: Active -> Inactive"}},
        {"MSK0=1;", "", {"Detector: Masks 1: yes -> no"}},
        {"BC=5", "BC=7", {"Detector: Base code: 5 -> 7"}},
        {"PORT=80;MAC", "PORT=8080;MAC", {"Device: Port: 80 -> 8080"}},
        {"PWD=secret", "PWD=new-secret", {"Device: Password: changed"}},
    };
    for (const auto& c : cases) {
        const std::string after = Replaced(kBase, c.From, c.To);
        const std::vector<std::string> lines = Changes(kBase, after, langText);
        EXPECT_EQ(lines, c.Expected) << c.From;
        for (const std::string& line : lines)
            EXPECT_EQ(line.find("secret"), std::string::npos) << line;
        // The other way round names as many changes.
        EXPECT_EQ(Changes(after, kBase, langText).size(), c.Expected.size()) << c.From;
    }
    EXPECT_TRUE(Changes(kBase, kBase, langText).empty());
}

TEST(ConfigDiff, MovedActionsAreNamedOnceAmongTheirType)
{
    const LangTextLookup marker = [](int n) {
        return n == 1204 ? std::string("moved %1>%2") : std::string("%1");
    };
    const std::string moved =
        Replaced(Replaced(kBase, "#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n", ""), "#ACTION=Siren",
                 "#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n#ACTION=Siren");
    ConfigDocument a;
    ConfigDocument b;
    ASSERT_TRUE(ParseConfigText(a, kBase).Outcome.ok());
    ASSERT_TRUE(ParseConfigText(b, moved).Outcome.ok());
    const std::vector<ConfigChange> changes = DiffConfigs({&a}, {&b}, marker);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Kind, ChangeKind::ActionMoved);
    EXPECT_EQ(changes[0].From, 1);
    EXPECT_EQ(changes[0].Action, 0);
    EXPECT_EQ(changes[0].ActionName, "Strobe");
    // An output action written after the e-mail action is no move: the upload groups them by type.
    const std::string regrouped =
        Replaced(Replaced(kBase, "#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n", ""), "#GENERAL",
                 "#SSTART3\n#ACTION=Strobe;TP=0;PARAMS=DISP=2$ON=1$;TT=;\n#GENERAL");
    ConfigDocument c;
    ASSERT_TRUE(ParseConfigText(c, regrouped).Outcome.ok());
    EXPECT_TRUE(DiffConfigs({&a}, {&c}, marker).empty());
}

} // namespace
} // namespace kor
