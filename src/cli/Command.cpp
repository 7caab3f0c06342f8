#include "cli/Command.h"

#include <algorithm>
#include <ostream>

namespace kor::cli {

bool Invocation::Has(const std::string& option) const
{
    return Values.count(option) > 0 || std::find(Flags.begin(), Flags.end(), option) != Flags.end();
}

std::string Invocation::Value(const std::string& option, const std::string& fallback) const
{
    const auto it = Values.find(option);
    return it == Values.end() ? fallback : it->second;
}

void PrintCommandHelp(const CommandSpec& command, std::ostream& out)
{
    out << "Usage: korctl " << command.Name;
    if (!command.Synopsis.empty())
        out << ' ' << command.Synopsis;
    out << "\n\n" << command.Summary << "\n";
    if (!command.Details.empty())
        out << "\n" << command.Details << "\n";
    out << "\nOptions:\n";
    std::vector<OptionSpec> all = command.Options;
    all.push_back({"database", "PATH", "companion database file (default: the configured one)"});
    all.push_back({"start", "TEXT", "the window's start command line, for relay settings"});
    all.push_back({"help", "", "show this help"});
    for (const OptionSpec& option : all) {
        std::string left = "  --" + option.Name;
        if (!option.ValueName.empty())
            left += " " + option.ValueName;
        out << left;
        // At least two blanks before the text, so the value name and the text stay apart.
        if (left.size() + 2 <= 28)
            out << std::string(28 - left.size(), ' ');
        else
            out << "\n" << std::string(28, ' ');
        out << option.Help << "\n";
    }
}

int UsageError(const CommandSpec& command, Invocation& inv, const std::string& message)
{
    inv.Err << "korctl " << command.Name << ": " << message << "\n\n";
    PrintCommandHelp(command, inv.Err);
    return ExitUsage;
}

int Failure(Invocation& inv, const std::string& message)
{
    inv.Err << "korctl: " << message << "\n";
    return ExitFailed;
}

} // namespace kor::cli
