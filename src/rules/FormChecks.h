#pragma once

#include "config/ConfigDocument.h"

#include <string>
#include <vector>

namespace kor {

// What the rule-editing screens would not let a user enter, found in a document loaded from a
// file: buffer values outside their spinners or the buffer limits, a base code the detector page
// cannot hold, a used rule the catalogue does not list, an interval the time table would not add.
// One line per finding; none for a document the screens accept as it is.
std::vector<std::string> RuleFormFindings(const ConfigDocument& doc);

} // namespace kor
