#include "device/PulsePattern.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

constexpr std::string_view kCodeHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30\\30/30/30\\700/30";
constexpr std::string_view kSensorHeader =
    "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30/30\\700/30\\30\\30";
constexpr std::string_view kMaskHeader = "/30/30\\30/30\\30/30\\30\\700/30/30\\30\\30/30\\30\\30\\700/30";

std::string BitPieces(std::string_view bits)
{
    std::string out;
    for (char b : bits)
        out += b == '1' ? "/30" : "\\30";
    return out;
}

} // namespace

std::string AdaptPattern(std::string_view pattern, bool invertedOutput, std::int32_t pulseTime)
{
    std::string out(pattern);
    if (invertedOutput) {
        for (char& c : out) {
            if (c == '/')
                c = '\\';
            else if (c == '\\')
                c = '/';
        }
    }
    if (pulseTime != 30)
        out = ReplaceAll("30", DecimalText(pulseTime), out);
    return out;
}

std::string ByteToBits(std::uint8_t value)
{
    std::string bits;
    for (int bit = 7; bit >= 0; --bit)
        bits.push_back((value >> bit) & 1 ? '1' : '0');
    return bits;
}

std::string CodePattern(std::uint8_t baseCode)
{
    return std::string(kCodeHeader) + BitPieces(ByteToBits(baseCode).substr(2)) + "\\";
}

std::string SensorPattern(int sensor, bool flag)
{
    return std::string(kSensorHeader) + BitPieces(ByteToBits(static_cast<std::uint8_t>(sensor)).substr(5)) +
           (flag ? "/30\\" : "\\30\\");
}

std::string MaskPattern(const std::array<bool, 6>& mask)
{
    std::string out(kMaskHeader);
    for (int i = 5; i >= 0; --i)
        out += mask[static_cast<std::size_t>(i)] ? "\\30" : "/30";
    return out + "\\";
}

} // namespace kor
