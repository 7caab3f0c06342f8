#include "actions/FtpAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"

namespace kor {

namespace {

struct Key
{
    const char* Name;
    std::string FtpAction::*Field;
    TextField Control;
};

const Key kKeys[] = {
    {"HOST", &FtpAction::Host, {"txtHost", LangTextId(1060), ValueKind::Param}},
    {"PORT", &FtpAction::Port, {"TxtPort", LangTextId(106), ValueKind::Param}},
    {"USER", &FtpAction::User, {"txtUser", LangTextId(107), ValueKind::Param}},
    {"PWD", &FtpAction::Password, {"txtPassword", LangTextId(108), ValueKind::Param}},
    {"RD", &FtpAction::RemoteDir, {"txtRemoteDir", LangTextId(1061), ValueKind::Param}},
    {"PRFX", &FtpAction::Prefix, {"txtBaseName", LangTextId(1062), ValueKind::Param}},
};

} // namespace

std::string BuildFtpParams(const FtpAction& action)
{
    std::string params;
    for (const Key& key : kKeys)
        AppendParam(params, key.Name, action.*key.Field);
    return params;
}

FtpAction LoadFtpParams(std::string_view params)
{
    FtpAction action;
    for (const Key& key : kKeys)
        action.*key.Field = ReadParam(params, key.Name);
    return action;
}

FormCheck CheckFtpForm(const FtpAction& action, std::string_view description, const TypedOutside& typed)
{
    std::vector<StoredText> texts{{kDescriptionField, std::string(description)}};
    for (const Key& key : kKeys)
        texts.push_back({key.Control, action.*key.Field});
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
