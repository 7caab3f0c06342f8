#include "CompanionFixture.h"

#include "outside/companion/CameraTable.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionDatabase.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace kor::test {
namespace {

using CompanionDatabaseTest = CompanionTest;

// Builds a database of layout 1, the way the first release left it, with one camera.
void MakeVersion1(const QString& path, const QString& extraSql = {})
{
    RawDatabase raw(path);
    ASSERT_TRUE(IsOk(CompanionDatabase::Migrate(raw.Db(), 1)));
    raw.Exec(QStringLiteral("INSERT INTO CAMERAS (ID, NAME, IP, PORT, USR, PWD, CHANNEL, BRAND, MODEL)"
                            " VALUES (5, 'Yard', '10.1.1.5', 8080, 'op', 'secret', 1, 'AXIS', 'OLD-1');"
                            "INSERT INTO LNG (ID, NAME, VALUE, ACTV) VALUES (1, 'Italiano', 352, 1);") +
             extraSql);
}

TEST_F(CompanionDatabaseTest, NewDatabaseIsCreatedSeededAndNotSeededAgain)
{
    const QString path = Path("orgend.ddd");
    {
        ClientConnection connection;
        ASSERT_TRUE(IsOk(connection.Open(path)));
        EXPECT_TRUE(connection.IsOpen());
        EXPECT_FALSE(connection.ReadOnly());
    }
    {
        RawDatabase raw(path);
        EXPECT_EQ(raw.Version(), kCompanionSchemaVersion);
        EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT group_concat(VALUE || ':' || ACTV, ',') FROM"
                                            " (SELECT VALUE, ACTV FROM LNG ORDER BY ID)")),
                  QStringLiteral("270:0,271:1,352:0,389:0"));
        EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT VALUE FROM LNG WHERE ACTV=1")), QStringLiteral("271"));
        EXPECT_EQ(raw.Scalar(QStringLiteral(
                      "SELECT group_concat(NAME, ',') FROM (SELECT NAME FROM MODELS ORDER BY NAME)")),
                  QStringLiteral("DEMO-1,DEMO-4"));
        EXPECT_EQ(
            raw.Scalar(QStringLiteral("SELECT NAME || '/' || IP || '/' || MODEL FROM CAMERAS WHERE ID = 0")),
            QStringLiteral("Demo camera/127.0.0.2/DEMO-1"));
        EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM POSITIONS WHERE CAMID = 0")),
                  QStringLiteral("3"));
        EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM DETECTORS")), QStringLiteral("1"));
        // The user's own changes must survive the next start.
        raw.Exec(
            QStringLiteral("DELETE FROM POSITIONS; DELETE FROM CAMERAS; DELETE FROM LNG WHERE VALUE = 389"));
    }
    ClientConnection again;
    ASSERT_TRUE(IsOk(again.Open(path)));
    std::vector<CameraRecord> cameras;
    cameras = ValueOf(CameraTable::List(again));
    EXPECT_TRUE(cameras.empty());
    RawDatabase raw(path);
    EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM LNG")), QStringLiteral("3"));
}

TEST_F(CompanionDatabaseTest, OlderLayoutIsUpgradedKeepingItsData)
{
    const QString path = Path("old.ddd");
    MakeVersion1(path);
    ClientConnection connection;
    ASSERT_TRUE(IsOk(connection.Open(path)));

    std::vector<CameraRecord> cameras;
    cameras = ValueOf(CameraTable::List(connection));
    ASSERT_EQ(cameras.size(), 1u); // no demo camera added to a user's database
    EXPECT_EQ(cameras[0].Id, 5);
    EXPECT_EQ(cameras[0].DisplayName, "Yard");
    EXPECT_EQ(cameras[0].Port, 8080);
    EXPECT_EQ(cameras[0].Password, "secret");
    EXPECT_EQ(cameras[0].Mac, (std::array<std::uint8_t, 8>{}));
    EXPECT_FALSE(cameras[0].PositioningSupport);
    EXPECT_TRUE(cameras[0].Positions.empty());
    connection.Close();

    RawDatabase raw(path);
    EXPECT_EQ(raw.Version(), kCompanionSchemaVersion);
    EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM LNG")), QStringLiteral("1"));
    EXPECT_EQ(
        raw.Scalar(QStringLiteral("SELECT PORTS FROM DETECTORS WHERE MODEL = 'VELTRIX Net-ZELK 7730D'")),
        QStringLiteral("4"));
    EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM MODELS")), QStringLiteral("0"));
}

