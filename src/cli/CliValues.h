#pragma once

#include "cli/Command.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kor::cli {

// Checks of option values shared by the database commands. Each returns false after printing why:
// a value that cannot be right is a failed operation (exit 1), a malformed 0|1 flag a usage error.

// The option's value as a whole number within [min, max].
bool NumberOption(Invocation& inv, const std::string& name, std::int64_t min, std::int64_t max,
                  std::int64_t& out);
// An optional 0|1 option (fallback when absent); status gets the exit status on failure.
bool FlagOption(const CommandSpec& command, Invocation& inv, const std::string& name, bool fallback,
                bool& out, int& status);
// A text without control characters (they would break the device's line-based files), converted
// to Windows-1252 bytes; empty only when allowEmpty.
bool TextOption(Invocation& inv, const std::string& name, bool allowEmpty, std::string& out);

// Dotted IPv4 address of four decimal numbers 0..255 without leading zeros (which some resolvers
// read as octal, reaching another host), and not 0.0.0.0 (the address entry's "none").
bool IsDottedAddress(std::string_view text);

// Options given that the action does not take: a usage error naming the first, or ExitOk.
int RejectOptions(const CommandSpec& command, Invocation& inv, const std::string& action,
                  std::initializer_list<const char*> allowed);

} // namespace kor::cli
