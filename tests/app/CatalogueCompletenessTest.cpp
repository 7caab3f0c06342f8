// Every language text number the program uses must be in all four catalogues.
//
// How text numbers appear, so that this test finds them (follow it in new code):
// - C++ asks for a text with an integer literal through a function whose name ends in
//   LangText, LangTextBytes, LangTextId or LangCaption: LangText(815), LangTextBytes(235),
//   a lookup parameter named langText as in langText(230), LangTextId(314) for a number kept
//   in a table, LangCaption(302) for a design-time caption that ApplyLanguageTexts replaces.
//   Never write a bare number for a text, nor compute one (use a table of LangTextId entries).
// - Qt Designer files (.ui) give numeric captions as <string>N</string> or <string>N:</string>.
// Files scanned: *.cpp, *.h, *.inl, *.ui, *.html and *.htm under src/ and resources/.
// The numbers the screens are designed with are listed in data/RequiredTextNumbers.txt.

#include "app/LanguageCatalogue.h"
#include "config/ActionSummary.h"
#include "config/Cp1252.h"
#include "config/ParamString.h"

#include "TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>

namespace kor {
namespace {

const char* const kCatalogues[] = {"DefKorEs.lng", "DefKorEn.lng", "DefKorIt.lng", "DefKorPt.lng"};

LanguageCatalogue LoadCatalogue(const char* name)
{
    LanguageCatalogue catalogue;
    const QString path = test::SourceDir() + QStringLiteral("/resources/lang/") + QLatin1String(name);
    EXPECT_TRUE(test::IsOk(catalogue.LoadFile(path)));
    return catalogue;
}

// Text numbers used in one file's text, each with the line it is on.
std::map<int, int> UsedNumbers(const QString& text, bool designerFile)
{
    static const QRegularExpression call(
        QStringLiteral(R"(\b\w*[Ll]ang(?:Text|TextBytes|TextId|Caption)\s*\(\s*(\d+)\s*\))"));
    static const QRegularExpression designer(QStringLiteral(R"(<string>\s*(\d+)\s*:?\s*</string>)"));
    std::map<int, int> used;
    auto collect = [&](const QRegularExpression& pattern) {
        for (auto it = pattern.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const int line = static_cast<int>(text.left(m.capturedStart()).count(u'\n')) + 1;
            used.emplace(m.captured(1).toInt(), line);
        }
    };
    collect(call);
    if (designerFile)
        collect(designer);
    return used;
}

TEST(CatalogueCompleteness, FinderRecognisesTheConvention)
{
    struct Case
    {
        const char* Text;
        bool Designer;
        std::vector<int> Expected;
    };
    const Case cases[] = {
        {"log(LangText(815));", false, {815}},
        {"out = langText(230) + \" \" + langText( 251 );", false, {230, 251}},
        {"LangTextBytes(235)", false, {235}},
        {"static const int kinds[] = {LangTextId(314), LangTextId(315)};", false, {314, 315}},
        {"button->setText(LangCaption(302));", false, {302}},
        {"m_langText(1000)", false, {1000}},
        {"LangText(n); DecimalText(80); item->text(0); LangTextual(7)", false, {}},
        {"<property name=\"text\"><string>309</string></property><string>144:</string>", true, {144, 309}},
        {"<string>309</string>", false, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> found;
        for (const auto& entry : UsedNumbers(QString::fromLatin1(c.Text), c.Designer))
            found.push_back(entry.first);
        EXPECT_EQ(found, c.Expected) << c.Text;
    }
}

// Every language holds the numbers English holds, the numbers the screens are designed with, and
// every number the code and the resources use.
TEST(CatalogueCompleteness, EveryLanguageHoldsEveryNumberInUse)
{
    std::vector<LanguageCatalogue> catalogues;
    for (const char* name : kCatalogues)
        catalogues.push_back(LoadCatalogue(name));
    const auto expectInAll = [&catalogues](int n, const std::string& where) {
        for (std::size_t i = 0; i < catalogues.size(); ++i)
            EXPECT_TRUE(catalogues[i].Contains(n)) << kCatalogues[i] << " lacks text " << n << where;
    };
    const std::vector<int> english = catalogues[1].Numbers();
    ASSERT_FALSE(english.empty());
    for (const int n : english)
        expectInAll(n, ", which English has");
    for (std::size_t i = 0; i < catalogues.size(); ++i)
        EXPECT_EQ(catalogues[i].Numbers().size(), english.size())
            << kCatalogues[i] << " has more than English";

    const std::string list =
        test::ReadBytes(test::SourceDir() + QStringLiteral("/tests/app/data/RequiredTextNumbers.txt"));
    int required = 0;
    for (const QString& line : QString::fromStdString(list).split(u'\n')) {
        bool ok = false;
        const int n = line.section(u' ', 0, 0).toInt(&ok);
        if (ok) {
            ++required;
            expectInAll(n, ", which a screen is designed with");
        }
    }
    EXPECT_GT(required, 140);

    int filesScanned = 0;
    for (const char* root : {"/src", "/resources"}) {
        QDirIterator it(test::SourceDir() + QLatin1String(root),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.inl"),
                         QStringLiteral("*.ui"), QStringLiteral("*.html"), QStringLiteral("*.htm")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString text = QString::fromUtf8(test::ReadBytes(path));
            ++filesScanned;
            for (const auto& [n, line] : UsedNumbers(text, path.endsWith(QLatin1String(".ui"))))
                expectInAll(n, ", used at " + path.toStdString() + ":" + std::to_string(line));
        }
    }
    EXPECT_GT(filesScanned, 10);
}

TEST(CatalogueCompleteness, TextsFitTheirUses)
{
    for (const char* name : kCatalogues) {
        SCOPED_TRACE(name);
        const LanguageCatalogue catalogue = LoadCatalogue(name);
        for (int n : catalogue.Numbers()) {
            const QString text = catalogue.Text(n);
            // Summaries and the report carry texts as Windows-1252 bytes.
            EXPECT_EQ(FromCp1252(ToCp1252(text)), text)
                << "text " << n << " has characters outside Windows-1252";
            EXPECT_EQ(text.trimmed(), text) << "text " << n << " has blanks around it";
        }
        // The stored duration unit is the first letter of the shown unit; only "S" reads back as seconds.
        EXPECT_TRUE(catalogue.Text(117).startsWith(u'S'));
        EXPECT_FALSE(catalogue.Text(118).toUpper().startsWith(u'S'));
        // The general settings label shows text 139 up to its first line break.
        EXPECT_TRUE(catalogue.Text(139).contains(u'\n'));
    }
}

TEST(CatalogueCompleteness, SummariesReadWellInTwoLanguages)
{
    ActionRecord output;
    output.Type = ActOutput;
    AppendParam(output.Params, "DISP", "5");
    AppendParam(output.Params, "ON", "2");
    AppendParam(output.Params, "IP", "10.0.0.9");
    AppendParam(output.Params, "PWD", "s3cret");
    AppendParam(output.Params, "TM", "10S");
    ActionRecord user;
    user.Type = ActUser;
    AppendParam(user.Params, "USRB", "guard");
    AppendParam(user.Params, "AC", "1");
    AppendParam(user.Params, "FR", "1");

    struct Case
    {
        const char* Catalogue;
        const ActionRecord* Action;
        const char* Expected; // UTF-8
    };
    const Case cases[] = {
        {"DefKorEn.lng", &output, "Switch on and off output 5 for 10S on device 10.0.0.9"},
        {"DefKorEs.lng", &output, "Activar y desactivar la salida 5 durante 10S en el dispositivo 10.0.0.9"},
        {"DefKorEn.lng", &user, "Enable user  guard (forced) "},
        {"DefKorEs.lng", &user, "Activar el usuario  guard (forzado) "},
    };
    for (const Case& c : cases) {
        const LanguageCatalogue catalogue = LoadCatalogue(c.Catalogue);
        const std::string summary =
            ActionSummary(*c.Action, [&](int n) { return ToCp1252(catalogue.Text(n)); });
        EXPECT_EQ(FromCp1252(summary), QString::fromUtf8(c.Expected));
    }
}

} // namespace
} // namespace kor
