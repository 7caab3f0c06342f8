#include "actions/UserAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

#include <cstdint>
#include <optional>

namespace kor {

std::string BuildUserParams(const UserAction& action, const DeviceAccess& device)
{
    std::string params;
    AppendParam(params, "IP", device.Ip);
    AppendParam(params, "PORT", device.Port);
    AppendParam(params, "USR", device.User);
    AppendParam(params, "PWD", device.Password);
    AppendParam(params, "USRB", action.Account);
    AppendParam(params, "AC", action.Enable ? "1" : "0");
    AppendParam(params, "FR", action.Force ? "1" : "0");
    return params;
}

UserAction LoadUserParams(std::string_view params)
{
    UserAction action;
    action.Account = ReadParam(params, "USRB");
    const std::string enable = ReadParam(params, "AC");
    action.Enable = enable.empty() || enable == "1";
    const std::optional<std::int64_t> force = ReadNumber(ReadParam(params, "FR"));
    action.Force = force && *force != 0;
    return action;
}

void AddDeviceTexts(std::vector<StoredText>& texts, const DeviceAccess& device)
{
    // Not typed here: no control names.
    texts.push_back({{"", LangTextId(107), ValueKind::Param}, device.User});
    texts.push_back({{"", LangTextId(108), ValueKind::Param}, device.Password});
}

FormCheck CheckUserForm(const UserAction& action, const DeviceAccess& device, std::string_view description,
                        const TypedOutside& typed)
{
    std::vector<StoredText> texts{{kDescriptionField, std::string(description)},
                                  {{"TxtUsrb", LangTextId(1090), ValueKind::Param}, action.Account}};
    AddDeviceTexts(texts, device);
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
