#include "CliRun.h"

#include "cli/Korctl.h"

#include <sstream>

namespace kor::cli::test {

CliRun Korctl(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.Status = RunKorctl(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

} // namespace kor::cli::test
