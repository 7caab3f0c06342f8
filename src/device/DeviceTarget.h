#pragma once

#include "device/RelaySettings.h"

#include <string>

namespace kor {

// The values every device request address is built from: on the device link screen the
// connection fields, elsewhere the camera record.
struct DeviceTarget
{
    std::string Address;
    std::string PortText;
    std::string User;
    std::string Password;
    RelaySettings Relay;
};

} // namespace kor
