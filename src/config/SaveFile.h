#pragma once

#include "config/Result.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>

namespace kor {

// Writes the bytes to a temporary file in the same folder and renames it over the target, so a
// failed write leaves the previous file as it was.
Status SaveFileAtomically(const QString& path, std::string_view bytes);
// The same for bytes that come in pieces: produce hands each piece to the writer it is given, which
// returns false once writing failed, and returns whether all of them were written.
using FilePieceWriter = std::function<bool(std::string_view)>;
Status SaveFileAtomically(const QString& path, const std::function<bool(const FilePieceWriter&)>& produce);

// Reads a whole file; fails when it cannot be opened or read.
Result<std::string> ReadWholeFile(const QString& path);

} // namespace kor
