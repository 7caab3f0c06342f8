#include "actions/NotifyAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <cstdint>

namespace kor {

std::string BuildNotifyParams(const NotifyAction& action, int ruleIndex, std::string_view typedDescription)
{
    std::string params;
    AppendParam(params, "CLNT", action.Client);
    std::int32_t port = 0;
    const bool numeric = ReadNumberAs<std::int32_t>(action.Port, port) == NumberRead::Ok;
    AppendParam(params, "PORT", numeric ? std::string_view(action.Port) : NotifyAction::DefaultPort);
    AppendParam(params, "SEN", DecimalText(ruleIndex));
    AppendParam(params, "DESC", typedDescription);
    AppendParam(params, "SND", action.Sound ? "1" : "0");
    return params;
}

NotifyAction LoadNotifyParams(std::string_view params)
{
    NotifyAction action;
    action.Client = ReadParam(params, "CLNT");
    action.Port = ReadParam(params, "PORT");
    const std::optional<std::int64_t> sound = ReadNumber(ReadParam(params, "SND"));
    action.Sound = !sound || *sound != 0;
    return action;
}

FormCheck CheckNotifyForm(const NotifyAction& action, std::string_view description, const TypedOutside& typed)
{
    if (IsEmptyAddress(action.Client))
        return FormCheck::Refuse(LangTextId(800));
    // The port is stored only as a number (the default otherwise), so it cannot break the file.
    const StoredText texts[] = {
        {{kDescriptionField.Name, kDescriptionField.Caption, ValueKind::Param}, std::string(description)},
    };
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
