#pragma once

#include "config/Result.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kor {

// Who may read a file the program writes.
enum class FileAccess
{
    // A new file gets the usual mode; an existing one keeps its mode (reports).
    Usual,
    // A new file is readable by the user alone; an existing one keeps the mode its owner gave it
    // (the user's project and upload files, which may hold passwords).
    Private,
    // Always readable by the user alone (the work folder's files, which hold the camera password).
    OwnerOnly,
};

// Writes the bytes to a temporary file in the same folder and renames it over the target, so a
// failed write leaves the previous file as it was. An existing target that is not a regular file
// (or a symbolic link to one) is refused: a device, FIFO or folder is never replaced.
Status SaveFileAtomically(const QString& path, std::string_view bytes, FileAccess access = FileAccess::Usual);
// The same for bytes that come in pieces: produce hands each piece to the writer it is given, which
// returns false once writing failed, and returns whether all of them were written.
using FilePieceWriter = std::function<bool(std::string_view)>;
Status SaveFileAtomically(const QString& path, const std::function<bool(const FilePieceWriter&)>& produce,
                          FileAccess access = FileAccess::Usual);

// The most ReadWholeFile takes by default: far above any file the program reads (application
// programs included), far below what would exhaust memory.
inline constexpr std::size_t kMaxReadBytes = std::size_t{64} << 20;

// Reads a whole file of at most limit bytes; fails when it cannot be opened or read, or is larger
// (also a device or pipe that never ends): nothing beyond the limit is read.
Result<std::string> ReadWholeFile(const QString& path, std::size_t limit = kMaxReadBytes);

// The reason given for a file over the limit.
std::string TooLargeReason(std::size_t limit);

// Makes sure the folder exists; one this creates is readable by the user alone. MakePrivate also
// takes the others' access to an existing one (the per-user folders).
enum class ExistingFolder
{
    LeaveAlone,
    MakePrivate
};
Status MakePrivateFolder(const QString& path, ExistingFolder existing = ExistingFolder::LeaveAlone);

} // namespace kor
