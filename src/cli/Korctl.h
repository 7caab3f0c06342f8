#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kor::cli {

// Runs korctl with its arguments (without the program name); returns the exit status.
int RunKorctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Whether the command these arguments name needs a QGuiApplication (main creates that instead of
// a QCoreApplication, on the offscreen platform).
bool NeedsGuiApplication(const std::vector<std::string>& args);

} // namespace kor::cli
