#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace kor::cli {

enum ExitCode : int
{
    ExitOk = 0,
    ExitFailed = 1,
    ExitUsage = 2
};

struct OptionSpec
{
    std::string Name;      // without the leading "--"
    std::string ValueName; // empty for a flag
    std::string Help;
};

// Options every command accepts, before or after the command name.
struct GlobalOptions
{
    std::string Database; // --database PATH (companion database)
    std::string Start;    // --start "REMOTE#…$CAMID#…" (the window's command line)
};

class Invocation
{
public:
    Invocation(std::ostream& out, std::ostream& err) : Out(out), Err(err) {}

    bool Has(const std::string& option) const;
    std::string Value(const std::string& option, const std::string& fallback = {}) const;

    std::vector<std::string> Positional;
    std::map<std::string, std::string> Values; // options with a value
    std::vector<std::string> Flags;            // options without a value, in order
    GlobalOptions Globals;
    std::ostream& Out;
    std::ostream& Err;
};

struct CommandSpec
{
    std::string Name;
    std::string Synopsis; // the argument part of the usage line
    std::string Summary;  // one line for the command list
    std::string Details;  // further lines of --help, may be empty
    std::vector<OptionSpec> Options;
    int MinPositional = 0;
    int MaxPositional = 0; // -1 for no limit
    bool NeedsGui = false; // lays out text (PDF): runs under a QGuiApplication, offscreen
    std::function<int(Invocation&)> Run;
};

// A usage error found while running a command: prints the message and the command's usage.
int UsageError(const CommandSpec& command, Invocation& inv, const std::string& message);
// A failed operation: prints "korctl: <message>" on standard error.
int Failure(Invocation& inv, const std::string& message);

void PrintCommandHelp(const CommandSpec& command, std::ostream& out);

} // namespace kor::cli
