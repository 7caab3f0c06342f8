#include "actions/MailAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"

namespace kor {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kStoredLineBreak = "<ipncr>";

std::string StoredAddresses(std::string_view shown)
{
    return ReplaceAll(";", " ", shown);
}

std::string StoredMessage(std::string_view shown)
{
    return ReplaceAll(kLineBreak, kStoredLineBreak, shown);
}

} // namespace

std::string BuildMailParams(const MailAction& action)
{
    std::string params;
    AppendParam(params, "TO", StoredAddresses(action.To));
    AppendParam(params, "CC", StoredAddresses(action.Cc));
    AppendParam(params, "SUBJECT", action.Subject);
    AppendParam(params, "MSG", StoredMessage(action.Message));
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

std::string MessageFromBox(std::string_view box)
{
    std::string message;
    for (std::size_t i = 0; i < box.size(); ++i) {
        if (box[i] == '\r' || box[i] == '\n') {
            message += kLineBreak;
            if (box[i] == '\r' && i + 1 < box.size() && box[i + 1] == '\n')
                ++i;
        } else {
            message += box[i];
        }
    }
    return message;
}

std::string MessageToBox(std::string_view message)
{
    return ReplaceAll(kLineBreak, "\n", message);
}

FormCheck CheckMailForm(const MailAction& action, std::string_view description, const TypedOutside& typed)
{
    const StoredText texts[] = {
        {kDescriptionField, std::string(description)},
        {{"txtTo", LangTextId(1065), ValueKind::Param}, StoredAddresses(action.To)},
        {{"txtCC", LangTextId(1066), ValueKind::Param}, StoredAddresses(action.Cc)},
        {{"txtSubject", LangTextId(1067), ValueKind::Param}, action.Subject},
        {{"txtMsg", LangTextId(1043), ValueKind::Param}, StoredMessage(action.Message)},
    };
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
