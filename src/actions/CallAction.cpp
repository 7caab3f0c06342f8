#include "actions/CallAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

std::string WithoutBlanks(std::string_view text)
{
    return ReplaceAll(" ", "", text);
}

} // namespace

std::string BuildCallParams(const CallAction& action)
{
    std::string params;
    if (action.ThroughPc) {
        AppendParam(params, "REMOTE", "1");
        AppendParam(params, "REMOTEIP", WithoutBlanks(action.PcAddress));
        AppendParam(params, "REMOTEPORT", WithoutBlanks(action.PcPort));
    }
    AppendParam(params, "TLFNO", WithoutBlanks(action.Number));
    AppendParam(params, "SMS", action.Sms ? action.Message : std::string());
    return params;
}

CallAction LoadCallParams(std::string_view params)
{
    CallAction action;
    action.Number = ReadParam(params, "TLFNO");
    action.Message = ReadParam(params, "SMS");
    action.Sms = !action.Message.empty();
    action.ThroughPc = ReadParam(params, "REMOTE") == "1";
    action.PcAddress = ReadParam(params, "REMOTEIP");
    const std::string port = ReadParam(params, "REMOTEPORT");
    if (IsNumberText(port))
        action.PcPort = port;
    return action;
}

CallView CallViewOf(const CallAction& action, bool forPc)
{
    return CallView{action.Sms, action.ThroughPc, !forPc};
}

CallAction ForPc(CallAction action)
{
    action.ThroughPc = true;
    return action;
}

FormCheck CheckCallForm(const CallAction& action, std::string_view description, const TypedOutside& typed)
{
    std::vector<StoredText> texts{
        {kDescriptionField, std::string(description)},
        {{"TxtTlfno", LangTextId(1040), ValueKind::Param}, WithoutBlanks(action.Number)}};
    if (action.Sms)
        texts.push_back({{"txtMsg", LangTextId(1043), ValueKind::Param}, action.Message});
    if (action.ThroughPc) {
        texts.push_back({{"txt_ip", LangTextId(105), ValueKind::Param}, WithoutBlanks(action.PcAddress)});
        texts.push_back({{"txt_port", LangTextId(106), ValueKind::Param}, WithoutBlanks(action.PcPort)});
    }
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
