#pragma once

#include "actions/EditorForm.h"

#include <string>
#include <string_view>

namespace kor {

// The fields of an FTP upload action (type 8): free text, stored as typed.
struct FtpAction
{
    std::string Host;
    std::string Port;
    std::string User;
    std::string Password;
    std::string RemoteDir;
    std::string Prefix;

    bool operator==(const FtpAction&) const = default;
};

// HOST, PORT, USER, PWD, RD, PRFX, always all six, empty values included.
std::string BuildFtpParams(const FtpAction& action);
// A missing key gives an empty field.
FtpAction LoadFtpParams(std::string_view params);

// The editor's form: no checks of its own, only the characters of the six values.
FormCheck CheckFtpForm(const FtpAction& action, std::string_view description, const TypedOutside& typed);

} // namespace kor
