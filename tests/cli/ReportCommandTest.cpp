#include "CliRun.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The PDF needs fonts, and fontconfig keeps its caches until the process ends; LeakSanitizer
// (sanitizer builds) is told that these are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace kor::cli {
namespace {

using test::CliRun;
using test::Korctl;

class KorctlReport : public ::testing::Test
{
protected:
    std::string Path(const char* name) const
    {
        return m_dir.filePath(QString::fromLatin1(name)).toStdString();
    }
    static std::string Sample()
    {
        return (kor::test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")).toStdString();
    }
    static bool Exists(const std::string& path) { return QFile::exists(QString::fromStdString(path)); }

    QTemporaryDir m_dir;
};

TEST_F(KorctlReport, HtmlInEveryLanguage)
{
    const struct
    {
        const char* Lang;
        const char* RuleName; // rule 1 of the sample, text 119
        const char* Detector; // the detector's input row, text 247
    } cases[] = {
        {"en", "Input 1", "Sensor 1"},
        {"es", "Entrada 1", "Sensor 1"},
        {"it", "Ingresso 1", "Sensore 1"},
        {"pt", "Entrada 1", "Sensor 1"},
    };
    for (const auto& c : cases) {
        const std::string out = Path("report.html");
        const CliRun r = Korctl({"report", Sample(), out, "--lang", c.Lang});
        ASSERT_EQ(r.Status, 0) << c.Lang << ": " << r.Err;
        const std::string html = kor::test::ReadBytes(QString::fromStdString(out));
        EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u) << c.Lang;
        EXPECT_NE(html.find(std::string("<h3>") + c.RuleName + "</h3>"), std::string::npos) << c.Lang;
        EXPECT_NE(html.find(c.Detector), std::string::npos) << c.Lang;
        EXPECT_NE(html.find("(Siren at the gate)"), std::string::npos) << c.Lang;
        EXPECT_NE(html.find("/report/00.gif"), std::string::npos) << c.Lang;
        // Rule 100 (audio alarm) of the sample is not a reported source.
        EXPECT_EQ(html.find("Call the guard"), std::string::npos) << c.Lang;
        EXPECT_NE(html.find("</html>"), std::string::npos) << c.Lang;
    }
}

TEST_F(KorctlReport, DefaultLanguageIsEnglish)
{
    const std::string out = Path("r.htm");
    ASSERT_EQ(Korctl({"report", Sample(), out}).Status, 0);
    EXPECT_NE(kor::test::ReadBytes(QString::fromStdString(out)).find("Alarm configuration report"),
              std::string::npos);
}

TEST_F(KorctlReport, PdfIsAPdfDocument)
{
    const std::string out = Path("report.PDF");
    const CliRun r = Korctl({"report", Sample(), out, "--lang", "es"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string pdf = kor::test::ReadBytes(QString::fromStdString(out));
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos);
    // No temporary file stays behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.PDF")});
}

TEST_F(KorctlReport, BadInputFailsWithoutWriting)
{
    const std::string bad = Path("bad.kma");
    kor::test::WriteBytes(QString::fromStdString(bad), "just some text\r\n");
    const std::string missingFolder = Path("no/such/folder/r.html");
    const struct
    {
        std::vector<std::string> Args;
        int Status;
        std::string ErrorPiece;
    } cases[] = {
        {{"report", Path("missing.kma"), Path("a.html")}, 1, "no such file"},
        {{"report", bad, Path("a.html")}, 1, "bad.kma"},
        {{"report", Sample(), missingFolder}, 1, "cannot write the report"},
        {{"report", Sample(), Path("a.txt")}, 2, ".html, .htm or .pdf"},
        {{"report", Sample(), Path("a.html"), "--lang", "fr"}, 2, "--lang"},
        {{"report", Sample()}, 2, "missing arguments"},
    };
    for (const auto& c : cases) {
        const CliRun r = Korctl(c.Args);
        EXPECT_EQ(r.Status, c.Status) << c.Args.back() << ": " << r.Err;
        EXPECT_NE(r.Err.find(c.ErrorPiece), std::string::npos) << r.Err;
    }
    EXPECT_FALSE(Exists(Path("a.html")));
    EXPECT_FALSE(Exists(missingFolder));
}

TEST_F(KorctlReport, HelpNamesTheFormats)
{
    const CliRun r = Korctl({"report", "--help"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_NE(r.Out.find("korctl report IN OUT.html|OUT.pdf"), std::string::npos);
}

} // namespace
} // namespace kor::cli
