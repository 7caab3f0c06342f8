#include "outside/companion/CompanionSql.h"

#include "config/Cp1252.h"

#include <QSqlError>

namespace kor {

bool SetError(std::string* error, const std::string& message)
{
    if (error)
        *error = message;
    return true;
}

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

std::string SqlErrorText(const QSqlQuery& query)
{
    QString text = query.lastError().text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    return text.toStdString();
}

bool ExecSql(QSqlQuery& query, const QString& sql, std::initializer_list<QVariant> values, std::string* error)
{
    if (!query.prepare(sql))
        return SetError(error, SqlErrorText(query));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return SetError(error, SqlErrorText(query));
    return false;
}

bool ExecSql(QSqlDatabase& db, const QString& sql, std::string* error)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return SetError(error, SqlErrorText(query));
    return false;
}

bool ReadSqlInteger(const QSqlQuery& query, int column, std::int64_t min, std::int64_t max, std::int64_t& out,
                    const char* what, std::string* error)
{
    const QVariant value = query.value(column);
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (value.isNull() || !ok) {
        SetError(error, std::string(what) + " is not a whole number");
        return false;
    }
    if (number < min || number > max) {
        SetError(error, std::string(what) + " is out of range (" + std::to_string(number) + ")");
        return false;
    }
    out = number;
    return true;
}

bool RunInTransaction(QSqlDatabase& db, const std::function<bool(std::string*)>& work, std::string* error)
{
    if (ExecSql(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return true;
    if (work(error)) {
        ExecSql(db, QStringLiteral("ROLLBACK"), nullptr);
        return true;
    }
    if (ExecSql(db, QStringLiteral("COMMIT"), error)) {
        ExecSql(db, QStringLiteral("ROLLBACK"), nullptr);
        return true;
    }
    return false;
}

} // namespace kor
