#pragma once

#include "config/ParamText.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// Settings travel as KEY=VALUE pairs, each ended by one NUL byte. Keys match without regard to
// case; the first textual match wins (a key that is the tail of a longer key matches there), and
// stored files rely on that.
std::string GetParam(std::string_view key, std::string_view text);
// GetParam as a view into text. alsoEnds is one more byte that ends a value as NUL does (";" in a
// configuration line, whose fields GetParam reads once ";" has become NUL).
std::string_view ParamValue(std::string_view key, std::string_view text, char alsoEnds = '\0');

// Replaces every occurrence of find (compared without regard to case); replaced text is never
// searched again. An empty find returns the text unchanged.
std::string ReplaceAll(std::string_view find, std::string_view replacement, std::string_view text);

// The value of a single name=value line: the characters after the first "=" up to the next LF.
std::string ValueAfterEquals(std::string_view text);

// Splits at every delimiter. Returns the number of delimiter-terminated pieces; a non-empty
// unterminated tail is stored in the entry after them without being counted. An empty text
// leaves pieces untouched.
std::int16_t SplitText(std::string_view text, std::string_view delimiter, std::vector<std::string>& pieces);

// One pair of a parameter string, as views into it.
struct ParamPair
{
    std::string_view Key;
    std::string_view Value;
    bool HasValue = false; // the pair holds "="
};
// The pairs in stored order; a last pair without its NUL counts too.
std::vector<ParamPair> SplitParams(std::string_view params);
// The pair that starts at pos; moves pos past its NUL. Call while pos < params.size(): the loop
// SplitParams runs, for writers that stream the pairs.
ParamPair NextParam(std::string_view params, std::size_t& pos);

// Appends one KEY=VALUE pair with its NUL terminator.
void AppendParam(std::string& params, std::string_view key, std::string_view value);
void AppendParam(ParamText& params, std::string_view key, std::string_view value);

namespace detail {
constexpr char UpperOf(unsigned char u)
{
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 0x20);
    switch (u) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return static_cast<char>(u);
    }
}

inline constexpr std::array<char, 256> kUpperCp1252 = [] {
    std::array<char, 256> map{};
    for (int i = 0; i < 256; ++i)
        map[static_cast<std::size_t>(i)] = UpperOf(static_cast<unsigned char>(i));
    return map;
}();
} // namespace detail

// Upper-cases one Windows-1252 byte (ASCII and the accented letters of the code page). Inline:
// the parsers call it for every byte they compare.
inline char UpperCp1252(char c)
{
    return detail::kUpperCp1252[static_cast<unsigned char>(c)];
}
std::string UpperCp1252(std::string_view text);

// Whether a parameter key is PWD, the key of every password, in any case.
inline bool IsPasswordKey(std::string_view key)
{
    return key.size() == 3 && UpperCp1252(key[0]) == 'P' && UpperCp1252(key[1]) == 'W' &&
           UpperCp1252(key[2]) == 'D';
}

} // namespace kor
