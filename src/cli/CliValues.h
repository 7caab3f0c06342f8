#pragma once

#include "cli/Command.h"

#include "config/Result.h"
#include "config/ValueRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor::cli {

// Checks of option values shared by the database commands; out is set when the value is right. A
// value that cannot be right is a failed operation (exit 1), a malformed 0|1 flag a usage error.

// The option's value as a whole number within [min, max].
Status NumberOption(const Invocation& inv, const std::string& name, std::int64_t min, std::int64_t max,
                    std::int64_t& out);
// An optional 0|1 option (fallback when absent).
Status FlagOption(const Invocation& inv, const std::string& name, bool fallback, bool& out);
// A text without control characters (they would break the device's line-based files), converted
// to Windows-1252 bytes; empty only when allowEmpty. A text that goes into the configuration file
// also holds only what a value of its kind can carry there.
Status TextOption(const Invocation& inv, const std::string& name, bool allowEmpty, std::string& out,
                  std::optional<ValueKind> kind = std::nullopt);
// The first failure among checks made in order, or success.
Status FirstFailure(std::initializer_list<Status> checks);

// Dotted IPv4 address of four decimal numbers 0..255 without leading zeros (which some resolvers
// read as octal, reaching another host), and not 0.0.0.0 (the address entry's "none").
bool IsDottedAddress(std::string_view text);

// A camera list: "all" (every id of allIds) or ids and ranges ("1,4,7-12"), in the order given,
// each id once. Ids outside 16 bits, reversed ranges and anything else that is not a list fail.
Result<std::vector<std::int32_t>> CameraList(std::string_view text, const std::vector<std::int32_t>& allIds);

// Options given that the action does not take: a usage error naming the first, or ExitOk.
int RejectOptions(const CommandSpec& command, Invocation& inv, const std::string& action,
                  std::initializer_list<const char*> allowed);

} // namespace kor::cli
