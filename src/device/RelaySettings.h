#pragma once

#include <cstdint>
#include <string>

namespace kor {

// The intermediate relay server that forwards every device request when enabled (from the start
// command line).
struct RelaySettings
{
    bool Enabled = false;
    std::string Host;
    std::int32_t Port = 901;
    std::string Pwd;
};

} // namespace kor
