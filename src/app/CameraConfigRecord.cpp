#include "app/CameraConfigRecord.h"

#include "app/AppPaths.h"
#include "config/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kor {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

CameraConfigRecord::CameraConfigRecord() : m_folder(AppPaths::WorkFile(QStringLiteral("cameras"))) {}

QString CameraConfigRecord::FileOf(std::int32_t camera) const
{
    return QDir(m_folder).filePath(QStringLiteral("%1.alarm_app").arg(camera));
}

Status CameraConfigRecord::Remember(std::int32_t camera, std::string_view text) const
{
    if (!QDir().mkpath(m_folder))
        return Status::Fail("cannot create " + m_folder.toStdString());
    if (!QFile::setPermissions(m_folder, kOwnerOnly | QFileDevice::ExeOwner))
        return Status::Fail("cannot restrict " + m_folder.toStdString() + " to its owner");
    const QString path = FileOf(camera);
    if (const Status saved = SaveFileAtomically(path, text); saved.failed())
        return Status::Fail(path.toStdString() + ": " + saved.reason());
    if (!QFile::setPermissions(path, kOwnerOnly))
        return Status::Fail("cannot restrict " + path.toStdString() + " to its owner");
    return Status::Ok();
}

Result<std::optional<std::string>> CameraConfigRecord::Recall(std::int32_t camera) const
{
    const QString path = FileOf(camera);
    if (!QFileInfo::exists(path))
        return std::optional<std::string>();
    Result<std::string> read = ReadWholeFile(path);
    if (read.failed())
        return Status::Fail(path.toStdString() + ": " + read.reason());
    return std::optional<std::string>(std::move(read).value());
}

} // namespace kor
