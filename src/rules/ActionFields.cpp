#include "rules/ActionFields.h"

#include "actions/ActionParams.h"
#include "actions/CallAction.h"
#include "actions/ContactIdAction.h"
#include "actions/FtpAction.h"
#include "actions/MailAction.h"
#include "actions/NotifyAction.h"
#include "actions/OutputAction.h"
#include "actions/RecordingAction.h"
#include "actions/RemoteAlarmAction.h"
#include "actions/UserAction.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

// Collects the fields of one action with the words of the user's language.
class FieldList
{
public:
    FieldList(std::vector<ActionField>& out, const LangTextLookup& langText)
        : m_out(out), m_langText(langText)
    {}

    void Text(int label, std::string value)
    {
        m_out.push_back(ActionField{label, {}, std::move(value), false});
    }
    void Secret(int label, std::string value)
    {
        m_out.push_back(ActionField{label, {}, std::move(value), true});
    }
    void Keyed(const char* key, std::string value)
    {
        m_out.push_back(ActionField{0, key, std::move(value), false});
    }
    void Tick(int label, bool ticked) { Text(label, Word(ticked ? LangTextId(1212) : LangTextId(1213))); }
    // A choice shown by the text of the chosen option.
    void Choice(int label, int optionText) { Text(label, Word(optionText)); }
    // The camera, port and credentials many editors share.
    void Device(std::string ip, std::string port, std::string user, std::string password)
    {
        Text(LangTextId(105), std::move(ip));
        Text(LangTextId(106), std::move(port));
        Text(LangTextId(107), std::move(user));
        Secret(LangTextId(108), std::move(password));
    }
    std::string Word(int text) const { return m_langText(text); }

private:
    std::vector<ActionField>& m_out;
    const LangTextLookup& m_langText;
};

// The output list's entry as the editor lists it: all outputs, Output 01..16, arming, alarm.
std::string OutputText(const FieldList& f, int position)
{
    if (position == 0)
        return f.Word(LangTextId(113));
    if (position >= 1 && position <= 16)
        return f.Word(LangTextId(114)) + (position < 10 ? " 0" : " ") + DecimalText(position);
    if (position == OutputAction::ArmOutput)
        return f.Word(LangTextId(115));
    if (position == OutputAction::AlarmOutput)
        return f.Word(LangTextId(116));
    return DecimalText(position);
}

void OutputFields(FieldList& f, std::string_view params)
{
    const OutputAction a = LoadOutputParams(params);
    f.Text(LangTextId(114), OutputText(f, a.Output));
    static constexpr int kModes[] = {LangTextId(1031), LangTextId(1032), LangTextId(1033), LangTextId(1034)};
    f.Choice(LangTextId(1030), a.Mode < 4 ? kModes[a.Mode] : kModes[0]);
    f.Text(LangTextId(1035), a.Duration + " " + f.Word(a.Unit == 0 ? LangTextId(117) : LangTextId(118)));
    f.Tick(LangTextId(1036), a.OtherDevice);
    f.Device(a.Ip, a.Port, a.User, a.Password);
}

void RecordingFields(FieldList& f, std::string_view params)
{
    const RecordingAction a = LoadRecordingParams(params);
    f.Choice(LangTextId(1080), a.OnPc ? LangTextId(1082) : LangTextId(1081));
    f.Text(LangTextId(105), a.PcAddress);
    f.Tick(LangTextId(1083), a.PreAlarm);
    f.Text(LangTextId(1084), a.FrameRate);
    f.Text(LangTextId(1085), a.Time + " " + f.Word(LangTextId(1086)));
    f.Tick(LangTextId(1087), a.Watermark);
    f.Secret(LangTextId(1088), a.WatermarkKey);
}

void CallFields(FieldList& f, std::string_view params)
{
    const CallAction a = LoadCallParams(params);
    f.Text(LangTextId(1040), a.Number);
    f.Choice(LangTextId(1002), a.Sms ? LangTextId(1042) : LangTextId(1041));
    f.Text(LangTextId(1043), a.Message);
    f.Tick(LangTextId(1044), a.ThroughPc);
    f.Text(LangTextId(105), a.PcAddress);
    f.Text(LangTextId(106), a.PcPort);
}

// The move editor shows a list only: its entry's name; the camera and the target's own keys are
// named as stored.
void MoveFields(FieldList& f, std::string_view params)
{
    f.Device(ReadParam(params, "IP"), ReadParam(params, "PORT"), ReadParam(params, "USR"),
             ReadParam(params, "PWD"));
    f.Text(LangTextId(1147), ReadParam(params, "BRAND"));
    f.Text(LangTextId(1070), ReadParam(params, "POSNAME"));
    for (const char* key : {"CAMPRESET", "X", "Y", "Z"})
        f.Keyed(key, ReadParam(params, key));
}

