#include "config/ConfigFiles.h"

#include "config/SaveFile.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <memory>

namespace kor {

namespace {

// Reads the whole file into one buffer of its size, which the document then parses in place. A file
// over the limit is refused before it is read; one that tells no size is read up to it.
Status ReadFileBuffer(const QString& path, std::shared_ptr<char[]>& bytes, std::size_t& size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Status::Fail(file.errorString().toStdString());
    if (file.isSequential() || file.size() == 0) {
        // A pipe or a special file tells no size: read it whole (within the limit) first.
        file.close();
        Result<std::string> all = ReadWholeFile(path, kMaxConfigFileBytes);
        if (all.failed())
            return all.status();
        size = all->size();
        bytes = std::make_shared_for_overwrite<char[]>(size + 1);
        std::memcpy(bytes.get(), all->data(), size);
        return Status::Ok();
    }
    const qint64 expected = file.size();
    if (static_cast<std::size_t>(expected) > kMaxConfigFileBytes)
        return Status::Fail(TooLargeReason(kMaxConfigFileBytes));
    bytes = std::make_shared_for_overwrite<char[]>(static_cast<std::size_t>(expected));
    qint64 got = 0;
    while (got < expected) {
        const qint64 n = file.read(bytes.get() + got, expected - got);
        if (n < 0)
            return Status::Fail(file.errorString().toStdString());
        if (n == 0)
            break;
        got += n;
    }
    size = static_cast<std::size_t>(got);
    return Status::Ok();
}

} // namespace

Status LoadConfig(ConfigDocument& doc, const std::string& source, bool sourceIsText, LoadResult* detail)
{
    LoadResult outcome;
    if (sourceIsText) {
        doc.CurrentFileName.clear();
        outcome = ParseConfigText(doc, source);
    } else {
        doc.Saved = true;
        doc.CurrentFileName = source;
        std::shared_ptr<char[]> bytes;
        std::size_t size = 0;
        const Status read = ReadFileBuffer(QString::fromStdString(source), bytes, size);
        if (read.failed()) {
            outcome.Outcome = read;
        } else if (const void* nul = std::memchr(bytes.get(), '\0', size)) {
            // Configuration texts never hold a NUL byte; this is some other kind of file.
            const auto at = static_cast<const char*>(nul) - bytes.get();
            outcome.Outcome =
                Status::Fail("not a configuration text (binary data at byte " + std::to_string(at) + ")");
        } else {
            outcome = ParseConfigText(doc, std::move(bytes), size);
        }
    }
    Status status = outcome.Outcome;
    if (detail)
        *detail = std::move(outcome);
    return status;
}

Status WriteAlarmAppFile(const ConfigDocument& doc, const QString& workFolder, const DeviceLine& device)
{
    const QString path = QDir(workFolder).filePath(QString::fromLatin1(kAlarmAppFileName));
    // The first line holds the camera password.
    return SaveFileAtomically(
        path, [&](const FilePieceWriter& write) { return WriteAlarmAppText(doc, device, write); },
        FileAccess::OwnerOnly);
}

Status SaveProjectFile(const ConfigDocument& doc, const QString& path)
{
    return SaveFileAtomically(
        path, [&](const FilePieceWriter& write) { return WriteProjectText(doc, write); },
        FileAccess::Private);
}

} // namespace kor
