#include "app/AppPaths.h"

#include "KorBuild.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kor {

QString AppPaths::ResourceDir()
{
    const QString overridden = qEnvironmentVariable("KOR_RESOURCES");
    if (!overridden.isEmpty())
        return overridden;
    const QString exeDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    const QString beside = QDir(exeDir).filePath(QStringLiteral("resources"));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(QDir(exeDir).filePath(QString::fromUtf8(build::ResourcesFromPrograms)));
}

QString AppPaths::WorkDir()
{
    QString dir = qEnvironmentVariable("KOR_WORK_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".kormanager"));
    QDir().mkpath(dir);
    return dir;
}

QString AppPaths::Resource(const QString& relative)
{
    return QDir(ResourceDir()).filePath(relative);
}

QString AppPaths::WorkFile(const QString& relative)
{
    return QDir(WorkDir()).filePath(relative);
}

} // namespace kor
