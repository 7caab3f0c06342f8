#include "config/TextNumber.h"

#include <charconv>
#include <cmath>

namespace kor {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Strips blanks and splits off the sign; returns false when what remains is not all digits.
bool SplitNumber(std::string_view text, bool& negative, std::string_view& digits)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    negative = false;
    if (b < e && (text[b] == '+' || text[b] == '-')) {
        negative = text[b] == '-';
        ++b;
    }
    digits = text.substr(b, e - b);
    if (digits.empty())
        return false;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

NumberRead ReadNumber64(std::string_view text, std::int64_t& out)
{
    bool negative = false;
    std::string_view digits;
    if (!SplitNumber(text, negative, digits))
        return NumberRead::NotNumber;
    std::uint64_t magnitude = 0;
    for (char c : digits) {
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (std::numeric_limits<std::uint64_t>::max() - d) / 10)
            return NumberRead::OutOfRange;
        magnitude = magnitude * 10 + d;
    }
    constexpr auto maxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > maxPositive + (negative ? 1 : 0))
        return NumberRead::OutOfRange;
    if (negative)
        out = magnitude == maxPositive + 1 ? std::numeric_limits<std::int64_t>::min()
                                           : -static_cast<std::int64_t>(magnitude);
    else
        out = static_cast<std::int64_t>(magnitude);
    return NumberRead::Ok;
}

bool IsNumberText(std::string_view text)
{
    bool negative = false;
    std::string_view digits;
    return SplitNumber(text, negative, digits);
}

std::optional<std::int64_t> ReadNumber(std::string_view text)
{
    std::int64_t value = 0;
    if (ReadNumber64(text, value) != NumberRead::Ok)
        return std::nullopt;
    return value;
}

std::string DecimalText(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string DecimalPointText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return "0";
    char buffer[64];
    // Fixed notation for ordinary magnitudes, the shortest form that reads back the same.
    if (std::fabs(value) >= 1e-6 && std::fabs(value) < 1e15) {
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        if (r.ec == std::errc())
            return std::string(buffer, r.ptr);
    }
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

} // namespace kor
