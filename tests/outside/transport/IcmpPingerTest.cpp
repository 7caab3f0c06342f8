#include "outside/transport/IcmpPinger.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

TEST(IcmpPingerTest, AddressTexts)
{
    IcmpPinger ping;
    EXPECT_EQ(ping.PingDevice("not an address"), -1);
    EXPECT_EQ(ping.PingDevice("0.0.0.0"), -1);
    EXPECT_EQ(ping.PingDevice(""), -1);
    const std::int32_t loopback = ping.PingDevice("127.0.0.1");
    if (loopback == IcmpPinger::kGeneralFailure)
        GTEST_SKIP() << "no ICMP socket allowed here";
    EXPECT_EQ(loopback, 0);
}

} // namespace
} // namespace kor
