#include "outside/companion/CompanionSql.h"

#include "outside/companion/ClientConnection.h"

#include "config/Cp1252.h"

#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace kor {

QVariant SqlText(std::string_view cp1252)
{
    QString text = FromCp1252(cp1252);
    if (text.isNull())
        text = QStringLiteral("");
    return text;
}

std::string MessageText(std::string_view cp1252)
{
    return FromCp1252(cp1252).toStdString();
}

namespace {

// The file behind the query's connection, or "" when the driver does not say.
std::string DatabaseFile(const QSqlQuery& query)
{
    const QSqlDriver* driver = query.driver();
    const QVariant handle = driver ? driver->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return {};
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    return file ? file : "";
}

} // namespace

std::string SqlErrorText(const QSqlQuery& query)
{
    const QSqlError failure = query.lastError();
    QString text = failure.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    std::string message = text.toStdString();
    // A damaged file needs the user's hand: say which one.
    const int code = failure.nativeErrorCode().toInt() & 0xFF;
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB) {
        const std::string file = DatabaseFile(query);
        message += "; the database file " + (file.empty() ? std::string() : file + " ") +
                   "is damaged: restore it from a copy";
    }
    return message;
}

Status ExecSql(QSqlQuery& query, const QString& sql, std::initializer_list<QVariant> values)
{
    if (!query.prepare(sql))
        return Status::Fail(SqlErrorText(query));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return Status::Fail(SqlErrorText(query));
    return Status::Ok();
}

Status ExecSql(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return Status::Fail(SqlErrorText(query));
    return Status::Ok();
}

Result<std::int64_t> ReadSqlInteger(const QSqlQuery& query, int column, std::int64_t min, std::int64_t max,
                                    const char* what)
{
    const QVariant value = query.value(column);
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (value.isNull() || !ok)
        return Result<std::int64_t>::Fail(std::string(what) + " is not a whole number");
    if (number < min || number > max)
        return Result<std::int64_t>::Fail(std::string(what) + " is out of range (" + std::to_string(number) +
                                          ")");
    return static_cast<std::int64_t>(number);
}

Status RunInTransaction(QSqlDatabase& db, const std::function<Status()>& work)
{
    if (Status begun = ExecSql(db, QStringLiteral("BEGIN IMMEDIATE")); begun.failed())
        return begun;
    Status done = work();
    if (done.ok())
        done = ExecSql(db, QStringLiteral("COMMIT"));
    if (done.failed())
        (void)ExecSql(db, QStringLiteral("ROLLBACK"));
    return done;
}

Status RequireOpen(const ClientConnection& connection)
{
    if (connection.IsOpen())
        return Status::Ok();
    return Status::Fail("the companion database is not open");
}

Status RequireWritable(const ClientConnection& connection)
{
    if (Status open = RequireOpen(connection); open.failed())
        return open;
    if (!connection.ReadOnly())
        return Status::Ok();
    return Status::Fail(connection.DatabasePath().toStdString() + ": is read-only, nothing was changed");
}

} // namespace kor
