#include "actions/MailAction.h"

#include "actions/ActionParams.h"
#include "config/ParamString.h"

namespace kor {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kStoredLineBreak = "<ipncr>";

} // namespace

std::string BuildMailParams(const MailAction& action)
{
    std::string params;
    AppendParam(params, "TO", ReplaceAll(";", " ", action.To));
    AppendParam(params, "CC", ReplaceAll(";", " ", action.Cc));
    AppendParam(params, "SUBJECT", action.Subject);
    AppendParam(params, "MSG", ReplaceAll(kLineBreak, kStoredLineBreak, action.Message));
    return params;
}

MailAction LoadMailParams(std::string_view params)
{
    MailAction action;
    action.To = ReplaceAll(" ", ";", ReadParam(params, "TO"));
    action.Cc = ReplaceAll(" ", ";", ReadParam(params, "CC"));
    action.Subject = ReadParam(params, "SUBJECT");
    action.Message = ReplaceAll(kStoredLineBreak, kLineBreak, ReadParam(params, "MSG"));
    return action;
}

} // namespace kor
