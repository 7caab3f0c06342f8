#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>

// The PDF needs fonts, and fontconfig keeps its caches until the process ends; LeakSanitizer
// (sanitizer builds) is told that these are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace kor::cli {
namespace {

using test::CliRun;
using KorctlReport = test::KorctlTest;

TEST_F(KorctlReport, HtmlInEveryLanguage)
{
    const struct
    {
        const char* Lang;     // nullptr: the default
        const char* RuleName; // rule 1 of the sample, text 119
        const char* Detector; // the detector's input row, text 247
    } cases[] = {
        {nullptr, "Input 1", "Sensor 1"},  {"en", "Input 1", "Sensor 1"},   {"es", "Entrada 1", "Sensor 1"},
        {"it", "Ingresso 1", "Sensore 1"}, {"pt", "Entrada 1", "Sensor 1"},
    };
    for (const auto& c : cases) {
        const std::string lang = c.Lang ? c.Lang : "default";
        std::vector<std::string> args = {"report", Sample(), Path("report.html")};
        if (c.Lang)
            args.insert(args.end(), {"--lang", c.Lang});
        const CliRun r = Run(args);
        ASSERT_EQ(r.Status, 0) << lang << ": " << r.Err;
        const std::string html = Read("report.html");
        EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u) << lang;
        EXPECT_NE(html.find(std::string("<h3>") + c.RuleName + "</h3>"), std::string::npos) << lang;
        EXPECT_NE(html.find(c.Detector), std::string::npos) << lang;
        EXPECT_NE(html.find("(Siren at the gate)"), std::string::npos) << lang;
        EXPECT_NE(html.find("/report/00.gif"), std::string::npos) << lang;
        // Rule 100 (audio alarm) of the sample is not a reported source.
        EXPECT_EQ(html.find("Call the guard"), std::string::npos) << lang;
        EXPECT_NE(html.find("</html>"), std::string::npos) << lang;
    }
}

TEST_F(KorctlReport, PdfIsAPdfDocument)
{
    const CliRun r = Run({"report", Sample(), Path("report.PDF"), "--lang", "es"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string pdf = Read("report.PDF");
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos);
    // No temporary file stays behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.PDF")});
}

} // namespace
} // namespace kor::cli
