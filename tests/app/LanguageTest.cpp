#include "app/Language.h"
#include "app/LanguageCatalogue.h"

#include "TestSupport.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

namespace kor {
namespace {

// ---- The catalogue format ----

TEST(LanguageCatalogue, ReadsEntriesCommentsAndEscapes)
{
    LanguageCatalogue catalogue;
    const QByteArray text = "\xEF\xBB\xBF# comment\r\n"
                            "\n"
                            "117\tSegundos\r\n"
                            "139\tFirst line\\nsecond\\tend \\\\ done\n"
                            "  \t  \n"
                            "1000\t  padded  \n"
                            "821\t\xC2\xBF"
                            "Desea reemplazar el archivo"; // no final line end
    ASSERT_TRUE(test::IsOk(catalogue.Parse(text)));
    EXPECT_EQ(catalogue.Text(117), QStringLiteral("Segundos"));
    EXPECT_EQ(catalogue.Text(139), QStringLiteral("First line\nsecond\tend \\ done"));
    EXPECT_EQ(catalogue.Text(1000), QStringLiteral("  padded  ")) << "blanks around a text are kept";
    EXPECT_EQ(catalogue.Text(821), QString::fromUtf8("\xC2\xBF"
                                                     "Desea reemplazar el archivo"));
    EXPECT_EQ(catalogue.Text(118), QString()) << "a missing number gives an empty text";
    EXPECT_EQ(catalogue.Numbers(), (std::vector<int>{117, 139, 821, 1000}));
}

TEST(LanguageCatalogue, RejectsMalformedTextWhole)
{
    struct Case
    {
        const char* Name;
        QByteArray Text;
        const char* ReasonPart;
    };
    const Case cases[] = {
        {"no tab", "117\tSeconds\n118 Minutes\n", "line 2"},
        {"sign", "-5\tx\n", "not a text number"},
        {"beyond 32 bits", "2147483648\tx\n", "not a text number"},
        {"duplicate", "117\ta\n117\tb\n", "appears twice"},
        {"unknown escape", "117\ta\\xb\n", "escape"},
        {"trailing backslash", "117\ta\\\n", "escape"},
        {"empty text", "117\t\n", "empty"},
        {"too long", "117\t" + QByteArray(512, 'a') + "\n", "longer than 511"},
        {"invalid UTF-8", "117\tSegundos \xFF\n", "UTF-8"},
        {"empty file", "", "no texts"},
    };
    for (const Case& c : cases) {
        LanguageCatalogue catalogue;
        ASSERT_TRUE(catalogue.Parse("999\tleft over\n").ok());
        const std::string reason = catalogue.Parse(c.Text).reason();
        EXPECT_NE(reason.find(c.ReasonPart), std::string::npos) << c.Name << ": " << reason;
        EXPECT_TRUE(catalogue.IsEmpty()) << c.Name << ": nothing half-read survives";
    }
    // The longest allowed text is 511 characters.
    LanguageCatalogue catalogue;
    EXPECT_TRUE(catalogue.Parse("117\t" + QByteArray(511, 'a')).ok());
}

// ---- LoadLanguage on a companion database ----

class RecordingErrors : public LanguageErrorSink
{
public:
    void ShowLanguageError(const QString& message) override { Messages.push_back(message); }
    std::vector<QString> Messages;
};

// A resource folder with small catalogues of its own and a SQLite database with the LNG table.
class LoadLanguageTest : public ::testing::Test
{
public: // the table-driven failure cases arrange the fixture through lambdas
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldResources = qgetenv("KOR_RESOURCES");
        qputenv("KOR_RESOURCES", m_dir.path().toLocal8Bit());
        QDir(m_dir.path()).mkdir(QStringLiteral("lang"));
        m_connection = QUuid::createUuid().toString(QUuid::WithoutBraces);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_dir.filePath(QStringLiteral("orgend.ddd")));
        ASSERT_TRUE(db.open());
        Exec("PRAGMA synchronous=OFF");
        Prepare();
    }

    // Fresh catalogues and a fresh LNG table with no active row.
    void Prepare()
    {
        WriteCatalogue("DefKorEn.lng", "117\tSeconds\n802\tThe device does not answer.\n");
        WriteCatalogue("DefKorEs.lng", "117\tSegundos\n");
        WriteCatalogue("DefKorIt.lng", "117\tSecondi\n");
        WriteCatalogue("DefKorPt.lng", "117\tSegundos\n");
        Exec("DROP TABLE IF EXISTS LNG");
        Exec("CREATE TABLE LNG (ID INTEGER PRIMARY KEY, NAME TEXT, VALUE INTEGER, ACTV INTEGER)");
        Exec("INSERT INTO LNG (NAME, VALUE, ACTV) VALUES ('Español', 270, 0), ('English', 271, 0), "
             "('Italiano', 352, 0), ('Português', 389, 0)");
    }

