#include "outside/companion/CompanionDatabase.h"

#include "outside/companion/CompanionSeed.h"
#include "outside/companion/CompanionSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <vector>

namespace kor {

namespace {

struct LayoutStep
{
    int Version;
    std::vector<const char*> Statements;
};

// Every layout change, oldest first. A step is never edited once released: a later layout is a new
// step, so that every older file can be brought forward the same way.
const std::vector<LayoutStep>& LayoutSteps()
{
    static const std::vector<LayoutStep> steps = {
        {1,
         {
             "CREATE TABLE PRMS (NM TEXT PRIMARY KEY COLLATE NOCASE, VAL TEXT)",
             "CREATE TABLE LNG (ID INTEGER PRIMARY KEY, NAME TEXT, VALUE INTEGER, ACTV INTEGER)",
             "CREATE TABLE CAMERAS (ID INTEGER PRIMARY KEY, NAME TEXT NOT NULL DEFAULT '',"
             " IP TEXT NOT NULL DEFAULT '', PORT INTEGER NOT NULL DEFAULT 80, USR TEXT NOT NULL DEFAULT '',"
             " PWD TEXT NOT NULL DEFAULT '', CHANNEL INTEGER NOT NULL DEFAULT 1,"
             " BRAND TEXT NOT NULL DEFAULT '', MODEL TEXT NOT NULL DEFAULT '')",
             "CREATE TABLE MODELS (BRAND TEXT NOT NULL COLLATE NOCASE, NAME TEXT NOT NULL COLLATE NOCASE,"
             " CHANNELS INTEGER NOT NULL DEFAULT 1, FOLDER TEXT NOT NULL DEFAULT '',"
             " PERFIRMWARE INTEGER NOT NULL DEFAULT 0, IO INTEGER NOT NULL DEFAULT 0,"
             " CAPS INTEGER NOT NULL DEFAULT 0, CAMEVENTS INTEGER NOT NULL DEFAULT 0,"
             " INVERTED INTEGER NOT NULL DEFAULT 0, PULSETIME INTEGER NOT NULL DEFAULT 30,"
             " CGIBIN INTEGER NOT NULL DEFAULT 0, PROGRAMS TEXT NOT NULL DEFAULT '',"
             " PRIMARY KEY (BRAND, NAME))",
         }},
        {2,
         {
             "ALTER TABLE CAMERAS ADD COLUMN MAC TEXT NOT NULL DEFAULT ''",
             "ALTER TABLE CAMERAS ADD COLUMN POSITIONING INTEGER NOT NULL DEFAULT 0",
             "CREATE TABLE POSITIONS (CAMID INTEGER NOT NULL REFERENCES CAMERAS(ID) ON DELETE CASCADE,"
             " SEQ INTEGER NOT NULL, NM TEXT NOT NULL DEFAULT '', X REAL NOT NULL DEFAULT 0,"
             " Y REAL NOT NULL DEFAULT 0, Z REAL NOT NULL DEFAULT 0, PRIMARY KEY (CAMID, SEQ))",
             "CREATE TABLE DETECTORS (BRAND TEXT NOT NULL COLLATE NOCASE, MODEL TEXT NOT NULL COLLATE NOCASE,"
             " DEVICES INTEGER NOT NULL, FIRSTDEVICE INTEGER NOT NULL, PORTS INTEGER NOT NULL,"
             " FIRSTPORT INTEGER NOT NULL, PRIMARY KEY (BRAND, MODEL))",
             // The detector line's own profile: devices numbered from 1, ports from 0.
             "INSERT OR IGNORE INTO DETECTORS (BRAND, MODEL, DEVICES, FIRSTDEVICE, PORTS, FIRSTPORT)"
             " VALUES ('VELTRIX', 'VELTRIX Net-ZELK 7730D', 2, 1, 4, 0)",
         }},
        {3,
         {
             // The site or group a camera belongs to; empty for none.
             "ALTER TABLE CAMERAS ADD COLUMN GRP TEXT NOT NULL DEFAULT ''",
         }},
    };
    return steps;
}

QStringList TableNames(QSqlDatabase& db, bool* ok)
{
    QStringList names;
    QSqlQuery query(db);
    *ok = query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    while (*ok && query.next())
        names << query.value(0).toString();
    return names;
}

QString MissingTable(const QStringList& present)
{
    for (const QString& table : CompanionDatabase::RequiredTables()) {
        if (!present.contains(table, Qt::CaseInsensitive))
            return table;
    }
    return {};
}

// SQLite files begin with this header; anything else must not be handed to the driver, which
// would only fail later, on the first query.
Status CheckSqliteHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::Fail("cannot be read: " + file.errorString().toStdString());
    const QByteArray header = file.read(16);
    if (header != QByteArray("SQLite format 3\0", 16))
        return Status::Fail("is not an SQLite database");
    return Status::Ok();
}

} // namespace

const QStringList& CompanionDatabase::RequiredTables()
{
    static const QStringList tables = {QStringLiteral("PRMS"),    QStringLiteral("LNG"),
                                       QStringLiteral("CAMERAS"), QStringLiteral("POSITIONS"),
                                       QStringLiteral("MODELS"),  QStringLiteral("DETECTORS")};
    return tables;
}

int CompanionDatabase::StoredVersion(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return -1;
    bool ok = false;
    const int version = query.value(0).toInt(&ok);
    return ok ? version : -1;
}

