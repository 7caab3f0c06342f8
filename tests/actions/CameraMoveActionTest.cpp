#include "actions/CameraMoveAction.h"

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

const MoveCamera kCamera{"10.0.0.7", "80", "root", "pass", "AXIS"};

TEST(CameraMoveCodec, PresetsAndStoredPositions)
{
    const std::vector<MovePosition> positions = {{1, 2, 3}, {-0.5, 10.25, 1}, {0.1, -45, 2.5}};
    const struct
    {
        const char* Name;
        MoveEntry Entry;
        const char* Expected;
    } cases[] = {
        {"preset", {"Gate", "P2"}, "CAMPRESET=Gate$POSNAME=Gate$"},
        {"ZZZ preset gets its suffix back", {"Gate", "PV2"}, "CAMPRESET=GateZZZ$POSNAME=Gate$"},
        {"third stored position, point separator", {"Door", "3"}, "X=0.1$Y=-45$Z=2.5$POSNAME=Door$"},
        {"first stored position", {"Hall", "1"}, "X=1$Y=2$Z=3$POSNAME=Hall$"},
    };
    for (const auto& c : cases) {
        const auto built = BuildMoveParams(kCamera, c.Entry, positions);
        ASSERT_TRUE(built) << c.Name;
        EXPECT_EQ(
            test::Visible(*built),
            test::Visible(Params("IP=10.0.0.7$PORT=80$USR=root$PWD=pass$BRAND=AXIS$") + Params(c.Expected)))
            << c.Name;
    }
    // A position the record does not hold is never written as zeros.
    for (const char* tag : {"4", "0", "-1", "x"})
        EXPECT_FALSE(BuildMoveParams(kCamera, MoveEntry{"Gone", tag}, positions)) << tag;
}

TEST(CameraMoveCodec, FindsTheFirstEntryWithoutRegardToCase)
{
    const std::vector<MoveEntry> entries = {{"Gate", "P1"}, {"d\xC9p\xF4t", "P2"}, {"GATE", "P3"}};
    EXPECT_EQ(FindMoveEntry(entries, "gAtE"), 0);
    EXPECT_EQ(FindMoveEntry(entries, "D\xC9P\xD4T"), 1) << "Windows-1252 letters";
    EXPECT_EQ(FindMoveEntry(entries, "Garden"), -1);
    EXPECT_EQ(FindMoveEntry(entries, ""), -1);
}

} // namespace
} // namespace kor
