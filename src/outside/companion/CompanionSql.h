#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "config/Result.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kor {

class ClientConnection;

// Small helpers shared by the companion tables: every failure becomes one readable message.

// Runs a statement with positional values; a failure says what the driver reported.
Status ExecSql(QSqlQuery& query, const QString& sql, std::initializer_list<QVariant> values);
Status ExecSql(QSqlDatabase& db, const QString& sql);

// A Windows-1252 text as a bound value; an empty text is '' and never NULL.
QVariant SqlText(std::string_view cp1252);

// A Windows-1252 text as UTF-8, for messages.
std::string MessageText(std::string_view cp1252);

// The driver's description of the last error of a query, with the statement it ran.
std::string SqlErrorText(const QSqlQuery& query);

// An integer column read into [min, max]; a missing, non-integer or out-of-range value is a failure
// that names the field (what).
Result<std::int64_t> ReadSqlInteger(const QSqlQuery& query, int column, std::int64_t min, std::int64_t max,
                                    const char* what);

// Runs work inside one write transaction (BEGIN IMMEDIATE ... COMMIT); when work fails, everything it
// did is rolled back.
Status RunInTransaction(QSqlDatabase& db, const std::function<Status()>& work);

// The failures every table operation checks first.
Status RequireOpen(const ClientConnection& connection);
Status RequireWritable(const ClientConnection& connection);

} // namespace kor
