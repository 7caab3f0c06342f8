#include "TestSupport.h"
#include "outside/companion/AxisDevice.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionDatabase.h"
#include "outside/companion/CurrentCamera.h"
#include "outside/companion/DetectorProfile.h"
#include "outside/companion/ModelProfile.h"
#include "outside/companion/ModelTable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <functional>
#include <sstream>

namespace kor::test {
namespace {

// Statements (separated by ";") run on a database file directly, without the companion layer, after
// setting up layout `migrateTo` when not 0: to build older layouts and damaged files, and to look at
// what the layer left behind. Returns the first value the last query gave ("" when none).
QString Sql(const QString& path, const std::string& statements, int migrateTo = 0)
{
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        if (migrateTo != 0) {
            EXPECT_TRUE(IsOk(CompanionDatabase::Migrate(db, migrateTo)));
        }
        for (const QString& statement :
             QString::fromStdString(statements).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QSqlQuery query(db);
            EXPECT_TRUE(statement.trimmed().isEmpty() || query.exec(statement))
                << statement.toStdString() << ": " << query.lastError().text().toStdString();
            value = query.next() ? query.value(0).toString() : QString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return value;
}

// A fresh companion database in a temporary folder, open.
class CompanionTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(IsOk(m_connection.Open(Path("orgend.ddd")))); }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    ClientConnection m_connection;
};

using CompanionDatabaseTest = CompanionTest;

// Every field of a camera record, positions included, for comparing records whole.
std::string Text(const CameraRecord& r)
{
    std::ostringstream out;
    out.precision(17);
    out << r.Id << '|' << r.DisplayName << '|' << r.IpAddress << '|' << r.Port << '|' << r.UserName << '|'
        << r.Password << '|' << int(r.Channel) << '|' << r.Brand << '|' << r.ModelName << '|'
        << CameraTable::MacText(r.Mac) << '|' << r.PositioningSupport << '|' << r.Group;
    for (const CameraPosition& p : r.Positions)
        out << '|' << p.Nm << ' ' << p.X << ' ' << p.Y << ' ' << p.z;
    return out.str();
}

QByteArray Fingerprint(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

void MakeReadOnly(const QString& path)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
}

// Builds a database of layout 1, the way the first release left it, with one camera.
void MakeVersion1(const QString& path, const std::string& extraSql = {})
{
    Sql(path,
        "INSERT INTO CAMERAS (ID, NAME, IP, PORT, USR, PWD, CHANNEL, BRAND, MODEL)"
        " VALUES (5, 'Yard', '10.1.1.5', 8080, 'op', 'secret', 1, 'AXIS', 'OLD-1');"
        "INSERT INTO LNG (ID, NAME, VALUE, ACTV) VALUES (1, 'Italiano', 352, 1);" +
            extraSql,
        1);
}

TEST_F(CompanionDatabaseTest, NewDatabaseIsSeededOnceAndTheUsersChangesStay)
{
    m_connection.Close();
    const QString path = Path("orgend.ddd");
    EXPECT_EQ(Sql(path, "PRAGMA user_version").toInt(), kCompanionSchemaVersion);
    EXPECT_EQ(
        Sql(path,
            "SELECT group_concat(VALUE || ':' || ACTV, ',') FROM (SELECT VALUE, ACTV FROM LNG ORDER BY ID)"),
        QStringLiteral("270:0,271:1,352:0,389:0"));
    EXPECT_EQ(Sql(path, "SELECT count(*) FROM DETECTORS"), QStringLiteral("1"));
    Sql(path, "DELETE FROM POSITIONS; DELETE FROM CAMERAS; DELETE FROM LNG WHERE VALUE = 389");
    ClientConnection again;
    ASSERT_TRUE(IsOk(again.Open(path)));
    EXPECT_FALSE(again.ReadOnly());
    EXPECT_TRUE(ValueOf(CameraTable::List(again)).empty());
    EXPECT_EQ(Sql(path, "SELECT count(*) FROM LNG"), QStringLiteral("3"));
}

TEST_F(CompanionDatabaseTest, OlderLayoutIsUpgradedKeepingItsData)
{
    const QString path = Path("old.ddd");
    MakeVersion1(path);
    ClientConnection connection;
    ASSERT_TRUE(IsOk(connection.Open(path)));
    const std::vector<CameraRecord> cameras = ValueOf(CameraTable::List(connection));
    ASSERT_EQ(cameras.size(), 1u); // no demo camera added to a user's database
    EXPECT_EQ(Text(cameras[0]), "5|Yard|10.1.1.5|8080|op|secret|1|AXIS|OLD-1|00:00:00:00:00:00|0|");
    connection.Close();

    EXPECT_EQ(Sql(path, "PRAGMA user_version").toInt(), kCompanionSchemaVersion);
    EXPECT_EQ(Sql(path, "SELECT count(*) FROM LNG"), QStringLiteral("1"));
    EXPECT_EQ(Sql(path, "SELECT PORTS FROM DETECTORS WHERE MODEL = 'VELTRIX Net-ZELK 7730D'"),
              QStringLiteral("4"));
    EXPECT_EQ(Sql(path, "SELECT count(*) FROM MODELS"), QStringLiteral("0"));
}

// A file the layer cannot use is refused with a message that names it, and stays byte for byte.
TEST_F(CompanionDatabaseTest, UnusableFilesAreRefusedUntouched)
{
    const auto write = [](const QString& p, const char* bytes) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const struct
    {
        const char* Name;
        std::function<void(const QString&)> Make;
        const char* Message;
    } cases[] = {
        {"text file", [&](const QString& p) { write(p, "USRS=0\n"); }, "is not an SQLite database"},
        {"newer layout",
         [](const QString& p) { Sql(p, "CREATE TABLE PRMS (NM TEXT, VAL TEXT); PRAGMA user_version = 99"); },
         "newer program"},
        {"current layout lacking a table",
         [this](const QString& p) {
             ASSERT_TRUE(QFile::copy(Path("orgend.ddd"), p));
             Sql(p, "DROP TABLE MODELS");
         },
         "lacks the table MODELS"},
        {"unversioned database of other tables",
         [](const QString& p) { Sql(p, "CREATE TABLE PRMS (NM TEXT); CREATE TABLE LNG (ID INTEGER)"); },
         "lacks the table CAMERAS"},
        // A table of the next layout's name already present makes the upgrade fail half-way.
        {"failed upgrade", [](const QString& p) { MakeVersion1(p, ";CREATE TABLE DETECTORS (A)"); },
         "nothing was changed"},
        {"read-only older layout",
         [](const QString& p) {
             MakeVersion1(p);
             MakeReadOnly(p);
         },
         "read-only"},
        {"read-only empty file",
         [&](const QString& p) {
             write(p, "");
             MakeReadOnly(p);
         },
         "read-only"},
        {"folder", [](const QString& p) { ASSERT_TRUE(QDir().mkdir(p)); }, "is a folder"},
        {"missing folder", [](const QString&) {}, "folder does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const bool missing = std::string(c.Name) == "missing folder";
        const QString path = Path(c.Name) + (missing ? QStringLiteral("/orgend.ddd") : QString());
        c.Make(path);
        const QByteArray before = Fingerprint(path);
        ClientConnection connection;
        std::string error;
        EXPECT_TRUE(Fails(connection.Open(path), error));
        EXPECT_FALSE(connection.IsOpen());
        EXPECT_NE(error.find(c.Message), std::string::npos) << error;
        EXPECT_EQ(error.rfind(path.toStdString(), 0), 0u) << "the message names the file: " << error;
        EXPECT_EQ(Fingerprint(path), before);
        EXPECT_EQ(QFile::exists(path), !missing);
    }
    // The failed upgrade left layout 1 whole.
    EXPECT_EQ(Sql(Path("failed upgrade"), "PRAGMA user_version"), QStringLiteral("1"));
    EXPECT_EQ(Sql(Path("failed upgrade"), "SELECT count(*) FROM sqlite_master WHERE name = 'POSITIONS'"),
              QStringLiteral("0"));
    ClientConnection connection;
    std::string error;
    EXPECT_TRUE(Fails(connection.Open(QString()), error));
}

// A damaged page met after the file opened is reported naming the file: it needs the user's hand.
TEST_F(CompanionDatabaseTest, DamagedPageNamesTheFile)
{
    const QString path = Path("damaged.ddd");
    ASSERT_TRUE(QFile::copy(Path("orgend.ddd"), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(4096)); // the first page (header and schema) stays whole
    file.write(QByteArray(static_cast<int>(file.size()) - 4096, '\xA5'));
    file.close();
    ClientConnection connection;
    Status failed = connection.Open(path);
    if (failed.ok())
        failed = CameraTable::List(connection).status();
    EXPECT_NE(failed.reason().find(path.toStdString()), std::string::npos) << failed.reason();
    EXPECT_NE(failed.reason().find("damaged"), std::string::npos) << failed.reason();
}

TEST_F(CompanionDatabaseTest, ReadOnlyCurrentDatabaseIsReadButNeverChanged)
{
    m_connection.Close();
    const QString path = Path("orgend.ddd");
    MakeReadOnly(path);
    const QByteArray before = Fingerprint(path);
    ClientConnection connection;
    ASSERT_TRUE(IsOk(connection.Open(path)));
    EXPECT_TRUE(connection.ReadOnly());
    EXPECT_EQ(ValueOf(CameraTable::List(connection)).size(), 1u);
    CameraRecord extra;
    extra.Id = 9;
    std::string error;
    EXPECT_TRUE(Fails(CameraTable::Add(connection, extra), error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_TRUE(Fails(CameraTable::Remove(connection, 0), error));
    connection.Close();
    EXPECT_EQ(Fingerprint(path), before);
}

TEST_F(CompanionDatabaseTest, UnversionedDatabaseWithEveryTableIsUsedAsItIs)
{
    const QString path = Path("client.ddd");
    Sql(path, "PRAGMA user_version = 0", kCompanionSchemaVersion);
    ClientConnection connection;
    ASSERT_TRUE(IsOk(connection.Open(path)));
    connection.Close();
    EXPECT_EQ(Sql(path, "PRAGMA user_version"), QStringLiteral("0"));
}

using CompanionObjects = CompanionTest;

TEST_F(CompanionObjects, CamerasAreAddedUpdatedAndRemovedWholly)
{
    // Windows-1252 bytes survive the Unicode database.
    const std::array<std::uint8_t, 8> mac = {0x02, 0xAB, 0x00, 0x10, 0xFF, 0x0E, 0, 0};
    const std::vector<CameraPosition> positions = {{"Door", 1.5, 2, 0}, {"", -1e-3, 0, 3}};
    CameraRecord record{12,     "C\xE1mara \x80", "127.0.0.3", 8080, "op",      "p@ss:w/rd", 3,
                        "AXIS", "DEMO-4",         mac,         true, positions, "North"};
    ASSERT_TRUE(IsOk(CameraTable::Add(m_connection, record)));
    std::string error;
    EXPECT_TRUE(Fails(CameraTable::Add(m_connection, record), error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;

    CurrentCamera camera;
    EXPECT_TRUE(Fails(camera.Load(12), error)); // no connection yet
    camera.SetConnection(&m_connection);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(IsOk(camera.Load(12)));
        EXPECT_EQ(Text(camera.Record()), Text(record));
        // The update replaces the record and its positions.
        record.DisplayName = "Gate camera";
        record.IpAddress = "127.0.0.4";
        record.Positions = {{"Only", 1, 2, 3}};
        ASSERT_TRUE(IsOk(CameraTable::Update(m_connection, record)));
    }
    record.Id = 99;
    EXPECT_TRUE(Fails(CameraTable::Update(m_connection, record), error));
    EXPECT_NE(error.find("no camera"), std::string::npos) << error;
    EXPECT_TRUE(Fails(camera.Load(99), error)) << "a failed update adds nothing";

    ASSERT_TRUE(IsOk(CameraTable::Remove(m_connection, 12)));
    EXPECT_TRUE(Fails(camera.Load(12), error));
    EXPECT_FALSE(camera.IsLoaded());
    EXPECT_EQ(camera.IpAddress(), "") << "a failed load forgets the previous record";
    EXPECT_TRUE(Fails(CameraTable::Remove(m_connection, 12), error));
    EXPECT_NE(error.find("no camera"), std::string::npos) << error;
    const QString path = m_connection.DatabasePath();
    EXPECT_EQ(Sql(path, "SELECT count(*) FROM POSITIONS WHERE CAMID = 12"), QStringLiteral("0"));

    // A record whose values do not fit is reported, not read as zero.
    Sql(path, "INSERT INTO CAMERAS (ID, NAME, IP, PORT, CHANNEL) VALUES (3, 'x', '1.2.3.4', 80, 300);"
              "INSERT INTO CAMERAS (ID, NAME, IP, PORT, MAC) VALUES (4, 'y', '1.2.3.4', 80, '02:00')");
    EXPECT_TRUE(Fails(camera.Load(3), error));
    EXPECT_NE(error.find("channel"), std::string::npos) << error;
    EXPECT_TRUE(Fails(camera.Load(4), error));
    EXPECT_NE(error.find("MAC"), std::string::npos) << error;
}

TEST_F(CompanionObjects, MacTextsAreReadStrictly)
{
    // Written as the upload file carries it: six upper-case pairs, the last two bytes left out.
    EXPECT_EQ(CameraTable::MacText({0x01, 0x08, 0x09, 0xAA, 0xBB, 0xCC, 0xFF, 0xFF}), "01:08:09:AA:BB:CC");
    const std::pair<const char*, bool> cases[] = {
        {"02:00:00:00:00:01", true},  {"aa:bb:cc:dd:ee:ff", true},  {"AA:BB:CC:DD:EE", false},
        {"AA-BB-CC-DD-EE-FF", false}, {"AA:BB:CC:DD:EE:FG", false}, {"AA:BB:CC:DD:EE:FF:", false},
    };
    for (const auto& [text, valid] : cases) {
        const auto mac = CameraTable::ParseMac(text);
        ASSERT_EQ(mac.has_value(), valid) << text;
        if (mac) {
            EXPECT_EQ(CameraTable::MacText(*mac), QString::fromLatin1(text).toUpper().toStdString());
        }
    }
}

TEST_F(CompanionObjects, ProfilesLoadByNameAndForgetOnFailure)
{
    ModelProfile model;
    std::string error;
    ASSERT_TRUE(IsOk(model.Load(m_connection, "demo-4", "axis"))); // letter case ignored
    EXPECT_EQ(model.ModelName(), "DEMO-4");
    EXPECT_EQ(model.ChannelCount(), 4);
    EXPECT_TRUE(model.HasCapability(Capability::CallThroughPc));
    EXPECT_FALSE(model.HasCapability(Capability::Presets));
    EXPECT_TRUE(Fails(model.Load(m_connection, "DEMO-4", "CANON"), error));
    EXPECT_FALSE(model.IsLoaded());
    EXPECT_EQ(model.ChannelCount(), 1);

    DetectorProfile detector;
    ASSERT_TRUE(IsOk(detector.Load(m_connection, "VELTRIX", "VELTRIX Net-ZELK 7730D")));
    EXPECT_EQ(detector.DeviceCount(), 2);
    EXPECT_EQ(detector.FirstDeviceNumber(), 1);
    EXPECT_EQ(detector.PortCount(), 4);
    EXPECT_EQ(detector.FirstPortNumber(), 0);
    EXPECT_TRUE(Fails(detector.Load(m_connection, "VELTRIX", "Other"), error));
    EXPECT_FALSE(detector.IsLoaded());
}

TEST_F(CompanionObjects, DeviceRequestAddressesFollowTheChannelCount)
{
    AxisDevice device;
    device.SetCamera("127.0.0.2", 8080, "root", "pass", 3, "AXIS", "DEMO-4");
    EXPECT_EQ(device.OutputRequestAddress(2), "/axis-cgi/io/output.cgi?action=2:");
    EXPECT_EQ(device.InputRequestAddress(1), "/axis-cgi/io/input.cgi?check=1");
    const std::pair<std::int16_t, const char*> cases[] = {
        {1, "/axis-cgi/com/ptz.cgi?query=presetposall"},
        {2, "/axis-cgi/com/ptz.cgi?query=presetposall&camera=3"},
    };
    for (const auto& [channels, expected] : cases) {
        device.SetChannelCount(channels);
        EXPECT_EQ(device.PresetListAddress(), expected) << channels;
    }
}

const char* const kCgiPrograms[] = {"getaapp.cgi",   "getconfig.cgi",   "setaapp.cgi",     "appendaapp.cgi",
                                    "setconfig.cgi", "gettasklist.cgi", "settasklist.cgi", "stopchkiod.cgi"};

void ExpectProgram(const QDir& dir, const QString& name)
{
    const QFileInfo info(dir.filePath(name));
    ASSERT_TRUE(info.isFile()) << info.filePath().toStdString();
    EXPECT_TRUE(info.isExecutable()) << info.filePath().toStdString();
    const std::string bytes = ReadBytes(info.filePath());
    EXPECT_EQ(bytes.rfind("#!/bin/sh\n", 0), 0u) << info.filePath().toStdString();
    EXPECT_EQ(bytes.find('\r'), std::string::npos)
        << "device files use LF: " << info.filePath().toStdString();
}

// Every seeded model finds the application files its profile describes: the release folders of a
// per-firmware model, the a/ and b/ trees of the cgi-bin layout, each program of the program list.
TEST_F(CompanionObjects, SeededModelsHaveTheirApplicationFiles)
{
    const std::vector<ModelRecord> models = ValueOf(ModelTable::List(m_connection));
    ASSERT_EQ(models.size(), 2u);

    const QDir data(SourceDir() + QStringLiteral("/resources/Data"));
    for (const ModelRecord& model : models) {
        SCOPED_TRACE(model.ModelName);
        const QDir folder(data.filePath(QString::fromStdString(model.ModelFolderName)));
        ASSERT_TRUE(folder.exists());
        QStringList releases = {QString()};
        if (model.PerFirmwareFolder)
            releases = {QStringLiteral("2.40"), QStringLiteral("2.41")};
        for (const QString& release : releases) {
            SCOPED_TRACE(release.toStdString());
            const QDir source(release.isEmpty() ? folder.path() : folder.filePath(release));
            const QDir programs(model.CgiBinLayout ? source.filePath(QStringLiteral("a")) : source.path());
            const QDir cgis(model.CgiBinLayout ? source.filePath(QStringLiteral("b")) : source.path());
            for (QString name : QString::fromStdString(model.ProgramList).split(QLatin1Char('#'))) {
                if (name.startsWith(QLatin1Char('@')))
                    name.remove(0, 1);
                ExpectProgram(programs, name);
            }
            for (const char* cgi : kCgiPrograms)
                ExpectProgram(cgis, QString::fromLatin1(cgi));
            if (model.ProgramList.find("movetohomed") != std::string::npos)
                ExpectProgram(cgis, QStringLiteral("setmovetohomed.cgi"));
            if (!model.CgiBinLayout)
                ExpectProgram(programs, QStringLiteral("ipnio.cgi"));
        }
    }
}

} // namespace
} // namespace kor::test
