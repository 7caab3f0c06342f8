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

#include <gtest/gtest.h>

#include <functional>

// Tables give a form's fields up to the last one that matters; the rest keep a new action's.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

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
    EXPECT_EQ(output(17, 2).Mode, OutputAction::On);
    EXPECT_EQ(output(17, 0).Mode, OutputAction::Off);
    EXPECT_EQ(output(5, 3).Mode, OutputAction::OffOn);
    EXPECT_EQ(OutputViewOf(output(18, 1)), (OutputView{false, false, false, false}));
    EXPECT_EQ(OutputViewOf(output(17, 0)), (OutputView{true, false, false, false}));
    EXPECT_EQ(OutputViewOf({1, 2, "0", 0, true}), (OutputView{true, true, true, true}));
    EXPECT_EQ(DurationLeft("  "), "0");
    EXPECT_EQ(DurationLeft("12"), "12");

    EXPECT_EQ(CallViewOf(ForPc(CallAction{}), true), (CallView{false, true, false}));

    // A pick fills in the code; a typed code the list knows shows its entry.
    EXPECT_EQ(PickedEventCode(EventCodePosition(" 130 ")), "130");
    EXPECT_EQ(EventCodePosition("999"), -1);
    EXPECT_EQ(PickedEventCode(-1), "");
    // The message box's line breaks, whatever their form, are CR LF in the action.
    EXPECT_EQ(MessageFromBox("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(MessageToBox("a\r\nb"), "a\nb");
}

TEST(ActionForms, ChecksInTheirOrderWithTheirTexts)
{
    const auto cid = [](const char* code, const char* group, const char* zone) {
        return CheckContactIdForm({true, code, group, zone}, "", kNone);
    };
    const char* code = "Debe elegir el código del ContactID.";
    const char* zone = "Error código de Zona.";
    const char* group = "Error código de Grupo.";
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
        {"cid: zone not Z", cid("1", "G00", "A000"), Fixed(zone)},
        {"cid: zone with a sign", cid("1", "G00", "Z-12"), Fixed(zone)},
        {"cid: bad zone and group: the zone first", cid("1", "G", "Z"), Fixed(zone)},
        {"cid: group of two", cid("1", "G0", "Z000"), Fixed(group)},
        {"recording: in the camera", recording("", "", "", false), FormCheck::Store()},
        {"recording: PC without address", recording("0.0.0.0", "a", "b", false), FormCheck::Refuse(824)},
        {"recording: keys differ, unticked", recording("", "a", "b", false), FormCheck::Refuse(825)},
        {"recording: keys match", recording("10.0.0.1", "a", "a", true), FormCheck::Store()},
        {"notify: no address", CheckNotifyForm({"0.0.0.0", "1", true}, "", kNone), FormCheck::Refuse(800)},
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
    EXPECT_EQ(RemoteAlarmSen({"", "", "", "", true, ""}, RemoteAlarmChoice{-1, -1, 1, 0, 3}, kZelk), "15");
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
    // A profile as large as 16 bits allow does not overflow.
    EXPECT_EQ(DetectorEventNumber(1, 32767, 5, DetectorNumbering{32767, 1, 32767, 0}),
              (std::int64_t{1} << 30) + std::int64_t{32767} * 32767 + 5);
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
    const std::vector<MoveEntry> entries = {{"Gate", "P1"}, {"d\xC9p\xF4t", "P2"}, {"GATE", "P3"}};
    EXPECT_EQ(FindMoveEntry(entries, "gAtE"), 0);
    EXPECT_EQ(FindMoveEntry(entries, "D\xC9P\xD4T"), 1) << "Windows-1252 letters";
    EXPECT_EQ(FindMoveEntry(entries, ""), -1);
}

// One free-text field of one editor: the editor's check with value in that field (the others
// holding what the check accepts), and the characters the editor converts instead of refusing.
using Typed = const TypedOutside&;
struct Field
{
    const char* Name;
    int Caption;
    ValueKind Kind;
    std::function<FormCheck(const std::string& value, Typed typed)> Check;
    const char* Converted = "";
};
template <typename A> struct Member
{
    const char* Name;
    int Caption;
    std::string A::*Value;
    const char* Converted = "";
};

// The description and the listed fields of one editor, each checked on its own.
template <typename A, typename C>
void AddEditor(std::vector<Field>& out, ValueKind description, A base, C check,
               std::vector<Member<A>> members)
{
    out.push_back(
        {"TxtDesc", 144, description, [=](const std::string& v, Typed t) { return check(base, v, t); }});
    for (const Member<A>& m : members) {
        out.push_back({m.Name, m.Caption, ValueKind::Param,
                       [=](const std::string& v, Typed t) {
                           A a = base;
                           a.*m.Value = v;
                           return check(a, "", t);
                       },
                       m.Converted});
    }
}

std::vector<Field> EveryField()
{
    using L = ValueKind;
    std::vector<Field> f;
    AddEditor<OutputAction>(f, L::Line, {1, OutputAction::OffOn, "5", 0, true, "10.0.0.1", "80", "u", "p"},
                            CheckOutputForm,
                            {{"TxtSeg", 1035, &OutputAction::Duration},
                             {"TxtPort", 106, &OutputAction::Port},
                             {"TxtUsr", 107, &OutputAction::User},
                             {"TxtPwd", 108, &OutputAction::Password}});
    AddEditor<CallAction>(f, L::Line, {"1", true, "m", true, "pc", "1"}, CheckCallForm,
                          {{"TxtTlfno", 1040, &CallAction::Number},
                           {"txtMsg", 1043, &CallAction::Message},
                           {"txt_ip", 105, &CallAction::PcAddress},
                           {"txt_port", 106, &CallAction::PcPort}});
    AddEditor<ContactIdAction>(f, L::Line, {true, "1", "G00", "Z000"}, CheckContactIdForm,
                               {{"txtCIDCode", 1052, &ContactIdAction::Code}});
    AddEditor<FtpAction>(f, L::Line, {}, CheckFtpForm,
                         {{"txtHost", 1060, &FtpAction::Host},
                          {"TxtPort", 106, &FtpAction::Port},
                          {"txtUser", 107, &FtpAction::User},
                          {"txtPassword", 108, &FtpAction::Password},
                          {"txtRemoteDir", 1061, &FtpAction::RemoteDir},
                          {"txtBaseName", 1062, &FtpAction::Prefix}});
    AddEditor<MailAction>(f, L::Line, {}, CheckMailForm,
                          {{"txtTo", 1065, &MailAction::To, ";"},
                           {"txtCC", 1066, &MailAction::Cc, ";"},
                           {"txtSubject", 1067, &MailAction::Subject},
                           {"txtMsg", 1043, &MailAction::Message}});
    // The client notification stores its description inside the parameters as well.
    AddEditor<NotifyAction>(f, L::Param, {"10.0.0.1", "1", true}, CheckNotifyForm, {});
    AddEditor<RecordingAction>(
        f, L::Line, {true, "10.0.0.1", false, "1", "10", true, "k"},
        [](RecordingAction a, std::string_view d, Typed t) {
            return CheckRecordingForm(a, a.WatermarkKey, d, t);
        },
        {{"txtTime", 1085, &RecordingAction::Time}, {"txtWM", 1088, &RecordingAction::WatermarkKey}});
    // The camera's own credentials travel in the user and move actions; they are not typed there.
    AddEditor<DeviceAccess>(
        f, L::Line, {"10.0.0.2", "80", "root", "pw"},
        [](const DeviceAccess& d, std::string_view desc, Typed t) { return CheckUserForm({}, d, desc, t); },
        {{"", 107, &DeviceAccess::User}, {"", 108, &DeviceAccess::Password}});
    AddEditor<UserAction>(
        f, L::Line, {},
        [](const UserAction& a, std::string_view d, Typed t) { return CheckUserForm(a, {}, d, t); },
        {{"TxtUsrb", 1090, &UserAction::Account}});
    AddEditor<RemoteAlarmAction>(f, L::Line, {"10.0.0.1", "80", "", "", false, ""},
                                 [](RemoteAlarmAction a, std::string_view d, Typed t) {
                                     return CheckRemoteAlarmForm(a, {0, 0}, d, t);
                                 },
                                 {{"TxtPort", 106, &RemoteAlarmAction::Port},
                                  {"TxtUsr", 107, &RemoteAlarmAction::User},
                                  {"TxtPwd", 108, &RemoteAlarmAction::Password}});
    AddEditor<MoveEntry>(
        f, L::Line, {"Gate", "P1"},
        [](const MoveEntry& e, std::string_view d, Typed t) { return CheckMoveForm({e}, 0, kCamera, d, t); },
        {{"", 1070, &MoveEntry::Text}});
    return f;
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

} // namespace
} // namespace kor