    void TearDown() override
    {
        FreeLanguage();
        QSqlDatabase::database(m_connection).close();
        QSqlDatabase::removeDatabase(m_connection);
        qputenv("KOR_RESOURCES", m_oldResources);
    }

    void WriteCatalogue(const char* name, const std::string& text)
    {
        test::WriteBytes(m_dir.filePath(QStringLiteral("lang/") + QLatin1String(name)), text);
    }

    void Exec(const char* sql)
    {
        QSqlQuery query(Db());
        ASSERT_TRUE(query.exec(QString::fromUtf8(sql))) << sql;
    }

    void Activate(int value)
    {
        Exec("UPDATE LNG SET ACTV=0");
        QSqlQuery query(Db());
        query.prepare(QStringLiteral("UPDATE LNG SET ACTV=1 WHERE VALUE=?"));
        query.addBindValue(value);
        ASSERT_TRUE(query.exec());
    }

    // LoadLanguage with standard error captured.
    bool Load()
    {
        ::testing::internal::CaptureStderr();
        const bool failed = LoadLanguage(Db(), m_errors).failed();
        m_stderr = ::testing::internal::GetCapturedStderr();
        return failed;
    }

    QSqlDatabase Db() const { return QSqlDatabase::database(m_connection, false); }

    QTemporaryDir m_dir;
    QByteArray m_oldResources;
    QString m_connection;
    RecordingErrors m_errors;
    std::string m_stderr;
};

TEST_F(LoadLanguageTest, LoadsTheActiveLanguage)
{
    struct Case
    {
        int Value;
        const char* Code;
        const char* Seconds;
    };
    for (const Case& c :
         {Case{270, "sp", "Segundos"}, Case{271, "en", "Seconds"}, Case{352, "it", "Secondi"}}) {
        Activate(c.Value);
        EXPECT_FALSE(Load()) << c.Value << ": " << m_stderr;
        EXPECT_EQ(LanguageCode(), QLatin1String(c.Code));
        EXPECT_EQ(LangText(117), QString::fromUtf8(c.Seconds));
        EXPECT_EQ(LangTextBytes(117), c.Seconds);
        EXPECT_EQ(LangText(802).isEmpty(), c.Value != 271) << "nothing of an earlier language remains";
    }
    EXPECT_TRUE(m_errors.Messages.empty());
    EXPECT_TRUE(m_stderr.empty()) << m_stderr;
}

TEST_F(LoadLanguageTest, FailuresReportAndLeaveNoLanguage)
{
    struct Case
    {
        const char* Name;
        std::function<void(LoadLanguageTest&)> Arrange;
        const char* ReasonPart;
    };
    const Case cases[] = {
        {"no active row", [](LoadLanguageTest&) {}, "no language is marked active"},
        {"unknown VALUE",
         [](LoadLanguageTest& t) { t.Exec("INSERT INTO LNG (NAME, VALUE, ACTV) VALUES ('x', 999, 1)"); },
         "999"},
        {"no table", [](LoadLanguageTest& t) { t.Exec("DROP TABLE LNG"); }, "LNG"},
        {"missing catalogue, named with its path",
         [](LoadLanguageTest& t) {
             t.Activate(352);
             QFile::remove(t.m_dir.filePath(QStringLiteral("lang/DefKorIt.lng")));
         },
         "/lang/DefKorIt.lng"},
        {"malformed catalogue",
         [](LoadLanguageTest& t) {
             t.Activate(389);
             t.WriteCatalogue("DefKorPt.lng", "117\tSegundos\n118 Minutos\n");
         },
         "DefKorPt.lng: line 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Prepare();
        Activate(271);
        ASSERT_FALSE(Load());
        Exec("UPDATE LNG SET ACTV=0");
        m_errors.Messages.clear();
        c.Arrange(*this);

        EXPECT_TRUE(Load());
        ASSERT_EQ(m_errors.Messages.size(), 1u);
        EXPECT_EQ(m_errors.Messages[0], QStringLiteral("Language library error."));
        EXPECT_NE(m_stderr.find(c.ReasonPart), std::string::npos) << m_stderr;
        EXPECT_EQ(LangText(117), QString()) << "the earlier language was released";
        EXPECT_EQ(LanguageCode(), QString());
    }
}

TEST_F(LoadLanguageTest, ByCodeWithoutDatabase)
{
    EXPECT_TRUE(test::IsOk(LoadLanguageByCode(u"es")));
    EXPECT_NE(LoadLanguageByCode(u"de").reason().find("de"), std::string::npos);
    EXPECT_EQ(LangText(117), QString());
    FreeLanguage();
    EXPECT_EQ(LangText(117), QString()) << "no language, no text";
}

} // namespace
} // namespace kor
