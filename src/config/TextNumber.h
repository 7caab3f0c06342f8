#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kor {

// A number in a text: optional blanks, optional sign, decimal digits, optional blanks. No decimal
// point, exponent or hex. Returns nothing for anything else or for a value beyond 64 bits.
std::optional<std::int64_t> ReadNumber(std::string_view text);

// Whether a text reads as a number at all (of any size).
bool IsNumberText(std::string_view text);

// Result of reading a number into a field of limited width.
enum class NumberRead
{
    NotNumber,
    OutOfRange,
    Ok
};

// Reads a number of any size up to 64 bits; OutOfRange beyond that.
NumberRead ReadNumber64(std::string_view text, std::int64_t& out);

template <typename T> NumberRead ReadNumberAs(std::string_view text, T& out);

// Decimal text of an integer, independent of the user's locale.
std::string DecimalText(std::int64_t value);

// Shortest text with a point separator that reads back to the same double; no exponent for
// ordinary magnitudes.
std::string DecimalPointText(double value);

} // namespace kor

#include "config/TextNumber.inl"
