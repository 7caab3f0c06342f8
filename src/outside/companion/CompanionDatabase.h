#pragma once

#include "config/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <string>

namespace kor {

// Layout version of the companion database that this program writes (kept in PRAGMA user_version).
// 1: PRMS, LNG, CAMERAS, MODELS.  2: camera MAC and positioning flag, POSITIONS, DETECTORS.
inline constexpr int kCompanionSchemaVersion = 3;

// Opening the companion database: creating and seeding it when new, upgrading an older layout.
// The one place that knows the tables; everything else reads and writes through them.
class CompanionDatabase
{
public:
    // Opens the database file under the given Qt connection name. A missing or empty file becomes a
    // new, seeded database; an older layout is upgraded in one transaction. On failure the
    // connection is removed and the file is exactly as it was. readOnly tells whether the
    // file may not be written (its owner write permission is cleared); such a file is opened for
    // reading when it needs no change.
    static Status Open(const QString& path, const QString& connectionName, bool* readOnly);

    // Brings an open database from its current layout up to targetVersion inside one transaction;
    // a new database (no tables, version 0) is also seeded when it reaches the current version.
    // A failure rolls everything back. Tests use it to build older layouts.
    static Status Migrate(QSqlDatabase& db, int targetVersion);

    // The layout version stored in the file, or -1 when it cannot be read.
    static int StoredVersion(QSqlDatabase& db);

    // Names of the tables every companion database of the current layout holds.
    static const QStringList& RequiredTables();
};

} // namespace kor
