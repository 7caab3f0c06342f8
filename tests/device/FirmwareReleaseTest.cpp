#include "device/FirmwareRelease.h"
#include "device/UploadPlan.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

TEST(FirmwareReleaseTest, ParseFirmwareRelease)
{
    const std::string longLine = "Firmware release: " + std::string(100, 'x') + " 2.40\n";
    const struct
    {
        std::string Text;
        std::string Expected;
    } rows[] = {
        {"Firmware release: 2.40\n", "2.40"},
        {"head\nfirmware RELEASE: 2.41 build\n", "2.41"},
        {"Firmware release: 4.10\n", "00"},
        {"Firmware release: 2.40", "00"}, // no line end
        {longLine, "00"},                 // line end more than 100 characters away
        {"no such line\n", "00"},
        {"Firmware release:2.40\n", "00"}, // " 2." needs its blank
        {"Firmware release: 2.4\n", "2.4"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseFirmwareRelease(row.Text), row.Expected) << row.Text;
}

TEST(FirmwareReleaseTest, ServerReportHead)
{
    const std::string filler(120, '-');
    const struct
    {
        std::string Piece;
        std::optional<std::string> Expected;
    } rows[] = {
        {"Product: X\nrelease = \"AXIS Q1 version 2.41\"\n", "2.41"},
        {"Release \"single\"\n", "single"},
        {"release \"\"\n", "00"},                        // empty quote: once only
        {filler + "\nFirmware release: 2.40\n", "2.40"}, // word beyond the head
        {filler + "\nFirmware release: 4.10\n", "00"},
        {"release without quotation\nFirmware release: 2.30\n", "2.30"},
        {"release \"never closes 2.40\n", std::nullopt},
        {filler + " release \"2.40\"", "00"}, // quote outside the head
        {"", "00"},
        {std::string(1990, 'x') + "\nFirmware release: 2.40\n", "00"}, // only the first 2000 characters
    };
    for (const auto& row : rows)
        EXPECT_EQ(FirmwareFromServerReport(row.Piece), row.Expected) << row.Piece;
}

TEST(UploadPlanTest, PieceSizes)
{
    using V = std::vector<std::size_t>;
    // 0, 4000, 4001 and 9000 bytes are the simulator run's, on the wire.
    EXPECT_EQ(UploadPieceSizes(1), V{1});
    EXPECT_EQ(UploadPieceSizes(6000), (V{3000, 3000}));
    EXPECT_EQ(UploadPieceSizes(9001), (V{3000, 3000, 3000, 1}));
}

} // namespace
} // namespace kor
