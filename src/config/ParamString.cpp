#include "config/ParamString.h"

#include <array>
#include <cstring>
#include <limits>

namespace kor {

std::string UpperCp1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = UpperCp1252(c);
    return out;
}

namespace {

// Case-insensitive search; the needle must already be upper-cased.
std::size_t FindUpper(std::string_view haystack, std::string_view upperNeedle, std::size_t from)
{
    if (upperNeedle.empty())
        return from <= haystack.size() ? from : std::string_view::npos;
    if (haystack.size() < upperNeedle.size())
        return std::string_view::npos;
    const std::size_t last = haystack.size() - upperNeedle.size();
    const char first = upperNeedle.front();
    for (std::size_t i = from; i <= last; ++i) {
        if (UpperCp1252(haystack[i]) != first)
            continue;
        std::size_t k = 1;
        while (k < upperNeedle.size() && UpperCp1252(haystack[i + k]) == upperNeedle[k])
            ++k;
        if (k == upperNeedle.size())
            return i;
    }
    return std::string_view::npos;
}

} // namespace

std::string_view ParamValue(std::string_view key, std::string_view text, char alsoEnds)
{
    // The needle is the key and "="; every "=" in the text is a candidate end of it, and the first
    // candidate whose preceding bytes match is the first match of the whole needle. The key is
    // compared from its last byte, the one next to the "=", which rejects most candidates at once.
    const std::size_t keyLength = key.size();
    std::size_t equals = keyLength;
    for (;;) {
        if (equals >= text.size())
            return {};
        const void* hit = std::memchr(text.data() + equals, '=', text.size() - equals);
        if (!hit)
            return {};
        equals = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        const char* candidate = text.data() + equals - keyLength;
        std::size_t k = keyLength;
        while (k > 0 && UpperCp1252(candidate[k - 1]) == UpperCp1252(key[k - 1]))
            --k;
        if (k == 0)
            break;
        ++equals;
    }
    // The "=" right after the key (a key holding "=" ends at its first one) starts the value.
    equals = text.find('=', equals - keyLength);
    const std::size_t valueFrom = equals + 1;
    // It ends at the first NUL or alsoEnds byte; a value that runs off the end of the text has no
    // end and counts as absent. Two vectorised searches: values can be long.
    const auto firstOf = [&text, valueFrom](char c, std::size_t limit) {
        const void* hit = std::memchr(text.data() + valueFrom, c, limit - valueFrom);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : limit;
    };
    std::size_t end = text.size();
    if (alsoEnds != '\0')
        end = firstOf(alsoEnds, end);
    end = firstOf('\0', end);
    if (end == text.size())
        return {};
    return text.substr(valueFrom, end - valueFrom);
}

std::string GetParam(std::string_view key, std::string_view text)
{
    return std::string(ParamValue(key, text));
}

std::string ReplaceAll(std::string_view find, std::string_view replacement, std::string_view text)
{
    if (find.empty())
        return std::string(text);
    const std::string needle = UpperCp1252(find);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t at = FindUpper(text, needle, pos);
        if (at == std::string_view::npos) {
            result.append(text.substr(pos));
            return result;
        }
        result.append(text.substr(pos, at - pos));
        result.append(replacement);
        pos = at + needle.size();
    }
}

std::string ValueAfterEquals(std::string_view text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::size_t lf = text.find('\n', equals);
    if (lf == std::string_view::npos)
        return std::string(text.substr(equals + 1));
    return std::string(text.substr(equals + 1, lf - equals - 1));
}

std::int16_t SplitText(std::string_view text, std::string_view delimiter, std::vector<std::string>& pieces)
{
    if (text.empty() || delimiter.empty())
        return 0;
    const std::string needle = UpperCp1252(delimiter);
    std::size_t pos = 0;
    std::size_t count = 0;
    for (;;) {
        const std::size_t at = FindUpper(text, needle, pos);
        if (at == std::string_view::npos) {
            if (pos < text.size()) {
                pieces.resize(count + 1);
                pieces[count] = std::string(text.substr(pos));
            }
            break;
        }
        if (count >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
            break;
        pieces.resize(count + 1);
        pieces[count] = std::string(text.substr(pos, at - pos));
        ++count;
        // The next piece starts one byte after the match, as stored callers expect.
        pos = at + 1;
    }
    return static_cast<std::int16_t>(count);
}

void AppendParam(std::string& params, std::string_view key, std::string_view value)
{
    params.append(key);
    params.push_back('=');
    params.append(value);
    params.push_back('\0');
}

void AppendParam(ParamText& params, std::string_view key, std::string_view value)
{
    params += key;
    params += '=';
    params += value;
    params += '\0';
}

ParamPair NextParam(std::string_view params, std::size_t& pos)
{
    std::size_t end = params.find('\0', pos);
    if (end == std::string_view::npos)
        end = params.size();
    const std::string_view pair = params.substr(pos, end - pos);
    pos = end + 1;
    const std::size_t eq = pair.find('=');
    if (eq == std::string_view::npos)
        return ParamPair{pair, {}, false};
    return ParamPair{pair.substr(0, eq), pair.substr(eq + 1), true};
}

std::vector<ParamPair> SplitParams(std::string_view params)
{
    std::vector<ParamPair> pairs;
    std::size_t pos = 0;
    while (pos < params.size())
        pairs.push_back(NextParam(params, pos));
    return pairs;
}

} // namespace kor
