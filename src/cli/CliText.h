#pragma once

#include <string>
#include <string_view>

namespace kor::cli {

// Device and file text (Windows-1252 bytes) as UTF-8 for the terminal, and back for arguments.
std::string TerminalText(std::string_view cp1252);
std::string ArgumentBytes(const std::string& utf8);

} // namespace kor::cli
