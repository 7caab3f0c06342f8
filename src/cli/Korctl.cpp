#include "cli/Korctl.h"

#include "KorBuild.h"
#include "cli/Commands.h"

#include "config/TextNumber.h"

#include <ostream>

namespace kor::cli {

namespace {

void PrintGeneralHelp(std::ostream& out)
{
    out << "Usage: korctl COMMAND [ARGUMENTS] [OPTIONS]\n\n"
           "Configures the alarm application of a network camera from the command line.\n\n"
           "Commands:\n";
    for (const CommandSpec& command : AllCommands()) {
        std::string left = "  " + command.Name;
        out << left << std::string(left.size() < 14 ? 14 - left.size() : 1, ' ') << command.Summary << "\n";
    }
    out << "\nGlobal options:\n"
           "  --database PATH           companion database file\n"
           "  --start TEXT              the window's start command line (REMOTE#…$CAMID#…)\n"
           "  --help                    this text\n"
           "  --version                 the program's version\n\n"
           "Run 'korctl COMMAND --help' for the arguments of a command.\n"
           "Exit status: 0 success, 1 the operation failed, 2 usage error.\n";
}

const CommandSpec* FindCommand(const std::string& name)
{
    for (const CommandSpec& command : AllCommands()) {
        if (command.Name == name)
            return &command;
    }
    return nullptr;
}

const OptionSpec* FindOption(const CommandSpec& command, const std::string& name)
{
    for (const OptionSpec& option : command.Options) {
        if (option.Name == name)
            return &option;
    }
    return nullptr;
}

} // namespace

bool NeedsGuiApplication(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--database" || args[i] == "--start") {
            ++i;
            continue;
        }
        if (args[i].rfind("-", 0) != 0) {
            const CommandSpec* command = FindCommand(args[i]);
            return command && command->NeedsGui;
        }
    }
    return false;
}

int RunKorctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // The command is the first argument that is neither an option nor a global option's value.
    const CommandSpec* command = nullptr;
    std::vector<std::string> rest;
    GlobalOptions globals;
    bool wantsHelp = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg;
        std::string inlineValue;
        bool hasInline = false;
        if (arg.rfind("--", 0) == 0) {
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                inlineValue = arg.substr(eq + 1);
                hasInline = true;
            }
        }
        if (name == "--database" || name == "--start") {
            std::string value;
            if (hasInline) {
                value = inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                err << "korctl: " << name << " needs a value\n";
                return ExitUsage;
            }
            (name == "--database" ? globals.Database : globals.Start) = value;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            wantsHelp = true;
            continue;
        }
        if (arg == "--version") {
            out << "korctl " << build::Version << "\n";
            return ExitOk;
        }
        if (!command && arg.rfind("-", 0) != 0) {
            command = FindCommand(arg);
            if (!command) {
                err << "korctl: unknown command '" << arg << "'\n\n";
                PrintGeneralHelp(err);
                return ExitUsage;
            }
            continue;
        }
        rest.push_back(arg);
    }

    if (!command) {
        if (wantsHelp) {
            PrintGeneralHelp(out);
            return ExitOk;
        }
        PrintGeneralHelp(err);
        return ExitUsage;
    }
    if (wantsHelp) {
        PrintCommandHelp(*command, out);
        return ExitOk;
    }

    Invocation inv(out, err);
    inv.Globals = globals;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (arg.rfind("--", 0) != 0 || arg == "--") {
            if (arg == "--") {
                inv.Positional.insert(inv.Positional.end(), rest.begin() + static_cast<long>(i) + 1,
                                      rest.end());
                break;
            }
            if (arg.size() > 1 && arg[0] == '-')
                return UsageError(*command, inv, "unknown option '" + arg + "'");
            inv.Positional.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::string value;
        bool hasValue = false;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        const OptionSpec* option = FindOption(*command, name);
        if (!option)
            return UsageError(*command, inv, "unknown option '--" + name + "'");
        if (option->ValueName.empty()) {
            if (hasValue)
                return UsageError(*command, inv, "option '--" + name + "' takes no value");
            inv.Flags.push_back(name);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= rest.size())
                return UsageError(*command, inv, "option '--" + name + "' needs a value");
            value = rest[++i];
        }
        // A value of the wrong form is a usage error, whichever option it is given to; a number
        // outside its range is the operation's to refuse.
        const bool numeric =
            option->ValueName == "N" || option->ValueName == "ID" || option->ValueName == "MS";
        if (numeric && !ReadNumber(value))
            return UsageError(*command, inv, "--" + name + " takes a whole number, not '" + value + "'");
        if (option->ValueName == "0|1" && value != "0" && value != "1")
            return UsageError(*command, inv, "--" + name + " takes 0 or 1, not '" + value + "'");
        inv.Values[name] = value;
    }
    const int count = static_cast<int>(inv.Positional.size());
    if (count < command->MinPositional)
        return UsageError(*command, inv, "missing arguments");
    if (command->MaxPositional >= 0 && count > command->MaxPositional)
        return UsageError(*command, inv, "too many arguments");
    try {
        return command->Run(inv);
    } catch (const std::exception& e) {
        return Failure(inv, std::string("unexpected error: ") + e.what());
    }
}

} // namespace kor::cli
