#pragma once

#include "device/Pinger.h"

namespace kor {

// One ICMP echo request with empty data, a reply awaited for up to a second. Uses an unprivileged
// ICMP datagram socket, or a raw socket where only that is permitted.
class IcmpPinger final : public Pinger
{
public:
    static constexpr std::int32_t kTimedOut = 11010;
    static constexpr std::int32_t kGeneralFailure = 11050;

    std::int32_t PingDevice(const std::string& address) override;
};

} // namespace kor
