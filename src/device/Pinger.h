#pragma once

#include <cstdint>
#include <string>

namespace kor {

// ICMP echo. Ping returns 0 when the address replied within the wait, -1 when the address text is
// not a usable IPv4 address, another non-zero status otherwise.
class Pinger
{
public:
    virtual ~Pinger() = default;
    virtual std::int32_t PingDevice(const std::string& address) = 0;
};

} // namespace kor
