#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kor {

// Small helpers shared by the companion tables: every failure becomes one readable message.

// Runs a statement with positional values. Returns true on failure and describes it in error.
bool ExecSql(QSqlQuery& query, const QString& sql, std::initializer_list<QVariant> values,
             std::string* error);
bool ExecSql(QSqlDatabase& db, const QString& sql, std::string* error);

// A Windows-1252 text as a bound value; an empty text is '' and never NULL.
QVariant SqlText(std::string_view cp1252);

// A Windows-1252 text as UTF-8, for messages.
std::string MessageText(std::string_view cp1252);

// The driver's description of the last error of a query, with the statement it ran.
std::string SqlErrorText(const QSqlQuery& query);

// An integer column read into [min, max]. Returns false (and describes the field in error) when the
// value is missing, not an integer or out of range.
bool ReadSqlInteger(const QSqlQuery& query, int column, std::int64_t min, std::int64_t max, std::int64_t& out,
                    const char* what, std::string* error);

// Runs work inside one write transaction (BEGIN IMMEDIATE ... COMMIT); work returns true on failure,
// and then everything it did is rolled back. Returns true on failure.
bool RunInTransaction(QSqlDatabase& db, const std::function<bool(std::string*)>& work, std::string* error);

// Sets error (when given) and returns true, for the failure branches.
bool SetError(std::string* error, const std::string& message);

} // namespace kor
