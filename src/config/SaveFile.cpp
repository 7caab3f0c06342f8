#include "config/SaveFile.h"

#include <QFile>
#include <QSaveFile>

namespace kor {

Status SaveFileAtomically(const QString& path, std::string_view bytes)
{
    return SaveFileAtomically(path, [bytes](const FilePieceWriter& write) { return write(bytes); });
}

Status SaveFileAtomically(const QString& path, const std::function<bool(const FilePieceWriter&)>& produce)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::Fail(file.errorString().toStdString());
    const FilePieceWriter write = [&file](std::string_view piece) {
        const auto size = static_cast<qint64>(piece.size());
        return file.write(piece.data(), size) == size;
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

Result<std::string> ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::Fail(file.errorString().toStdString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::Fail(file.errorString().toStdString());
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

} // namespace kor
