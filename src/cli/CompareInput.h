#pragma once

#include "cli/Command.h"

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"
#include "config/Result.h"
#include "rules/ConfigDiff.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kor::cli {

// A configuration korctl compares: the document and, for an upload file or a camera's text, the
// device line.
struct CompareInput
{
    ConfigDocument Doc;
    std::optional<DeviceLine> Device;

    ConfigSide Side() const { return ConfigSide{&Doc, Device ? &*Device : nullptr}; }
};

// Reads a project file, upload file, configuration text or JSON form.
Status ReadCompareFile(const std::string& path, CompareInput& input);
// Reads a configuration text as the camera gives it (or as this tool kept it).
Status ReadCompareText(std::string_view text, CompareInput& input);

// The changes one a line, "same" when there are none; or as JSON. Passwords show as changed only.
void PrintChanges(const std::vector<ConfigChange>& changes, bool json, const LangTextLookup& langText,
                  std::ostream& out);

} // namespace kor::cli