TEST_F(CompanionDatabaseTest, FailedUpgradeLeavesTheFileAsItWas)
{
    const QString path = Path("clash.ddd");
    // A table of the next layout's name already present makes the upgrade fail half-way.
    MakeVersion1(path, QStringLiteral(";CREATE TABLE DETECTORS (A TEXT)"));
    const QByteArray before = Fingerprint(path);

    ClientConnection connection;
    std::string error;
    EXPECT_TRUE(Fails(connection.Open(path), error));
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_NE(error.find("nothing was changed"), std::string::npos) << error;
    EXPECT_EQ(Fingerprint(path), before);

    RawDatabase raw(path);
    EXPECT_EQ(raw.Version(), 1);
    EXPECT_EQ(
        raw.Scalar(QStringLiteral("SELECT count(*) FROM pragma_table_info('CAMERAS') WHERE name = 'MAC'")),
        QStringLiteral("0"));
    EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'POSITIONS'")),
              QStringLiteral("0"));
}

TEST_F(CompanionDatabaseTest, UnusableFilesAreRefusedUntouched)
{
    struct Case
    {
        const char* Name;
        std::function<void(const QString&)> Make;
        const char* Message;
    };
    const Case cases[] = {
        {"text file",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("USRS=0\n");
         },
         "is not an SQLite database"},
        {"newer layout",
         [](const QString& p) {
             RawDatabase raw(p);
             raw.Exec(QStringLiteral("CREATE TABLE PRMS (NM TEXT, VAL TEXT); PRAGMA user_version = 99"));
         },
         "newer program"},
        {"current layout lacking a table",
         [](const QString& p) {
             {
                 ClientConnection c;
                 ASSERT_TRUE(IsOk(c.Open(p)));
             }
             RawDatabase raw(p);
             raw.Exec(QStringLiteral("DROP TABLE MODELS"));
         },
         "lacks the table MODELS"},
        {"unversioned database of other tables",
         [](const QString& p) {
             RawDatabase raw(p);
             raw.Exec(QStringLiteral("CREATE TABLE PRMS (NM TEXT, VAL TEXT); CREATE TABLE LNG (ID INTEGER)"));
         },
         "lacks the table CAMERAS"},
        {"read-only older layout",
         [](const QString& p) {
             MakeVersion1(p);
             MakeReadOnly(p);
         },
         "read-only"},
        {"read-only empty file",
         [](const QString& p) {
             QFile f(p);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.close();
             MakeReadOnly(p);
         },
         "read-only"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = m_dir.filePath(QStringLiteral("case%1.ddd").arg(++n));
        c.Make(path);
        const QByteArray before = Fingerprint(path);
        ClientConnection connection;
        std::string error;
        EXPECT_TRUE(Fails(connection.Open(path), error));
        EXPECT_FALSE(connection.IsOpen());
        EXPECT_NE(error.find(c.Message), std::string::npos) << error;
        EXPECT_EQ(error.rfind(path.toStdString(), 0), 0u) << "the message names the file: " << error;
        EXPECT_EQ(Fingerprint(path), before);
    }
}

TEST_F(CompanionDatabaseTest, PathsThatAreNoFileAreRefused)
{
    ClientConnection connection;
    std::string error;
    EXPECT_TRUE(Fails(connection.Open(m_dir.path()), error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    const QString nowhere = Path("missing/orgend.ddd");
    EXPECT_TRUE(Fails(connection.Open(nowhere), error));
    EXPECT_NE(error.find("folder does not exist"), std::string::npos) << error;
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_TRUE(Fails(connection.Open(QString()), error));
}

TEST_F(CompanionDatabaseTest, ReadOnlyCurrentDatabaseIsReadButNeverChanged)
{
    const QString path = Path("ro.ddd");
    {
        ClientConnection c;
        ASSERT_TRUE(IsOk(c.Open(path)));
    }
    MakeReadOnly(path);
    const QByteArray before = Fingerprint(path);

    ClientConnection connection;
    std::string error;
    ASSERT_TRUE(IsOk(connection.Open(path)));
    EXPECT_TRUE(connection.ReadOnly());
    std::vector<CameraRecord> cameras;
    cameras = ValueOf(CameraTable::List(connection));
    EXPECT_EQ(cameras.size(), 1u);

    CameraRecord extra;
    extra.Id = 9;
    EXPECT_TRUE(Fails(CameraTable::Add(connection, extra), error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_TRUE(Fails(CameraTable::Remove(connection, 0), error));
    connection.Close();
    EXPECT_EQ(Fingerprint(path), before);
}

TEST_F(CompanionDatabaseTest, UnversionedDatabaseWithEveryTableIsUsedAsItIs)
{
    const QString path = Path("client.ddd");
    {
        RawDatabase raw(path);
        ASSERT_TRUE(IsOk(CompanionDatabase::Migrate(raw.Db(), kCompanionSchemaVersion)));
        raw.Exec(QStringLiteral("PRAGMA user_version = 0"));
    }
    ClientConnection connection;
    ASSERT_TRUE(IsOk(connection.Open(path)));
    connection.Close();
    RawDatabase raw(path);
    EXPECT_EQ(raw.Version(), 0);
}

} // namespace
} // namespace kor::test
