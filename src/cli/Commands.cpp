#include "cli/Commands.h"

namespace kor::cli {

const std::vector<CommandSpec>& AllCommands()
{
    static const std::vector<CommandSpec> commands = {
        ConvertCommand(),
        ShowCommand(),
        ReportCommand(),
    };
    return commands;
}

} // namespace kor::cli
