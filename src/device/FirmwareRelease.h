#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kor {

// The release of a "Firmware release:" line whose release has major number 2 ("2.40"), else "00".
std::string ParseFirmwareRelease(std::string_view text);

// The release from the head of a server report (at most 2000 characters): the last word of the
// quoted text after "release" in its first 100 characters, or ParseFirmwareRelease of the piece.
// Nothing when the quotation opened after "release" never closes. An empty result reads "00", so
// identification runs once per run.
std::optional<std::string> FirmwareFromServerReport(std::string_view piece);

// Searches without regard to ASCII letter case; npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0);

} // namespace kor