Status CompanionDatabase::Migrate(QSqlDatabase& db, int targetVersion)
{
    if (targetVersion > kCompanionSchemaVersion)
        return Status::Fail("cannot change the layout to version " + std::to_string(targetVersion));
    // The version is read under the write lock: of two programs opening a new file at once, the one
    // that waited finds the tables made and carries on instead of making them again.
    int from = -1;
    const Status migrated = RunInTransaction(db, [&] {
        from = StoredVersion(db);
        if (from < 0)
            return Status::Fail("the layout version cannot be read");
        if (targetVersion < from)
            return Status::Fail("cannot change the layout from version " + std::to_string(from) + " to " +
                                std::to_string(targetVersion));
        bool listed = false;
        const QStringList tables = TableNames(db, &listed);
        if (!listed)
            return Status::Fail("the list of tables cannot be read");
        const bool isNew = from == 0 && tables.isEmpty();
        if (from == 0 && !isNew)
            return Status::Fail("holds tables but no layout version, so it is not ours to change");
        for (const LayoutStep& step : LayoutSteps()) {
            if (step.Version <= from || step.Version > targetVersion)
                continue;
            for (const char* statement : step.Statements) {
                if (Status done = ExecSql(db, QString::fromLatin1(statement)); done.failed())
                    return done;
            }
            if (Status done = ExecSql(db, QStringLiteral("PRAGMA user_version = %1").arg(step.Version));
                done.failed())
                return done;
        }
        if (isNew && targetVersion == kCompanionSchemaVersion)
            return SeedCompanionDatabase(db);
        return Status::Ok();
    });
    if (migrated.failed())
        return Status::Fail((from < 0 ? std::string("changing the layout")
                                      : "changing the layout from version " + std::to_string(from)) +
                            " to " + std::to_string(targetVersion) + " failed (" + migrated.reason() +
                            "); nothing was changed");
    return Status::Ok();
}

Status CompanionDatabase::Open(const QString& path, const QString& connectionName, bool* readOnly)
{
    const std::string where = path.toStdString() + ": ";
    if (readOnly)
        *readOnly = false;
    if (path.isEmpty())
        return Status::Fail("no companion database file given");
    const QFileInfo info(path);
    const bool existed = info.exists();
    bool fileReadOnly = false;
    if (existed) {
        if (info.isDir())
            return Status::Fail(where + "is a folder, not a database file");
        if (info.size() > 0) {
            if (Status header = CheckSqliteHeader(path); header.failed())
                return Status::Fail(where + header.reason());
        }
        // The owner's write permission decides, also for a user (root) whom the system would let
        // write anyway: a file made read-only stays untouched.
        const QFile::Permissions permissions = info.permissions();
        fileReadOnly = !(permissions & QFileDevice::WriteOwner) || !(permissions & QFileDevice::WriteUser);
    } else if (!info.absoluteDir().exists()) {
        return Status::Fail(where + "its folder does not exist");
    } else {
        // It will hold camera passwords: readable by the user alone from the start. Another program
        // may create it at the same moment; then that one's file is used.
        QFile created(path);
        if (created.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            created.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    if (readOnly)
        *readOnly = fileReadOnly;

    std::string failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        if (!db.isValid()) {
            failure = "the SQLite driver of Qt (QSQLITE) is not available";
        } else {
            db.setDatabaseName(path);
            if (fileReadOnly)
                db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (!db.open()) {
                failure = "cannot be opened: " + db.lastError().text().toStdString();
            } else {
                const int version = StoredVersion(db);
                bool listed = false;
                const QStringList tables = TableNames(db, &listed);
                if (version < 0 || !listed) {
                    failure = "cannot be read as a database";
                } else if (version > kCompanionSchemaVersion) {
                    failure = "was written by a newer program (layout version " + std::to_string(version) +
                              ", this program knows up to " + std::to_string(kCompanionSchemaVersion) +
                              "); left unchanged";
                } else if (version == 0 && !tables.isEmpty()) {
                    // A database without our version stamp is used as it is, never changed.
                    const QString missing = MissingTable(tables);
                    if (!missing.isEmpty())
                        failure =
                            "lacks the table " + missing.toStdString() + " (and holds no layout version)";
                } else if (version < kCompanionSchemaVersion) {
                    if (fileReadOnly)
                        failure = version == 0 ? "is empty and read-only, so it cannot be set up"
                                               : "is read-only, so its layout (version " +
                                                     std::to_string(version) + ") cannot be upgraded to " +
                                                     std::to_string(kCompanionSchemaVersion);
                    else if (Status migrated = Migrate(db, kCompanionSchemaVersion); migrated.failed())
                        failure = migrated.reason();
                }
                if (failure.empty()) {
                    bool relisted = false;
                    const QString missing = MissingTable(TableNames(db, &relisted));
                    if (!relisted)
                        failure = "cannot be read as a database";
                    else if (!missing.isEmpty())
                        failure = "lacks the table " + missing.toStdString();
                }
                if (failure.empty())
                    (void)ExecSql(db, QStringLiteral("PRAGMA foreign_keys = ON"));
                else
                    db.close();
            }
        }
    }
    if (failure.empty())
        return Status::Ok();
    QSqlDatabase::removeDatabase(connectionName);
    // A new file is never removed: another program may have opened it meanwhile, and a failed
    // set-up left it empty (rolled back), which the next start takes as new.
    return Status::Fail(where + failure);
}

} // namespace kor
