#pragma once

#include "cli/Command.h"

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"
#include "config/Result.h"
#include "rules/CameraDrift.h"
#include "rules/ConfigDiff.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kor::cli {

// Reads a project file, upload file, configuration text or JSON form.
Status ReadCompareFile(const std::string& path, CompareInput& input);

// The changes one a line, "same" when there are none; or as JSON. Passwords show as changed only.
void PrintChanges(const std::vector<ConfigChange>& changes, bool json, const LangTextLookup& langText,
                  std::ostream& out);

} // namespace kor::cli
