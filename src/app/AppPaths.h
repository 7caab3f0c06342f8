#pragma once

#include <QString>

namespace kor {

// Where the program finds its read-only resources (catalogues, templates, images, help texts,
// Data/) and where it writes its work files (alarm_app, Gen/, xdoc.html, the default companion
// database). The environment variables KOR_RESOURCES and KOR_WORK_DIR override both, for tests.
class AppPaths
{
public:
    // resources/ beside the executable (build tree), else the installed resource folder, found
    // from the executable's own folder (share/kormanager beside bin/ under any prefix).
    static QString ResourceDir();
    // The per-user application data folder, created on first use.
    static QString WorkDir();

    static QString Resource(const QString& relative);
    static QString WorkFile(const QString& relative);
};

} // namespace kor
