#pragma once

#include <string>
#include <string_view>

namespace kor {

// The value of the pair whose key is exactly key (letters compared without regard to case), or ""
// when there is none; like GetParam, the pair must be ended by its NUL. Unlike GetParam it never
// matches inside a value, so a password holding "TM=" or a folder holding "PRFX=" cannot pass for
// a later key when an editor reopens its own action. The editors read their keys with it.
std::string ReadParam(std::string_view params, std::string_view key);

// The numeric value of a field is above zero: digits (optional blanks around them) with at least
// one that is not 0. Anything else counts as 0.
bool IsPositiveNumber(std::string_view text);

} // namespace kor
