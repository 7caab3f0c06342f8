#pragma once

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

} // namespace kor
