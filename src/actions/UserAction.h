#pragma once

#include "actions/EditorForm.h"

#include <string>
#include <string_view>

namespace kor {

// The device an action reaches: the selected camera's address and credentials.
struct DeviceAccess
{
    std::string Ip;
    std::string Port; // decimal
    std::string User;
    std::string Password;
};

// The fields of a user action (type 6): enable or disable a user account of the device.
struct UserAction
{
    std::string Account;
    bool Enable = true; // option position 0, stored as AC=1
    bool Force = false;

    bool operator==(const UserAction&) const = default;
};

// IP, PORT, USR, PWD of the device, then USRB, AC, FR.
std::string BuildUserParams(const UserAction& action, const DeviceAccess& device);
// AC empty or "1" enables, anything else disables; FR ticks the force when it reads as a number
// other than 0. The device keys are not read back: storing takes them from the current camera.
UserAction LoadUserParams(std::string_view params);

// The editor's form: no checks of its own, only the characters of what is stored, the current
// camera's credentials included (they travel inside the parameters).
FormCheck CheckUserForm(const UserAction& action, const DeviceAccess& device, std::string_view description,
                        const TypedOutside& typed);
// The camera's credentials as parameter values: a user name or password the parameters cannot
// carry is refused naming that field (the camera record allows more than a parameter value).
void AddDeviceTexts(std::vector<StoredText>& texts, const DeviceAccess& device);

} // namespace kor
