#pragma once

#include "cli/Command.h"

#include <vector>

namespace kor::cli {

// Every korctl command. Each command lives in its own Cmd<Name>.cpp and is listed here.
const std::vector<CommandSpec>& AllCommands();

CommandSpec ConvertCommand();
CommandSpec ShowCommand();
CommandSpec CamerasCommand();
CommandSpec ModelsCommand();
CommandSpec ReportCommand();
CommandSpec DownloadCommand();
CommandSpec ApplyCommand();
CommandSpec CheckCommand();
CommandSpec DiffCommand();
CommandSpec HistoryCommand();

} // namespace kor::cli
