#pragma once

#include "cli/Command.h"

#include "config/ConfigDocument.h"
#include "config/Result.h"

#include <QString>

#include <string>
#include <string_view>

namespace kor::cli {

// Loads IN for a command: a reset document, the file read completely, and a clear message naming
// the file (and the line) on failure.
Status LoadProjectForCli(ConfigDocument& doc, const std::string& path);

} // namespace kor::cli
