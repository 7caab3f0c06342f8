#pragma once

#include <string>
#include <vector>

namespace kor::cli::test {

// One in-process korctl run: exit status and what it printed.
struct CliRun
{
    int Status = -1;
    std::string Out;
    std::string Err;
};

CliRun Korctl(const std::vector<std::string>& args);

} // namespace kor::cli::test
