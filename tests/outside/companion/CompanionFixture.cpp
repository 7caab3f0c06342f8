#include "CompanionFixture.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace kor::test {

RawDatabase::RawDatabase(const QString& path)
{
    static QAtomicInt counter;
    m_name = QStringLiteral("raw-%1").arg(counter.fetchAndAddRelaxed(1));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(path);
    EXPECT_TRUE(m_db.open()) << m_db.lastError().text().toStdString();
}

RawDatabase::~RawDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

void RawDatabase::Exec(const QString& statements)
{
    for (const QString& statement : statements.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (statement.trimmed().isEmpty())
            continue;
        QSqlQuery query(m_db);
        EXPECT_TRUE(query.exec(statement))
            << statement.toStdString() << ": " << query.lastError().text().toStdString();
    }
}

QString RawDatabase::Scalar(const QString& sql)
{
    QSqlQuery query(m_db);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    return query.next() ? query.value(0).toString() : QString();
}

int RawDatabase::Version()
{
    return Scalar(QStringLiteral("PRAGMA user_version")).toInt();
}

QByteArray CompanionTest::Fingerprint(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void CompanionTest::MakeReadOnly(const QString& path)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

} // namespace kor::test
