#pragma once

#include "config/Result.h"

#include <QString>

#include <string>
#include <string_view>

namespace kor {

// Writes the bytes to a temporary file in the same folder and renames it over the target, so a
// failed write leaves the previous file as it was.
Status SaveFileAtomically(const QString& path, std::string_view bytes);

// Reads a whole file; fails when it cannot be opened or read.
Result<std::string> ReadWholeFile(const QString& path);

} // namespace kor
