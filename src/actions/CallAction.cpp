#include "actions/CallAction.h"

#include "actions/ActionParams.h"
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

} // namespace kor
