#include "app/ClientDatabase.h"
#include "TestSupport.h"

#include "outside/companion/ClientConnection.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kor {
namespace {

class ClientDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("orgend.ddd"));
    }
    // Runs statements on the open connection, failing the test on an error.
    void Exec(const QString& statements)
    {
        QSqlDatabase db = m_connection.Database();
        for (const QString& sql : statements.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql))
                << sql.toStdString() << ": " << query.lastError().text().toStdString();
        }
    }
    QString Usrs()
    {
        QSqlDatabase db = m_connection.Database();
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT VAL FROM PRMS WHERE NM = 'USRS'")));
        return query.next() ? query.value(0).toString() : QStringLiteral("<none>");
    }
    QByteArray Fingerprint()
    {
        QFile file(m_path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    void MakeReadOnly()
    {
        ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    }

    QTemporaryDir m_dir;
    QString m_path;
    ClientConnection m_connection;
};

TEST_F(ClientDatabaseTest, OpeningAddsTheUsrsRowOnlyWhenMissing)
{
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    EXPECT_EQ(Usrs(), QStringLiteral("0"));
    Exec(QStringLiteral("UPDATE PRMS SET VAL = '5' WHERE NM = 'USRS'"));
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    EXPECT_EQ(Usrs(), QStringLiteral("5"));
    Exec(QStringLiteral("DELETE FROM PRMS"));
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    EXPECT_EQ(Usrs(), QStringLiteral("0"));
}

TEST_F(ClientDatabaseTest, ReadOnlyDatabaseOpensOnlyWhenNothingMustBeAdded)
{
    std::string error;
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    m_connection.Close();
    MakeReadOnly();
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    EXPECT_TRUE(m_connection.ReadOnly());
    m_connection.Close();

    ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadUser | QFileDevice::WriteUser));
    ASSERT_TRUE(test::IsOk(m_connection.Open(m_path)));
    Exec(QStringLiteral("DELETE FROM PRMS"));
    m_connection.Close();
    MakeReadOnly();
    const QByteArray before = Fingerprint();
    EXPECT_TRUE(test::Fails(OpenClientDatabase(m_connection, m_path), error));
    EXPECT_NE(error.find("read-only and lacks the USRS row"), std::string::npos) << error;
    EXPECT_FALSE(m_connection.IsOpen());
    EXPECT_EQ(Fingerprint(), before);
}

TEST_F(ClientDatabaseTest, FileThatIsNoDatabaseFailsWithItsName)
{
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Standard Jet DB");
    file.close();
    std::string error;
    EXPECT_TRUE(test::Fails(OpenClientDatabase(m_connection, m_path), error));
    EXPECT_EQ(error, m_path.toStdString() + ": is not an SQLite database");
}

TEST_F(ClientDatabaseTest, PrmsValuesAreLookedUpByBoundName)
{
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    Exec(QStringLiteral("INSERT INTO PRMS VALUES ('APPVERSION', '4.2.1');"
                        "INSERT INTO PRMS VALUES ('O''BRIEN', 'quoted');"
                        "INSERT INTO PRMS VALUES ('EMPTY', NULL)"));
    const QString fallback = QStringLiteral("UNKNOWN");
    const struct
    {
        QString Name;
        QString Expected;
    } cases[] = {
        {QStringLiteral("APPVERSION"), QStringLiteral("4.2.1")},
        {QStringLiteral("appversion"), QStringLiteral("4.2.1")}, // the client's names ignore letter case
        {QStringLiteral("USRS"), QStringLiteral("0")},
        {QStringLiteral("EMPTY"), QString()},
        {QStringLiteral("O'BRIEN"), QStringLiteral("quoted")},
        {QStringLiteral("MISSING"), fallback},
        {QStringLiteral("x' OR '1'='1"), fallback},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        const QString value = GetPrmsValue(m_connection, c.Name, fallback);
        EXPECT_EQ(value, c.Expected);
        EXPECT_FALSE(value.isNull());
    }
    m_connection.Close();
    EXPECT_EQ(GetPrmsValue(m_connection, QStringLiteral("APPVERSION"), fallback), fallback);
}

TEST_F(ClientDatabaseTest, StartupReadsRecordWhichProbesSucceed)
{
    ASSERT_TRUE(test::IsOk(OpenClientDatabase(m_connection, m_path)));
    ClientStartup startup = ReadClientStartup(m_connection);
    EXPECT_EQ(startup.AppVersion, QStringLiteral("UNKNOWN"));
    EXPECT_FALSE(startup.ProgCamStream || startup.ProgCamAudio || startup.RefExpiry || startup.IvProfiles);

    Exec(QStringLiteral("INSERT INTO PRMS VALUES ('APPVERSION', '7.1');"
                        "CREATE TABLE progcam (stream INTEGER);"
                        "CREATE TABLE ref (cod INTEGER, whenexpired TEXT)"));
    startup = ReadClientStartup(m_connection);
    EXPECT_EQ(startup.AppVersion, QStringLiteral("7.1"));
    EXPECT_TRUE(startup.ProgCamStream);
    EXPECT_FALSE(startup.ProgCamAudio);
    EXPECT_TRUE(startup.RefExpiry);
    EXPECT_FALSE(startup.IvProfiles);
}

} // namespace
} // namespace kor
