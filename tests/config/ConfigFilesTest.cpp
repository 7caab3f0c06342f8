#include "config/ConfigFiles.h"
#include "config/SaveFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace kor {
namespace {

class ConfigFiles : public ::testing::Test
{
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

ConfigDocument SmallDocument()
{
    ConfigDocument doc;
    doc.ResetConfig();
    ActionRecord a;
    a.Name = "Siren";
    a.Params = std::string("DISP=1\0ON=1\0", 12);
    doc.AddAction(3, a);
    return doc;
}

TEST_F(ConfigFiles, SaveThenLoadSetsFileNameAndSavedState)
{
    const ConfigDocument doc = SmallDocument();
    const QString path = Path("site.kma");
    ASSERT_TRUE(test::IsOk(SaveProjectFile(doc, path)));

    ConfigDocument loaded;
    loaded.ResetConfig();
    ASSERT_TRUE(test::IsOk(LoadConfig(loaded, path.toStdString(), false)));
    EXPECT_EQ(loaded.CurrentFileName, path.toStdString());
    EXPECT_FALSE(loaded.Saved) << "the loaded actions went through AddAction";
    EXPECT_EQ(*loaded.Action(3, 0), *doc.Action(3, 0));

    ConfigDocument fromText;
    fromText.CurrentFileName = "previous.kma";
    ASSERT_TRUE(test::IsOk(LoadConfig(fromText, "#GENERAL;FS=4;\n", true)));
    EXPECT_EQ(fromText.CurrentFileName, "");
    EXPECT_TRUE(fromText.Saved);
    EXPECT_EQ(fromText.GeneralSettings.FS, 4);
}

TEST_F(ConfigFiles, UnreadableOrBinaryFilesFail)
{
    ConfigDocument doc;
    EXPECT_FALSE(LoadConfig(doc, Path("missing.kma").toStdString(), false).reason().empty());

    EXPECT_TRUE(LoadConfig(doc, m_dir.path().toStdString(), false).failed()) << "a folder is not a file";

    test::WriteBytes(Path("image.kma"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    std::string error;
    EXPECT_TRUE(test::Fails(LoadConfig(doc, Path("image.kma").toStdString(), false), error));
    EXPECT_NE(error.find("binary"), std::string::npos) << error;
    EXPECT_FALSE(doc.HasAnyAction());
}

TEST_F(ConfigFiles, UploadFileGoesToTheWorkFolder)
{
    const ConfigDocument doc = SmallDocument();
    ASSERT_TRUE(test::IsOk(WriteAlarmAppFile(doc, m_dir.path(), DeviceLine{80, "root", "pass", "", "AXIS"})));
    const std::string bytes = test::ReadBytes(Path("alarm_app"));
    EXPECT_EQ(bytes.rfind("#USR=root;PWD=pass;PORT=80;MAC=;BRAND=AXIS;\n#SSTART3\n#ACTION=Siren;", 0), 0u);
    EXPECT_TRUE(WriteAlarmAppFile(doc, Path("no/such/folder"), DeviceLine{}).failed());
}

// A save that fails half-way must leave the previous project file as it was.
TEST_F(ConfigFiles, FailedSaveKeepsThePreviousFile)
{
    const QString path = Path("site.kma");
    const std::string previous = "#SSTART1\r\n#ACTION=old;TP=0;PARAMS=;TT=;\r\n";
    test::WriteBytes(path, previous);

    ConfigDocument big;
    big.ResetConfig();
    ActionRecord a;
    a.Params = std::string(4000, 'x') + '\0';
    for (int i = 0; i < 70; ++i)
        big.AddAction(i, a);
    // Beyond the writer's buffer, the file is written in pieces that add up to the same text.
    ASSERT_TRUE(test::IsOk(SaveProjectFile(big, Path("big.kma"))));
    EXPECT_EQ(test::ReadBytes(Path("big.kma")), BuildProjectText(big));
    QFile::remove(Path("big.kma"));

    // Writes beyond 64 KiB fail, as on a full disk (root ignores permissions, not this limit).
    struct rlimit old
    {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Status saved = SaveProjectFile(big, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(saved.failed());
    EXPECT_FALSE(saved.reason().empty());
    EXPECT_EQ(test::ReadBytes(path), previous);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("site.kma")})
        << "no temporary file is left behind";
}

} // namespace
} // namespace kor
