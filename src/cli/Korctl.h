#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kor::cli {

// Runs korctl with its arguments (without the program name); returns the exit status.
int RunKorctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kor::cli
