// The editors' form models: what the fields leave enabled, what a choice fills in, the key
// filters, the checks in their order with their texts, and the characters every stored value is
// refused for.

#include "ActionsTestSupport.h"

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
#include "config/ConfigText.h"

#include <gtest/gtest.h>

#include <functional>

namespace kor {
namespace {

using test::Params;

const DetectorNumbering kZelk{2, 1, 4, 0};
const MoveCamera kCamera{"10.0.0.7", "80", "root", "pass", "AXIS"};
const TypedOutside kNone;

FormCheck Fixed(const char* text)
{
    return FormCheck::RefuseFixed(text);
}

TEST(ActionForms, WhatTheFieldsEnableAndWhatAChoiceFillsIn)
{
    const auto output = [](int position, std::uint8_t mode) {
        OutputAction a;
        a.Mode = mode;
        return ChooseOutput(a, position);
    };
    // The detector alarm only switches on; arming is never timed; other outputs keep the mode.
    EXPECT_EQ(output(18, 3).Mode, OutputAction::On);
    EXPECT_EQ(output(18, 0).Mode, OutputAction::On);
    EXPECT_EQ(output(17, 2).Mode, OutputAction::On);
    EXPECT_EQ(output(17, 0).Mode, OutputAction::Off);
    EXPECT_EQ(output(5, 3).Mode, OutputAction::OffOn);
    EXPECT_EQ(OutputViewOf(output(18, 1)), (OutputView{false, false, false, false}));
    EXPECT_EQ(OutputViewOf(output(17, 0)), (OutputView{true, false, false, false}));
    OutputAction device = output(1, 2);
    device.OtherDevice = true;
    EXPECT_EQ(OutputViewOf(device), (OutputView{true, true, true, true}));
    EXPECT_EQ(DurationLeft("  "), "0");
    EXPECT_EQ(DurationLeft("12"), "12");

    const CallAction sms{"1", true, "m", false, "", "558"};
    EXPECT_EQ(CallViewOf(sms, false), (CallView{true, false, true}));
    EXPECT_EQ(CallViewOf(ForPc(CallAction{}), true), (CallView{false, true, false}));

    RecordingAction recording;
    EXPECT_EQ(RecordingViewOf(recording), (RecordingView{false, false}));
    recording.OnPc = recording.Watermark = true;
    EXPECT_EQ(RecordingViewOf(recording), (RecordingView{true, true}));
    EXPECT_EQ(RemoteAlarmViewOf(RemoteAlarmAction{}), (RemoteAlarmView{true, false}));
    EXPECT_EQ(RemoteAlarmViewOf({"", "", "", "", true, ""}), (RemoteAlarmView{false, true}));

    // A pick fills in the code; a typed code the list knows shows its entry.
    EXPECT_EQ(PickedEventCode(EventCodePosition(" 130 ")), "130");
    EXPECT_EQ(EventCodePosition("999"), -1);
    EXPECT_EQ(PickedEventCode(-1), "");
    // The message box's line breaks, whatever their form, are CR LF in the action.
    EXPECT_EQ(MessageFromBox("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(MessageToBox("a\r\nb"), "a\nb");
}

TEST(ActionForms, KeyFilters)
{
    const struct
    {
        KeyFilter Filter;
        const char* Accepted;
        const char* Dropped;
    } cases[] = {
        {kNumberKeys, "0123456789\b", " a-+.;"},
        {kPcPortKeys, "09 \b", "a-."},
        {KeyFilter::Any, "a;$ 1", ""},
    };
    for (const auto& c : cases) {
        for (const char* k = c.Accepted; *k; ++k)
            EXPECT_TRUE(KeyAccepted(c.Filter, static_cast<unsigned char>(*k))) << *k;
        for (const char* k = c.Dropped; *k; ++k)
            EXPECT_FALSE(KeyAccepted(c.Filter, static_cast<unsigned char>(*k))) << *k;
    }
}

TEST(ActionForms, ChecksInTheirOrderWithTheirTexts)
{
    const auto cid = [](const char* code, const char* group, const char* zone) {
        return CheckContactIdForm({true, code, group, zone}, "", kNone);
    };
    const char* code = "Debe elegir el c\xC3\xB3"
                       "digo del ContactID.";
    const char* zone = "Error c\xC3\xB3"
                       "digo de Zona.";
    const char* group = "Error c\xC3\xB3"
                        "digo de Grupo.";
    const auto recording = [](const char* pc, const char* key, const char* repeated, bool watermark) {
        return CheckRecordingForm({*pc != 0, pc, false, "1", "10", watermark, key}, repeated, "", kNone);
    };
    const struct
    {
        const char* Name;
        FormCheck Got;
        FormCheck Expected;
    } cases[] = {
        {"cid: the defaults with a code", cid("130", "G00", "Z000"), FormCheck::Store()},
        {"cid: lower-case letters pass", cid("130", "g12", "z345"), FormCheck::Store()},
        {"cid: no code, bad zone and group: the code first", cid("", "X", "Y"), Fixed(code)},
        {"cid: zone of three", cid("1", "G00", "Z00"), Fixed(zone)},
        {"cid: zone of five", cid("1", "G00", "Z0000"), Fixed(zone)},
        {"cid: zone not Z", cid("1", "G00", "A000"), Fixed(zone)},
        {"cid: zone with a letter", cid("1", "G00", "Z0A0"), Fixed(zone)},
        {"cid: zone with a sign", cid("1", "G00", "Z-12"), Fixed(zone)},
        {"cid: zone with a blank", cid("1", "G00", "Z 12"), Fixed(zone)},
        {"cid: bad zone and group: the zone first", cid("1", "G", "Z"), Fixed(zone)},
        {"cid: group of two", cid("1", "G0", "Z000"), Fixed(group)},
        {"cid: group of four", cid("1", "G000", "Z000"), Fixed(group)},
        {"cid: group not G", cid("1", "Z00", "Z000"), Fixed(group)},
        {"cid: group with a sign", cid("1", "G+1", "Z000"), Fixed(group)},
        {"recording: in the camera", recording("", "", "", false), FormCheck::Store()},
        {"recording: PC without address", recording("0.0.0.0", "a", "b", false), FormCheck::Refuse(824)},
        {"recording: keys differ, unticked", recording("", "a", "b", false), FormCheck::Refuse(825)},
        {"recording: keys match", recording("10.0.0.1", "a", "a", true), FormCheck::Store()},
        {"notify: no address", CheckNotifyForm({"0.0.0.0", "1", true}, "", kNone), FormCheck::Refuse(800)},
        {"notify: blank address", CheckNotifyForm({"", "1", true}, "", kNone), FormCheck::Refuse(800)},
        {"notify: an address", CheckNotifyForm({"10.0.0.1", "", true}, "", kNone), FormCheck::Store()},
        {"move: nothing selected", CheckMoveForm({{"Gate", "P1"}}, -1, kCamera, "", kNone),
         FormCheck::CloseWithoutStoring()},
        {"move: an entry", CheckMoveForm({{"Gate", "P1"}}, 0, kCamera, "", kNone), FormCheck::Store()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Expected) << c.Name;

    // Remote alarm: the address first; an empty port becomes 80 even when a missing choice then
    // keeps the editor open without a word.
    RemoteAlarmAction remote{"0.0.0.0", "", "", "", false, ""};
    EXPECT_EQ(CheckRemoteAlarmForm(remote, RemoteAlarmChoice{}, "", kNone), FormCheck::Refuse(800));
    remote.Ip = "10.0.0.4";
    EXPECT_EQ(CheckRemoteAlarmForm(remote, RemoteAlarmChoice{3, -1}, "", kNone), FormCheck::RefuseSilently());
    EXPECT_EQ(remote.Port, "80");
    EXPECT_EQ(CheckRemoteAlarmForm(remote, RemoteAlarmChoice{3, 6}, "", kNone), FormCheck::Store());
    remote.Detector = true;
    EXPECT_EQ(CheckRemoteAlarmForm(remote, RemoteAlarmChoice{3, 6, 1, 0}, "", kNone),
              FormCheck::RefuseSilently());
}

TEST(ActionForms, RemoteAlarmChoicesBothWays)
{
    // Kind "SDMC", its seventh source: SEN=75. Edge 0 -> 1, device 1, port 3: 1 x 8 + 1 x 4 + 3.
    EXPECT_EQ(RemoteAlarmSen({}, RemoteAlarmChoice{3, 6}, kZelk), "75");
    RemoteAlarmAction detector;
    detector.Detector = true;
    EXPECT_EQ(RemoteAlarmSen(detector, RemoteAlarmChoice{-1, -1, 1, 0, 3}, kZelk), "15");
    const struct
    {
        const char* Stored;
        bool Complete;
        RemoteAlarmChoice Choice;
    } cases[] = {
        {"IP=1.2.3.4$DEV=0$SEN=75$", true, {3, 6}},
        {"DEV=0$SEN=101$", true, {4, 1}}, // "Tampering"
        {"DEV=0$SEN=abc$", true, {1, 0}}, // not a number: rule 0
        {"DEV=0$SEN=13$", true, {}},      // no kind holds it: nothing chosen
        {"DEV=1$SEN=15$", true, {-1, -1, 1, 0, 3}},
        {"DEV=7$SEN=12$", true, {-1, -1, 1, 0, 0}},
        {"DEV=1$SEN=9$", false, {}}, // device 2 shares its bit with the edge: cannot be selected back
        {"DEV=1$SEN=-3$", false, {}},
        {"IP=1.2.3.4$SEN=75$", false, {}}, // no DEV: the load ends after the address fields
        {"DEV=x$", false, {}},
    };
    for (const auto& c : cases) {
        const RemoteAlarmForm form = LoadRemoteAlarmForm(Params(c.Stored), kZelk);
        EXPECT_EQ(form.Complete, c.Complete) << c.Stored;
        EXPECT_EQ(form.Choice, c.Choice) << c.Stored;
    }
    EXPECT_EQ(LoadRemoteAlarmForm(Params("IP=1.2.3.4$SEN=75$"), kZelk).Fields.Ip, "1.2.3.4");
    const std::pair<std::int64_t, std::int64_t> pow2[] = {
        {-5, 1}, {0, 1}, {3, 4}, {8, 8}, {9, 16}, {1 << 30, 1 << 30}, {(1 << 30) + 1, 0}};
    for (const auto& [in, out] : pow2)
        EXPECT_EQ(NextPow2(in), out) << in;
    // A profile as large as 16 bits allow does not overflow.
    EXPECT_EQ(DetectorEventNumber(1, 32767, 5, DetectorNumbering{32767, 1, 32767, 0}),
              (std::int64_t{1} << 30) + std::int64_t{32767} * 32767 + 5);
    EXPECT_FALSE(DetectorPositionsOf(5, DetectorNumbering{}));
}

TEST(ActionForms, TheCameraPresetListEndsWhereTheAnswerStopsBeingAList)
{
    const struct
    {
        const char* Answer;
        std::vector<MoveEntry> Expected;
    } cases[] = {
        {"Preset Positions\r\np1=Home\r\np2=GateZZZ\r\np3=ZZZ\r\n",
         {{"Home", "P1"}, {"Gate", "PV2"}, {"ZZZ", "P3"}}},
        // A name ends at its first CR; a line without "=" ends the list.
        {"header\np1=Door\rjunk\nno pair here\np3=Yard\n", {{"Door", "P1"}}},
        {"header\np1=\np2=a=b\n", {{"", "P1"}, {"a=b", "P2"}}},
        {"header\np1=Home\np2=Cut", {{"Home", "P1"}}}, // a last line without its LF
        {"p1=Home\n", {}},                             // line 0 is the header
        {"header\nno pair\np2=Home\n", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const std::vector<MoveEntry> entries = CameraPresetEntries(c.Answer);
        ASSERT_EQ(entries.size(), c.Expected.size()) << test::Visible(c.Answer);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].Text, c.Expected[i].Text) << test::Visible(c.Answer);
            EXPECT_EQ(entries[i].Tag, c.Expected[i].Tag) << test::Visible(c.Answer);
        }
    }
    const std::vector<MoveEntry> stored = StoredPositionEntries({"Hall", "Yard"});
    EXPECT_EQ(stored[1].Text, "Yard");
    EXPECT_EQ(stored[1].Tag, "2");
    const std::vector<MoveEntry> entries = {{"Gate", "P1"}, {"d\xC9p\xF4t", "P2"}, {"GATE", "P3"}};
    EXPECT_EQ(FindMoveEntry(entries, "gAtE"), 0);
    EXPECT_EQ(FindMoveEntry(entries, "D\xC9P\xD4T"), 1) << "Windows-1252 letters";
    EXPECT_EQ(FindMoveEntry(entries, ""), -1);
}

// One free-text field of one editor: the editor's check with value in that field (every other
// field holding something the check accepts), and the characters the editor converts instead.
struct Field
{
    const char* Name;
    int Caption;
    ValueKind Kind;
    std::function<FormCheck(const std::string& value, const TypedOutside& typed)> Check;
    const char* Converted = "";
};

OutputAction OutputWith(std::string_view field, const std::string& v)
{
    OutputAction a{1, OutputAction::OffOn, "5", 0, true, "10.0.0.1", "80", "u", "p"};
    if (field == "TxtSeg")
        a.Duration = v;
    else if (field == "TxtPort")
        a.Port = v;
    else if (field == "TxtUsr")
        a.User = v;
    else
        a.Password = v;
    return a;
}

std::vector<Field> EveryField()
{
    using T = const TypedOutside&;
    using S = const std::string&;
    std::vector<Field> fields;
    const auto description = [&](ValueKind kind, auto check) {
        fields.push_back({"TxtDesc", 144, kind, [check](S v, T t) { return check(v, t); }});
    };
    description(ValueKind::Line, [](S v, T t) { return CheckOutputForm(OutputAction{}, v, t); });
    for (const auto& [name, caption] :
         {std::pair{"TxtSeg", 1035}, {"TxtPort", 106}, {"TxtUsr", 107}, {"TxtPwd", 108}})
        fields.push_back({name, caption, ValueKind::Param,
                          [name = name](S v, T t) { return CheckOutputForm(OutputWith(name, v), "", t); }});
    description(ValueKind::Line, [](S v, T t) { return CheckCallForm(CallAction{}, v, t); });
    fields.push_back({"TxtTlfno", 1040, ValueKind::Param, [](S v, T t) {
                          return CheckCallForm({v, false, "", false, "", ""}, "", t);
                      }});
    fields.push_back({"txtMsg", 1043, ValueKind::Param, [](S v, T t) {
                          return CheckCallForm({"1", true, v, false, "", ""}, "", t);
                      }});
    fields.push_back({"txt_ip", 105, ValueKind::Param, [](S v, T t) {
                          return CheckCallForm({"1", false, "", true, v, "1"}, "", t);
                      }});
    fields.push_back({"txt_port", 106, ValueKind::Param, [](S v, T t) {
                          return CheckCallForm({"1", false, "", true, "pc", v}, "", t);
                      }});
    description(ValueKind::Line, [](S v, T t) {
        return CheckContactIdForm({true, "1", "G00", "Z000"}, v, t);
    });
    fields.push_back({"txtCIDCode", 1052, ValueKind::Param, [](S v, T t) {
                          return CheckContactIdForm({true, v, "G00", "Z000"}, "", t);
                      }});
    description(ValueKind::Line, [](S v, T t) { return CheckFtpForm(FtpAction{}, v, t); });
    const std::pair<const char*, int> ftp[] = {{"txtHost", 1060},      {"TxtPort", 106},
                                               {"txtUser", 107},       {"txtPassword", 108},
                                               {"txtRemoteDir", 1061}, {"txtBaseName", 1062}};
    for (std::size_t i = 0; i < 6; ++i) {
        fields.push_back({ftp[i].first, ftp[i].second, ValueKind::Param, [i](S v, T t) {
                              std::string values[6];
                              values[i] = v;
                              return CheckFtpForm(
                                  {values[0], values[1], values[2], values[3], values[4], values[5]}, "", t);
                          }});
    }
    description(ValueKind::Line, [](S v, T t) { return CheckMailForm(MailAction{}, v, t); });
    fields.push_back({"txtTo", 1065, ValueKind::Param,
                      [](S v, T t) {
                          return CheckMailForm({v, "", "", ""}, "", t);
                      },
                      ";"});
    fields.push_back({"txtCC", 1066, ValueKind::Param,
                      [](S v, T t) {
                          return CheckMailForm({"", v, "", ""}, "", t);
                      },
                      ";"});
    fields.push_back({"txtSubject", 1067, ValueKind::Param, [](S v, T t) {
                          return CheckMailForm({"", "", v, ""}, "", t);
                      }});
    fields.push_back({"txtMsg", 1043, ValueKind::Param, [](S v, T t) {
                          return CheckMailForm({"", "", "", v}, "", t);
                      }});
    // The client notification stores its description inside the parameters as well.
    description(ValueKind::Param, [](S v, T t) { return CheckNotifyForm({"10.0.0.1", "1", true}, v, t); });
    description(ValueKind::Line, [](S v, T t) { return CheckRecordingForm({}, "", v, t); });
    fields.push_back({"txtTime", 1085, ValueKind::Param, [](S v, T t) {
                          return CheckRecordingForm({true, "10.0.0.1", false, "1", v, false, ""}, "", "", t);
                      }});
    fields.push_back({"txtWM", 1088, ValueKind::Param, [](S v, T t) {
                          return CheckRecordingForm({false, "", false, "1", "1", true, v}, v, "", t);
                      }});
    const DeviceAccess device{"10.0.0.2", "80", "root", "pw"};
    description(ValueKind::Line, [device](S v, T t) { return CheckUserForm({}, device, v, t); });
    fields.push_back({"TxtUsrb", 1090, ValueKind::Param, [device](S v, T t) {
                          return CheckUserForm({v, true, false}, device, "", t);
                      }});
    fields.push_back({"", 108, ValueKind::Param, [](S v, T t) {
                          return CheckUserForm({}, DeviceAccess{"10.0.0.2", "80", "root", v}, "", t);
                      }});
    description(ValueKind::Line, [](S v, T t) {
        RemoteAlarmAction a{"10.0.0.1", "80", "", "", false, ""};
        return CheckRemoteAlarmForm(a, RemoteAlarmChoice{0, 0}, v, t);
    });
    for (const auto& [name, caption] : {std::pair{"TxtPort", 106}, {"TxtUsr", 107}, {"TxtPwd", 108}}) {
        fields.push_back({name, caption, ValueKind::Param, [name = std::string(name)](S v, T t) {
                              RemoteAlarmAction a{"10.0.0.1", "80", "", "", false, ""};
                              (name == "TxtPort" ? a.Port : name == "TxtUsr" ? a.User : a.Password) = v;
                              return CheckRemoteAlarmForm(a, RemoteAlarmChoice{0, 0}, "", t);
                          }});
    }
    description(ValueKind::Line, [](S v, T t) { return CheckMoveForm({{"Gate", "P1"}}, 0, kCamera, v, t); });
    // The names come from the camera and its record, not from the keyboard.
    fields.push_back({"", 1070, ValueKind::Param, [](S v, T t) {
                          return CheckMoveForm({{v, "P1"}}, 0, kCamera, "", t);
                      }});
    fields.push_back(
        {"", 108, ValueKind::Param, [](S v, T t) {
             return CheckMoveForm({{"Gate", "P1"}}, 0, {"1.2.3.4", "80", "root", v, "AXIS"}, "", t);
         }});
    return fields;
}

TEST(ActionForms, EveryStoredValueRefusesWhatTheFileCannotCarry)
{
    for (const Field& field : EveryField()) {
        const std::string where = std::string(field.Name) + " (" + std::to_string(field.Caption) + ")";
        EXPECT_EQ(field.Check("x=y#z \xE9!", kNone), FormCheck::Store()) << where;
        for (const char c : {'\0', ';', '$', '\r', '\n'}) {
            const bool converted =
                c != '\0' && std::string_view(field.Converted).find(c) != std::string_view::npos;
            const FormCheck expected =
                CanCarry(field.Kind, c) || converted
                    ? FormCheck::Store()
                    : FormCheck::RefuseCharacter(field.Caption, static_cast<unsigned char>(c));
            EXPECT_EQ(field.Check(std::string("a") + c + "b", kNone), expected) << where << " " << int(c);
        }
        if (*field.Name != 0) {
            const TypedOutside arrow{{field.Name, U'\u2192'}};
            EXPECT_EQ(field.Check("a?b", arrow), FormCheck::RefuseCharacter(field.Caption, U'\u2192'))
                << where;
        }
    }
}

TEST(ActionForms, AcceptedValuesSurviveSaveAndLoadByteForByte)
{
    const std::string v = "x=y#z \xE9!";
    const std::pair<std::int32_t, std::string> actions[] = {
        {ActOutput, BuildOutputParams({1, 3, v, 0, true, v, v, v, v}, "Seconds")},
        {ActCall, BuildCallParams({v, true, v, true, v, v})},
        {ActContactId, BuildContactIdParams({true, v, "G00", "Z000"})},
        {ActFtp, BuildFtpParams({v, v, v, v, v, v})},
        {ActMail, BuildMailParams({v + ";" + v, v, v, v + "\r\n" + v})},
        {ActNotify, BuildNotifyParams({"10.0.0.1", "1", true}, 4, v)},
        {ActRecord, BuildRecordingParams({true, "10.0.0.1", true, "1", v, true, v})},
        {ActUser, BuildUserParams({v, true, false}, {"10.0.0.2", "80", v, v})},
        {ActRemoteAlarm, BuildRemoteAlarmParams({"10.0.0.1", v, v, v, false, "75"})},
        {ActMove, BuildMoveParams({"1.2.3.4", "80", v, v, "AXIS"}, {v, "PV1"}, {}).value_or("")},
    };
    ConfigDocument doc;
    for (const auto& [type, params] : actions)
        doc.AddAction(4, ActionRecord{type, v, params, {}, false});
    const std::string text = BuildProjectText(doc);
    ConfigDocument back;
    ASSERT_FALSE(ParseConfigText(back, text).Failed);
    ASSERT_EQ(back.ActionCount(4), static_cast<int>(std::size(actions)));
    for (int i = 0; i < back.ActionCount(4); ++i) {
        EXPECT_EQ(back.Action(4, i)->Name, v) << i;
        EXPECT_EQ(test::Visible(back.Action(4, i)->Params), test::Visible(actions[i].second)) << i;
    }
    EXPECT_EQ(test::Visible(BuildProjectText(back)), test::Visible(text));
}

} // namespace
} // namespace kor
