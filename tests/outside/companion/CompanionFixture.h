#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace kor::test {

// A database file opened directly, without the companion layer: to build older layouts and damaged
// files, and to look at what the layer left behind.
class RawDatabase
{
public:
    explicit RawDatabase(const QString& path);
    ~RawDatabase();
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    QSqlDatabase& Db() { return m_db; }
    // Runs statements separated by ";", failing the test on an error.
    void Exec(const QString& statements);
    // The first column of the first row of a query, as text ("" when there is no row).
    QString Scalar(const QString& sql);
    int Version();

private:
    QString m_name;
    QSqlDatabase m_db;
};

class CompanionTest : public ::testing::Test
{
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    // SHA-like fingerprint of a file's bytes, to prove that a refused file stayed untouched.
    static QByteArray Fingerprint(const QString& path);
    static void MakeReadOnly(const QString& path);

    QTemporaryDir m_dir;
};

} // namespace kor::test
