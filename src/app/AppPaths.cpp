#include "app/AppPaths.h"

#include "KorBuild.h"
#include "config/SaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

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
    // The folder holds the companion database and the upload file, both with passwords: the user's
    // own folder is closed to others, also when an older version made it open; a folder named for
    // tests is only closed when this creates it.
    QString dir = qEnvironmentVariable("KOR_WORK_DIR");
    ExistingFolder existing = ExistingFolder::LeaveAlone;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        existing = ExistingFolder::MakePrivate;
    }
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".kormanager"));
    if (const Status made = MakePrivateFolder(dir, existing); made.failed())
        std::fprintf(stderr, "%s\n", made.reason().c_str());
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
