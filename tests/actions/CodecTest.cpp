// The ten editors' codecs: what each builds from its fields (byte for byte, keys in order, the
// conditional ones only under their conditions), what each opens from stored parameters (with
// the defaults of missing or odd values), and that a stored action reopens as it was typed.

#include "ActionsTestSupport.h"

#include "actions/ActionParams.h"
#include "actions/CallAction.h"
#include "actions/CameraMoveAction.h"
#include "actions/ContactIdAction.h"
#include "actions/FtpAction.h"
#include "actions/MailAction.h"
#include "actions/NotifyAction.h"
#include "actions/OutputAction.h"
#include "actions/RecordingAction.h"
#include "actions/RemoteAlarmAction.h"
#include "actions/UserAction.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

// Tables give a codec's fields up to the last one that matters; the rest keep a new action's.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace kor {
namespace {

using test::Params;

OutputAction OtherDevice(OutputAction a, bool ticked = true)
{
    a.OtherDevice = ticked;
    a.Ip = "10.0.0.9";
    a.Port = "8080";
    a.User = "op";
    a.Password = "xTM=5M";
    return a;
}
const MoveCamera kCamera{"10.0.0.7", "80", "root", "pass", "AXIS"};
const std::vector<MovePosition> kPositions = {{1, 2, 3}, {-0.5, 10.25, 1}, {0.1, -45, 2.5}};
const DeviceAccess kDevice{"10.0.0.2", "8080", "root", "p&w"};

std::string Move(const char* text, const char* tag)
{
    return BuildMoveParams(kCamera, MoveEntry{text, tag}, kPositions).value_or("(nothing)");
}

TEST(ActionCodecs, BuildTheKeysInOrderUnderTheirConditions)
{
    const struct
    {
        const char* Name;
        std::string Built;
        const char* Expected;
    } cases[] = {
        // Output activation: TM for on-off only with a duration above 0, for off-on always.
        {"output: new action", BuildOutputParams(OutputAction{}, "Seconds"), "DISP=0$ON=1$"},
        {"output: on-off 10 s", BuildOutputParams(OutputAction{1, 2, "10"}, "Seconds"),
         "DISP=1$ON=2$TM=10S$"},
        {"output: on-off 0", BuildOutputParams(OutputAction{1, 2, "0"}, "Seconds"), "DISP=1$ON=2$"},
        {"output: off-on 0", BuildOutputParams(OutputAction{1, 3, "0"}, "Seconds"), "DISP=1$ON=3$TM=0S$"},
        {"output: unit letter as shown", BuildOutputParams(OutputAction{1, 3, "5", 1}, "Minutos"),
         "DISP=1$ON=3$TM=5M$"},
        {"output: no unit text", BuildOutputParams(OutputAction{1, 3, "3"}, ""), "DISP=1$ON=3$TM=3$"},
        {"output: off never timed", BuildOutputParams(OutputAction{1, 0, "10"}, "Seconds"), "DISP=1$ON=0$"},
        {"output: another device before TM",
         BuildOutputParams(OtherDevice(OutputAction{1, 2, "10"}), "Seconds"),
         "DISP=1$ON=2$IP=10.0.0.9$PORT=8080$USR=op$PWD=xTM=5M$BRAND=$TM=10S$"},
        {"output: device fields unticked",
         BuildOutputParams(OtherDevice(OutputAction{1, 2, "10"}, false), "Seconds"), "DISP=1$ON=2$TM=10S$"},
        // Call and SMS: blanks dropped from number, PC address and port.
        {"call: digit groups", BuildCallParams(CallAction{" 600 12 34 "}), "TLFNO=6001234$SMS=$"},
        {"call: SMS", BuildCallParams(CallAction{"600", true, "Door open"}), "TLFNO=600$SMS=Door open$"},
        {"call: a call stores no message", BuildCallParams(CallAction{"600", false, "left"}),
         "TLFNO=600$SMS=$"},
        {"call: through a PC", BuildCallParams(CallAction{"600", true, "x", true, " 10.0.0.5 ", "5 58"}),
         "REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=558$TLFNO=600$SMS=x$"},
        // Contact ID: a restore is 3; zone and group as typed.
        {"contact id: alarm", BuildContactIdParams({true, "130", "G01", "Z002"}),
         "EVENTTYPE=1$CIDCODE=130$GID=G01$ZID=Z002$"},
        {"contact id: restore", BuildContactIdParams({false, "301", "g00", "z000"}),
         "EVENTTYPE=3$CIDCODE=301$GID=g00$ZID=z000$"},
        // FTP: always the six keys.
        {"ftp: typed", BuildFtpParams({"ftp.invalid", "21", "cam", "p=w", "/alarms", "door"}),
         "HOST=ftp.invalid$PORT=21$USER=cam$PWD=p=w$RD=/alarms$PRFX=door$"},
        // E-mail: ";" of the recipients as a blank, CR LF as <ipncr>, a lone CR or LF left alone.
        {"mail: recipients", BuildMailParams({"a@x.es; b@x.es", "c@x.es;d@x.es", "", ""}),
         "TO=a@x.es  b@x.es$CC=c@x.es d@x.es$SUBJECT=$MSG=$"},
        {"mail: two lines and an empty one", BuildMailParams({"", "", "", "a\r\n\r\nb\r\n"}),
         "TO=$CC=$SUBJECT=$MSG=a<ipncr><ipncr>b<ipncr>$"},
        {"mail: lone breaks", BuildMailParams({"", "", "Alarm", "a\nb\rc\n\rd"}),
         "TO=$CC=$SUBJECT=Alarm$MSG=a\nb\rc\n\rd$"},
        // Client notification: PORT 9034 unless a 32-bit number; SEN the rule; DESC as typed.
        {"notify: new action", BuildNotifyParams(NotifyAction{}, 3, ""),
         "CLNT=$PORT=9034$SEN=3$DESC=$SND=1$"},
        {"notify: typed", BuildNotifyParams({"10.0.0.7", "9100", false}, 57, "Hall"),
         "CLNT=10.0.0.7$PORT=9100$SEN=57$DESC=Hall$SND=0$"},
        {"notify: odd port", BuildNotifyParams({"1.2.3.4", "80a", true}, 120, "   "),
         "CLNT=1.2.3.4$PORT=9034$SEN=120$DESC=   $SND=1$"},
        {"notify: port beyond 32 bits", BuildNotifyParams({"1.2.3.4", "99999999999", true}, 1, ""),
         "CLNT=1.2.3.4$PORT=9034$SEN=1$DESC=$SND=1$"},
        // Recording: the PC's keys only for a PC, WMK only ticked.
        {"recording: camera", BuildRecordingParams(RecordingAction{}), ""},
        {"recording: key unticked",
         BuildRecordingParams(RecordingAction{false, "", false, "1", "10", false, "typed"}), ""},
        {"recording: camera, watermark",
         BuildRecordingParams(RecordingAction{false, "", false, "1", "10", true, "k3y"}), "WMK=k3y$"},
        {"recording: PC, all",
         BuildRecordingParams(RecordingAction{true, "10.1.2.3", true, "5", "30", true, "abc"}),
         "PC=10.1.2.3$PA=1$FR=5$TIME=30$WMK=abc$"},
        // User action: the device first, then the account.
        {"user: enable", BuildUserParams({"guest", true, false}, kDevice),
         "IP=10.0.0.2$PORT=8080$USR=root$PWD=p&w$USRB=guest$AC=1$FR=0$"},
        {"user: disable, force", BuildUserParams({"", false, true}, DeviceAccess{}),
         "IP=$PORT=$USR=$PWD=$USRB=$AC=0$FR=1$"},
        // Remote alarm.
        {"remote: camera", BuildRemoteAlarmParams({"10.0.0.4", "80", "u", "p", false, "75"}),
         "IP=10.0.0.4$PORT=80$USR=u$PWD=p$DEV=0$SEN=75$"},
        {"remote: detector", BuildRemoteAlarmParams({"10.0.0.5", "8080", "", "", true, "15"}),
         "IP=10.0.0.5$PORT=8080$USR=$PWD=$DEV=1$SEN=15$"},
        // Camera move: a ZZZ preset gets its suffix back; positions with a point separator.
        {"move: preset", Move("Gate", "P2"),
         "IP=10.0.0.7$PORT=80$USR=root$PWD=pass$BRAND=AXIS$CAMPRESET=Gate$POSNAME=Gate$"},
        {"move: ZZZ preset", Move("Gate", "PV2"),
         "IP=10.0.0.7$PORT=80$USR=root$PWD=pass$BRAND=AXIS$CAMPRESET=GateZZZ$POSNAME=Gate$"},
        {"move: third position", Move("Door", "3"),
         "IP=10.0.0.7$PORT=80$USR=root$PWD=pass$BRAND=AXIS$X=0.1$Y=-45$Z=2.5$POSNAME=Door$"},
        // A position the record does not hold is never written as zeros.
        {"move: position 4 of 3", Move("Gone", "4"), "(nothing)"},
        {"move: tag not a number", Move("Gone", "x"), "(nothing)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::Visible(c.Built), test::Visible(Params(c.Expected))) << c.Name;
}

// A load case: the stored text and whether the codec opened the expected fields.
template <typename T> std::function<bool(const std::string&)> Opens(T (*load)(std::string_view), T expected)
{
    return [load, expected](const std::string& stored) { return load(stored) == expected; };
}

TEST(ActionCodecs, LoadWithTheDefaultsOfMissingOrOddValues)
{
    RecordingAction pcDefaults = RecordingAction{true, "10.0.0.9", false, "1", "10"};
    const struct
    {
        const char* Stored;
        std::function<bool(const std::string&)> Expected;
    } cases[] = {
        {"DISP=3$ON=3$TM=15s$", Opens(&LoadOutputParams, OutputAction{3, 3, "15"})},
        {"DISP=3$ON=3$TM=15M$", Opens(&LoadOutputParams, OutputAction{3, 3, "15", 1})},
        {"DISP=3$ON=3$TM=15$", Opens(&LoadOutputParams, OutputAction{3, 3, "1", 1})},
        {"DISP=2$ON=7$", Opens(&LoadOutputParams, OutputAction{2, 0, "0"})},
        {"DISP=19$ON=1$", Opens(&LoadOutputParams, OutputAction{0, 1, "0"})},
        {"disp=4$on=2$tm=7s$", Opens(&LoadOutputParams, OutputAction{4, 2, "7"})},
        {"DISP=1$ON=1$PORT=81$", Opens(&LoadOutputParams, OutputAction{1, 1, "0"})},
        // A password holding "TM=" does not pass for the duration (GetParam would find it first).
        {"DISP=1$ON=2$IP=10.0.0.9$PORT=8080$USR=op$PWD=xTM=5M$BRAND=$TM=10S$",
         Opens(&LoadOutputParams, OtherDevice(OutputAction{1, 2, "10"}))},
        {"TLFNO=600$SMS=hi$", Opens(&LoadCallParams, CallAction{"600", true, "hi"})},
        {"REMOTE=1$REMOTEIP=$REMOTEPORT=80a$TLFNO=1$",
         Opens(&LoadCallParams, CallAction{"1", false, "", true, "", "558"})},
        {"REMOTE=0$REMOTEIP=pc$REMOTEPORT=81$TLFNO=1$",
         Opens(&LoadCallParams, CallAction{"1", false, "", false, "pc", "81"})},
        {"SMS=TLFNO=9$TLFNO=3$", Opens(&LoadCallParams, CallAction{"3", true, "TLFNO=9"})},
        {"EVENTTYPE=2$", Opens(&LoadContactIdParams, {false, "", "", ""})},
        {"ZID=Z9$GID=G8$CIDCODE=7$EVENTTYPE=1$", Opens(&LoadContactIdParams, {true, "7", "G8", "Z9"})},
        {"PRFX=p$HOST=h$", Opens(&LoadFtpParams, {"h", "", "", "", "", "p"})},
        {"HOST=h$PWD=xRD=/bad$RD=/good$", Opens(&LoadFtpParams, {"h", "", "", "xRD=/bad", "/good", ""})},
        {"TO=a@x.es  b@x.es$CC=c d$", Opens(&LoadMailParams, {"a@x.es;;b@x.es", "c;d", "", ""})},
        {"MSG=a<ipncr>b<IPNCR>c$SUBJECT= a  b $", Opens(&LoadMailParams, {"", "", " a  b ", "a\r\nb\r\nc"})},
        {"CLNT=10.0.0.7$PORT=9100$SEN=5$DESC=d$SND=0$",
         Opens(&LoadNotifyParams, {"10.0.0.7", "9100", false})},
        {"CLNT=10.0.0.7$", Opens(&LoadNotifyParams, {"10.0.0.7", "", true})},
        {"SND=yes$PORT=abc$", Opens(&LoadNotifyParams, {"", "abc", true})},
        {"WMK=abc$", Opens(&LoadRecordingParams, RecordingAction{false, "", false, "1", "10", true, "abc"})},
        {"WMK=$PA=1$FR=9$TIME=60$", Opens(&LoadRecordingParams, RecordingAction{})},
        {"PC=10.0.0.9$", Opens(&LoadRecordingParams, pcDefaults)},
        {"PC=10.0.0.9$PA=1$FR=7$TIME=45$",
         Opens(&LoadRecordingParams, RecordingAction{true, "10.0.0.9", true, "7", "45"})},
        {"PC=10.0.0.9$PA=yes$FR=fast$TIME=$", Opens(&LoadRecordingParams, pcDefaults)},
        {"PC=10.0.0.9$FR= 12 $",
         Opens(&LoadRecordingParams, RecordingAction{true, "10.0.0.9", false, "12", "10"})},
        {"USRB=ann$AC=0$FR=1$", Opens(&LoadUserParams, {"ann", false, true})},
        {"AC=$FR=x$", Opens(&LoadUserParams, {"", true, false})},
        {"AC=yes$FR= 1 $", Opens(&LoadUserParams, {"", false, true})},
        {"IP=1.2.3.4$USR=USRB=evil$USRB=bob$", Opens(&LoadUserParams, {"bob", true, false})},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(c.Expected(Params(c.Stored))) << test::Visible(c.Stored);
}

// Values holding what a value may carry ("=", "#", a letter beyond ASCII) reopen as typed; the
// project text carries any parameters byte for byte (its own round trip shows it).
TEST(ActionCodecs, AStoredActionReopensAsItWasTyped)
{
    const std::string v = "x=y#z\xE9!";
    const OutputAction output{5, 3, v, 1, true, v, v, v, v};
    const CallAction call{v, true, v, true, v, "9000"};
    const ContactIdAction cid{false, v, v, v};
    const FtpAction ftp{v, v, v, v, v, v};
    const MailAction mail{v + ";" + v, v, v, v + "\r\n" + v};
    const NotifyAction notify{v, "9100", false};
    const RecordingAction recording{true, v, true, "3", v, true, v};
    const UserAction user{v, false, true};
    const RemoteAlarmAction remote{v, v, v, v, true, "15"};
    EXPECT_EQ(LoadOutputParams(BuildOutputParams(output, "Minutes")), output);
    EXPECT_EQ(LoadCallParams(BuildCallParams(call)), call);
    EXPECT_EQ(LoadContactIdParams(BuildContactIdParams(cid)), cid);
    EXPECT_EQ(LoadFtpParams(BuildFtpParams(ftp)), ftp);
    EXPECT_EQ(LoadMailParams(BuildMailParams(mail)), mail);
    EXPECT_EQ(LoadNotifyParams(BuildNotifyParams(notify, 4, v)), notify);
    EXPECT_EQ(LoadRecordingParams(BuildRecordingParams(recording)), recording);
    EXPECT_EQ(LoadUserParams(BuildUserParams(user, {v, v, v, v})), user);
    EXPECT_EQ(LoadRemoteAlarmParams(BuildRemoteAlarmParams(remote)).Fields, remote);
}

// Unlike the substring search of GetParam, which finds "IP" inside "CRAIP".
TEST(ActionCodecs, ReadParamMatchesWholeKeysOnly)
{
    const struct
    {
        const char* Params;
        const char* Key;
        const char* Expected;
    } cases[] = {
        {"DISP=1$ON=2$", "on", "2"},
        {"CRAIP=10.0.0.1$IP=10.0.0.2$", "IP", "10.0.0.2"},
        {"PWD=aTM=5$TM=10S$", "TM", "10S"},
        {"A=1", "A", ""},           // the last pair must be ended
        {"A=$B=2$", "A", ""},       // empty value
        {"X$A=1$", "A", "1"},       // a piece without "=" is passed over
        {"A=1=2$A=3$", "A", "1=2"}, // the value runs to the NUL; the first pair wins
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadParam(Params(c.Params), c.Key), c.Expected) << c.Params;
}

} // namespace
} // namespace kor
