#pragma once

#include "config/Result.h"
#include "config/ValueRules.h"

#include <optional>
#include <string>
#include <string_view>

namespace kor::cli {

// Device and file text (Windows-1252 bytes) as UTF-8 for the terminal. Control characters other
// than tab and line end are shown escaped ("\x1B"), so a name never drives the terminal.
std::string TerminalText(std::string_view cp1252);
// An argument as Windows-1252 bytes; a character the code page lacks, or one a value of kind cannot
// carry in the configuration file, fails, naming the field.
Result<std::string> ArgumentBytes(const std::string& utf8, std::string_view field,
                                  std::optional<ValueKind> kind = std::nullopt);

} // namespace kor::cli
