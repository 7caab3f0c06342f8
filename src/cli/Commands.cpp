#include "cli/Commands.h"

namespace kor::cli {

const std::vector<CommandSpec>& AllCommands()
{
    static const std::vector<CommandSpec> commands = {
        ConvertCommand(),
        ShowCommand(),
        CamerasCommand(),
        ModelsCommand(),
        ReportCommand(),
        DownloadCommand(),
        ApplyCommand(),
    };
    return commands;
}

} // namespace kor::cli
