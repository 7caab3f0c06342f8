#include "device/FirmwareRelease.h"

#include <algorithm>
#include <cctype>

namespace kor {

namespace {

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

} // namespace

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from)
{
    if (from > text.size())
        return std::string_view::npos;
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                                what.end(), SameLetter);
    if (it == text.end() && !what.empty())
        return std::string_view::npos;
    return static_cast<std::size_t>(it - text.begin());
}

std::string ParseFirmwareRelease(std::string_view text)
{
    static constexpr std::string_view kLabel = "Firmware release:";
    const std::size_t start = FindNoCase(text, kLabel);
    if (start == std::string_view::npos)
        return "00";
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string_view::npos || lf - start > 100)
        return "00";
    const std::string_view line = text.substr(start, lf - start);
    const std::size_t two = line.find(" 2.");
    if (two == std::string_view::npos)
        return "00";
    return std::string(line.substr(two + 1, 4));
}

std::optional<std::string> FirmwareFromServerReport(std::string_view piece)
{
    piece = piece.substr(0, 2000);
    const std::string_view head = piece.substr(0, 100);
    std::string release;
    const std::size_t word = FindNoCase(head, "release");
    const std::size_t open = word == std::string_view::npos ? std::string_view::npos : head.find('"', word);
    if (open == std::string_view::npos) {
        release = ParseFirmwareRelease(piece);
    } else {
        const std::size_t close = piece.find('"', open + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view quoted = piece.substr(open + 1, close - open - 1);
        const std::size_t space = quoted.rfind(' ');
        release = std::string(space == std::string_view::npos ? quoted : quoted.substr(space + 1));
    }
    if (release.empty())
        release = "00";
    return release;
}

} // namespace kor
