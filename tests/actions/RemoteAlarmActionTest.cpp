#include "actions/RemoteAlarmAction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

std::string Params(std::string text)
{
    for (char& c : text) {
        if (c == '$')
            c = '\0';
    }
    return text;
}

// The companion database's VELTRIX Net-ZELK 7730D: 2 devices from 1, 4 ports from 0.
const DetectorNumbering kZelk{2, 1, 4, 0};

TEST(RemoteAlarmCodec, WritesTheKeysInOrder)
{
    const RemoteAlarmAction camera{"10.0.0.4", "80", "u", "p", false, "75"};
    EXPECT_EQ(test::Visible(BuildRemoteAlarmParams(camera)),
              test::Visible(Params("IP=10.0.0.4$PORT=80$USR=u$PWD=p$DEV=0$SEN=75$")));
    const RemoteAlarmAction detector{"10.0.0.5", "8080", "", "", true, "15"};
    EXPECT_EQ(test::Visible(BuildRemoteAlarmParams(detector)),
              test::Visible(Params("IP=10.0.0.5$PORT=8080$USR=$PWD=$DEV=1$SEN=15$")));
    EXPECT_EQ(LoadRemoteAlarmParams(BuildRemoteAlarmParams(detector)).Fields, detector);
}

TEST(RemoteAlarmCodec, DevDecidesTheTargetAndAMissingDevEndsTheLoad)
{
    const struct
    {
        const char* Stored;
        bool HasDev;
        bool Detector;
    } cases[] = {
        {"DEV=0$", true, false},   {"DEV=1$", true, true}, {"DEV=7$", true, true},
        {"DEV= 0 $", true, false}, {"", false, false},     {"DEV=x$", false, false},
    };
    for (const auto& c : cases) {
        const RemoteAlarmLoad load = LoadRemoteAlarmParams(Params(c.Stored));
        EXPECT_EQ(load.Dev.has_value(), c.HasDev) << c.Stored;
        EXPECT_EQ(load.Fields.Detector, c.Detector) << c.Stored;
    }
    EXPECT_EQ(SenNumber("abc"), 0);
    EXPECT_EQ(SenNumber("101"), 101);
}

TEST(RemoteAlarmCodec, NextPow2)
{
    const struct
    {
        std::int64_t In;
        std::int64_t Out;
    } cases[] = {{-5, 1},           {0, 1}, {1, 1}, {2, 2}, {3, 4}, {8, 8}, {9, 16}, {1 << 30, 1 << 30},
                 {(1 << 30) + 1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(NextPow2(c.In), c.Out) << c.In;
}

TEST(RemoteAlarmCodec, DetectorEventNumberBothWays)
{
    // Edge "0 -> 1", device 1, port 3: 1 x 8 + 1 x 4 + 3.
    EXPECT_EQ(DetectorEventNumber(1, 1, 3, kZelk), 15);
    const struct
    {
        int Edge, Device, Port;
    } inputs[] = {{0, 1, 0}, {0, 1, 3}, {1, 1, 0}, {1, 1, 3}};
    for (const auto& in : inputs) {
        const std::int64_t sen = DetectorEventNumber(in.Edge, in.Device, in.Port, kZelk);
        const auto positions = DetectorPositionsOf(sen, kZelk);
        ASSERT_TRUE(positions) << sen;
        EXPECT_EQ(positions->Edge, in.Edge) << sen;
        EXPECT_EQ(positions->Device, in.Device - kZelk.FirstDevice) << sen;
        EXPECT_EQ(positions->Port, in.Port - kZelk.FirstPort) << sen;
    }
    // Device 2 gives numbers whose device position does not exist (it shares its bit with the
    // edge): they cannot be selected back, and nothing else is chosen in their place.
    for (std::int64_t sen : {DetectorEventNumber(0, 2, 1, kZelk), std::int64_t{-3}, std::int64_t{2}})
        EXPECT_FALSE(DetectorPositionsOf(sen, kZelk)) << sen;
    EXPECT_FALSE(DetectorPositionsOf(5, DetectorNumbering{}));
    // A profile as large as 16 bits allow does not overflow.
    const DetectorNumbering huge{32767, 1, 32767, 0};
    EXPECT_EQ(DetectorEventNumber(1, 32767, 5, huge),
              (std::int64_t{1} << 30) + std::int64_t{32767} * 32767 + 5);
}

TEST(RemoteAlarmCodec, SourceListsAndKinds)
{
    const auto sdmc = RemoteSourcesOf("SDMC");
    ASSERT_EQ(sdmc.size(), 11u);
    EXPECT_EQ(sdmc[0].Tag, "SDMC12");
    EXPECT_EQ(sdmc[6].Tag, "SDMC75");
    EXPECT_EQ(sdmc[6].Counter, 6);
    EXPECT_EQ(RemoteSourcesOf("PCAM").back().Tag, "PCAM53");
    EXPECT_EQ(RemoteSourcesOf("SVIR").front().Tag, "SVIR90");
    EXPECT_EQ(RemoteSourcesOf("OTHC")[1].Tag, "OTHC101");
    EXPECT_TRUE(RemoteSourcesOf("XXXX").empty());

    // Every source of every kind leads back to its kind.
    for (const RemoteSourceKind& kind : RemoteSourceKinds()) {
        for (const RemoteSource& source : RemoteSourcesOf(kind.Tag))
            EXPECT_EQ(RemoteKindOf(SenNumber(source.Tag.substr(4))), kind.Tag) << source.Tag;
    }
    for (std::int64_t other : {-1, 13, 49, 110})
        EXPECT_EQ(RemoteKindOf(other), "") << other;
}

} // namespace
} // namespace kor