void NotifyFields(FieldList& f, std::string_view params)
{
    const NotifyAction a = LoadNotifyParams(params);
    f.Text(LangTextId(1075), a.Client);
    f.Text(LangTextId(106), a.Port);
    f.Tick(LangTextId(1076), a.Sound);
}

void RemoteAlarmFields(FieldList& f, std::string_view params)
{
    const RemoteAlarmAction a = LoadRemoteAlarmParams(params).Fields;
    f.Device(a.Ip, a.Port, a.User, a.Password);
    f.Choice(LangTextId(1095), a.Detector ? LangTextId(172) : LangTextId(1096));
    f.Text(LangTextId(1003), a.Sen);
}

void UserFields(FieldList& f, std::string_view params)
{
    const UserAction a = LoadUserParams(params);
    f.Device(ReadParam(params, "IP"), ReadParam(params, "PORT"), ReadParam(params, "USR"),
             ReadParam(params, "PWD"));
    f.Text(LangTextId(1090), a.Account);
    f.Choice(LangTextId(224), a.Enable ? LangTextId(1091) : LangTextId(1092));
    f.Tick(LangTextId(1093), a.Force);
}

void MailFields(FieldList& f, std::string_view params)
{
    const MailAction a = LoadMailParams(params);
    f.Text(LangTextId(1065), a.To);
    f.Text(LangTextId(1066), a.Cc);
    f.Text(LangTextId(1067), a.Subject);
    f.Text(LangTextId(1043), a.Message);
}

void FtpFields(FieldList& f, std::string_view params)
{
    const FtpAction a = LoadFtpParams(params);
    f.Text(LangTextId(1060), a.Host);
    f.Text(LangTextId(106), a.Port);
    f.Text(LangTextId(107), a.User);
    f.Secret(LangTextId(108), a.Password);
    f.Text(LangTextId(1061), a.RemoteDir);
    f.Text(LangTextId(1062), a.Prefix);
}

void ContactIdFields(FieldList& f, std::string_view params)
{
    const ContactIdAction a = LoadContactIdParams(params);
    f.Choice(LangTextId(1002), a.Alarm ? LangTextId(1050) : LangTextId(1051));
    f.Text(LangTextId(1052), a.Code);
    f.Text(LangTextId(1053), a.Zone);
    f.Text(LangTextId(1054), a.Group);
}

bool IsSecretKey(std::string_view key)
{
    const std::string upper = UpperCp1252(key);
    return upper == "PWD" || upper == "WMK";
}

} // namespace

std::string IntervalText(const Interval& i)
{
    std::string out;
    const auto put = [&out](unsigned v, char after) {
        if (v < 100) {
            out.push_back(static_cast<char>('0' + v / 10));
            out.push_back(static_cast<char>('0' + v % 10));
        } else {
            out += DecimalText(v);
        }
        if (after)
            out.push_back(after);
    };
    put(i.Start.Hour, ':');
    put(i.Start.Minute, '-');
    put(i.End.Hour, ':');
    put(i.End.Minute, 0);
    return out;
}

std::vector<ActionField> RawParamFields(std::string_view params)
{
    std::vector<ActionField> out;
    for (const ParamPair& pair : SplitParams(params))
        out.push_back(ActionField{0, std::string(pair.Key), std::string(pair.Value), IsSecretKey(pair.Key)});
    return out;
}

std::vector<ActionField> ActionFieldsOf(const ActionRecord& action, const LangTextLookup& langText)
{
    std::vector<ActionField> out;
    FieldList f(out, langText);
    f.Text(LangTextId(144), action.Name);
    using Fill = void (*)(FieldList&, std::string_view);
    static constexpr Fill kByType[] = {OutputFields, RecordingFields,   CallFields, MoveFields,
                                       NotifyFields, RemoteAlarmFields, UserFields, MailFields,
                                       FtpFields,    ContactIdFields};
    if (action.Type >= ActOutput && action.Type <= ActContactId) {
        kByType[action.Type](f, action.Params);
    } else {
        std::vector<ActionField> raw = RawParamFields(action.Params);
        out.insert(out.end(), std::make_move_iterator(raw.begin()), std::make_move_iterator(raw.end()));
    }
    return out;
}

} // namespace kor
