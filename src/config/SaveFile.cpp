#include "config/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kor {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// What stands at the path when it is not a regular file, or "" when it is one or nothing is there.
std::string NotARegularFile(const QString& path)
{
    namespace fs = std::filesystem;
    const fs::path where(path.toStdString());
    std::error_code ec;
    const fs::file_status link = fs::symlink_status(where, ec);
    if (ec || link.type() == fs::file_type::not_found)
        return {};
    const fs::file_status target = fs::status(where, ec);
    switch (ec ? fs::file_type::not_found : target.type()) {
    case fs::file_type::regular:
        return {};
    case fs::file_type::not_found:
        return "a symbolic link to nothing";
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::character:
    case fs::file_type::block:
        return "a device";
    case fs::file_type::fifo:
        return "a FIFO (named pipe)";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "not a regular file";
    }
}

} // namespace

Status SaveFileAtomically(const QString& path, std::string_view bytes, FileAccess access)
{
    return SaveFileAtomically(
        path, [bytes](const FilePieceWriter& write) { return write(bytes); }, access);
}

Status SaveFileAtomically(const QString& path, const std::function<bool(const FilePieceWriter&)>& produce,
                          FileAccess access)
{
    // Renaming over a device or a FIFO would replace it with a plain file.
    if (const std::string what = NotARegularFile(path); !what.empty())
        return Status::Fail(path.toStdString() + " is " + what + ", not a regular file; it is left alone");
    const bool existed = QFile::exists(path);
    QSaveFile file(path);
    // Unbuffered, so that a full disk is reported by the write that met it, with its own reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Status::Fail(file.errorString().toStdString());
    if ((access == FileAccess::OwnerOnly || (access == FileAccess::Private && !existed)) &&
        !file.setPermissions(kOwnerOnly)) {
        file.cancelWriting();
        return Status::Fail("cannot make the file private: " + file.errorString().toStdString());
    }
    const FilePieceWriter write = [&file](std::string_view piece) {
        // A write that stops short says nothing; the next one meets the reason (a full disk).
        while (!piece.empty()) {
            const qint64 written = file.write(piece.data(), static_cast<qint64>(piece.size()));
            if (written <= 0)
                return false;
            piece.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    };
    if (!produce(write)) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return Status::Fail(reason);
    }
    if (!file.commit())
        return Status::Fail(file.errorString().toStdString());
    return Status::Ok();
}

std::string TooLargeReason(std::size_t limit)
{
    return "larger than " + std::to_string(limit >> 20) + " MiB, the most this program reads";
}

Result<std::string> ReadWholeFile(const QString& path, std::size_t limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::Fail(file.errorString().toStdString());
    // A regular file says its size; devices and pipes are read in pieces up to the limit.
    if (!file.isSequential() && static_cast<std::size_t>(file.size()) > limit)
        return Status::Fail(TooLargeReason(limit));
    constexpr qint64 kPiece = 64 * 1024;
    std::string bytes;
    if (!file.isSequential())
        bytes.reserve(static_cast<std::size_t>(file.size()) + 1);
    for (;;) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kPiece);
        const qint64 got = file.read(bytes.data() + had, kPiece);
        bytes.resize(had + static_cast<std::size_t>(std::max<qint64>(got, 0)));
        if (got < 0)
            return Status::Fail(file.errorString().toStdString());
        if (bytes.size() > limit)
            return Status::Fail(TooLargeReason(limit));
        if (got == 0)
            break;
    }
    bytes.shrink_to_fit();
    return bytes;
}

Status MakePrivateFolder(const QString& path, ExistingFolder existing)
{
    const auto makePrivate = [&path] {
        if (!QFile::setPermissions(path, kOwnerOnly | QFileDevice::ExeOwner))
            return Status::Fail("cannot make the folder " + path.toStdString() + " private");
        return Status::Ok();
    };
    if (QDir(path).exists())
        return existing == ExistingFolder::MakePrivate ? makePrivate() : Status::Ok();
    if (!QDir().mkpath(path))
        return Status::Fail("cannot create the folder " + path.toStdString());
    return makePrivate();
}

} // namespace kor
