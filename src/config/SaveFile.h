#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kor {

// Writes the bytes to a temporary file in the same folder and renames it over the target, so a
// failed write leaves the previous file as it was. Returns false and the reason on failure.
bool SaveFileAtomically(const QString& path, std::string_view bytes, std::string* error = nullptr);

// Reads a whole file. Returns false and an error text when it cannot be opened or read.
bool ReadWholeFile(const QString& path, std::string& bytes, std::string* error = nullptr);

} // namespace kor
