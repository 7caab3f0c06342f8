#pragma once

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"
#include "config/ConfigJson.h"
#include "rules/ActionFields.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kor::cli {

// What `show` prints of a configuration, as text and as JSON.

struct Pair
{
    std::string_view Key;
    std::string_view Value;
};

// The pairs of a parameter string, as views into it; a value under a password key is masked.
void ParamPairs(std::string_view params, std::vector<Pair>& pairs);

inline constexpr const char* kDayNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

} // namespace kor::cli
