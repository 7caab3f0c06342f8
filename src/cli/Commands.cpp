#include "cli/Commands.h"

namespace kor::cli {

const std::vector<CommandSpec>& AllCommands()
{
    // clang-format off
    static const std::vector<CommandSpec> commands = {
        ConvertCommand(),
        ShowCommand(),
        CheckCommand(),
        DiffCommand(),
        CamerasCommand(),
        ModelsCommand(),
        ReportCommand(),
        DownloadCommand(),
        ApplyCommand(),
        HistoryCommand(),
    };
    // clang-format on
    return commands;
}

} // namespace kor::cli
