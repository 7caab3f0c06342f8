#include "actions/FtpAction.h"

#include "actions/ActionParams.h"
#include "config/ParamString.h"

namespace kor {

namespace {

struct Key
{
    const char* Name;
    std::string FtpAction::*Field;
};

const Key kKeys[] = {
    {"HOST", &FtpAction::Host},    {"PORT", &FtpAction::Port},    {"USER", &FtpAction::User},
    {"PWD", &FtpAction::Password}, {"RD", &FtpAction::RemoteDir}, {"PRFX", &FtpAction::Prefix},
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

} // namespace kor
