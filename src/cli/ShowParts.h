#pragma once

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"
#include "config/ConfigJson.h"
#include "rules/ActionFields.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace kor::cli {

// What `show` prints of a configuration, as text and as JSON.

struct Pair
{
    std::string_view Key;
    std::string_view Value;
};

// Visits the pairs of a parameter string in order, as views into it; a value under a password key is
// masked. Nothing is collected: a long string of short pairs would take many times its size.
void ForEachPair(std::string_view params, const std::function<void(const Pair& pair, bool last)>& visit);

inline constexpr const char* kDayNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

// The document as text: rules, actions with their parameters (passwords masked), settings.
void PrintShowText(const ConfigDocument& doc, const LangTextLookup& langText, std::ostream& out);

} // namespace kor::cli
