#include "config/SaveFile.h"

#include <QFile>
#include <QSaveFile>

namespace kor {

namespace {
void SetError(std::string* error, const QString& reason)
{
    if (error)
        *error = reason.toStdString();
}
} // namespace

bool SaveFileAtomically(const QString& path, std::string_view bytes, std::string* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        SetError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}

bool ReadWholeFile(const QString& path, std::string& bytes, std::string* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        SetError(error, file.errorString());
        return false;
    }
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

} // namespace kor
