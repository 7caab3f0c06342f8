#include "app/Language.h"
#include "app/ui/FrmAssist0.h"
#include "app/ui/frmSkinAux.h"

#include "TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace kor {
namespace {

// Points the resources at a folder of the test's own for the time of the test.
class OwnResources
{
public:
    OwnResources() : m_old(qgetenv("KOR_RESOURCES")) { qputenv("KOR_RESOURCES", m_dir.path().toUtf8()); }
    ~OwnResources() { qputenv("KOR_RESOURCES", m_old); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

TEST(SkinHost, SchemeValuesFillTheStyleSheet)
{
    const QString sheet =
        QStringLiteral("QWidget { background: @Back; color: @BackLight; border: @Missing; }");
    const QString scheme =
        QStringLiteral("[colours]\n; comment\nBack = #102030\nBackLight=#ffffff\nbroken line\n");
    EXPECT_EQ(frmSkinAux::ApplyScheme(sheet, scheme),
              QStringLiteral("QWidget { background: #102030; color: #ffffff; border: @Missing; }"));
    EXPECT_EQ(frmSkinAux::ApplyScheme(sheet, QString()), sheet);
}

TEST(SkinHost, LoadsTheSkinFileWhenThereIsOne)
{
    OwnResources resources;
    {
        frmSkinAux skin;
        skin.Load();
        EXPECT_FALSE(skin.Skinned()) << "no skin file: unskinned, Fusion";
        EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
        EXPECT_FALSE(skin.LoadSkin(QStringLiteral("NormalOrange.ini")));
    }
    test::WriteBytes(resources.Path(QStringLiteral("veltrix.skn")), "QPushButton { color: @Text; }");
    test::WriteBytes(resources.Path(QStringLiteral("NormalOrange.ini")), "Text=#e08a1e\n");
    {
        frmSkinAux skin;
        skin.Load();
        EXPECT_TRUE(skin.Skinned());
        EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QPushButton { color: #e08a1e; }"));
    }
    EXPECT_EQ(qApp->styleSheet(), QString()) << "the skin goes with its host";
}

TEST(SkinHost, BuiltInPicturesAreFoundByTheirKeys)
{
    // A picture missing from the program's resources would show as the neutral square.
    const QImage square = frmSkinAux::Icon(QStringLiteral("no-such-key")).pixmap(32, 32).toImage();
    ASSERT_FALSE(square.isNull());
    for (const char* key : {"new", "open", "download", "save", "print", "report", "assistant", "main",
                            "sensors", "zelk", "transfer", "add", "del", "source1", "source14"})
        EXPECT_NE(frmSkinAux::Icon(QLatin1String(key)).pixmap(32, 32).toImage(), square) << key;
}

TEST(AssistantScreen, LoadsTheHelpTextOfTheStepInTheActiveLanguage)
{
    if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
        qputenv("KOR_RESOURCES", (test::BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
    FrmAssist0 assistant;
    QTextBrowser* text = assistant.findChild<QTextBrowser*>(QStringLiteral("Txt"));
    ASSERT_NE(text, nullptr);
    FreeLanguage();
    assistant.XLoadAssist(0);
    EXPECT_TRUE(text->toPlainText().isEmpty()) << "before the language there is no as0.html";
    for (const char* code : {"es", "en", "it", "pt"}) {
        ASSERT_TRUE(LoadLanguageByCode(QString::fromLatin1(code)).ok());
        for (std::uint8_t help = 0; help <= 4; ++help) {
            text->clear();
            assistant.XLoadAssist(help);
            EXPECT_FALSE(text->toPlainText().isEmpty()) << code << " " << int(help);
        }
    }
    const QString shown = text->toHtml();
    assistant.XLoadAssist(9);
    EXPECT_EQ(text->toHtml(), shown) << "a missing help file leaves the text as it was";
    FreeLanguage();
}

} // namespace
} // namespace kor
