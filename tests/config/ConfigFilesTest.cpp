#include "config/ConfigFiles.h"
#include "config/SaveFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    EXPECT_EQ(saved.reason(), "File too large") << "the reason of the write that failed";
    EXPECT_EQ(test::ReadBytes(path), previous);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("site.kma")})
        << "no temporary file is left behind";
}

int Mode(const QString& path)
{
    struct stat st
    {};
    return ::stat(path.toLocal8Bit().constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// What stands at a target that is not a regular file stays as it is; a link to a regular file is
// followed and stays a link.
TEST_F(ConfigFiles, OnlyRegularFilesAreReplaced)
{
    const ConfigDocument doc = SmallDocument();
    ASSERT_EQ(::mkfifo(Path("fifo").toLocal8Bit().constData(), 0644), 0);
    ASSERT_TRUE(QDir().mkdir(Path("folder")));
    ASSERT_TRUE(QFile::link(Path("nowhere"), Path("dangling")));
    const bool root = ::geteuid() == 0;
    // A device node of its own: a mistake must never turn the real /dev/null into a file.
    if (root) {
        ASSERT_EQ(::mknod(Path("null").toLocal8Bit().constData(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    }
    const struct
    {
        const char* Name;
        const char* Said;
        int Type;
    } rows[] = {{"fifo", "FIFO", S_IFIFO}, {"folder", "folder", S_IFDIR}, {"null", "device", S_IFCHR}};
    for (const auto& row : rows) {
        if (!root && row.Type == S_IFCHR)
            continue;
        const Status saved = SaveProjectFile(doc, Path(row.Name));
        EXPECT_NE(saved.reason().find(row.Said), std::string::npos) << row.Name << ": " << saved.reason();
        struct stat st
        {};
        ASSERT_EQ(::lstat(Path(row.Name).toLocal8Bit().constData(), &st), 0) << row.Name;
        EXPECT_EQ(st.st_mode & S_IFMT, static_cast<mode_t>(row.Type)) << row.Name;
    }
    EXPECT_TRUE(SaveFileAtomically(Path("dangling"), "x").failed());
    EXPECT_TRUE(QFileInfo(Path("dangling")).isSymLink());

    test::WriteBytes(Path("real.kma"), "old");
    ASSERT_TRUE(QFile::link(Path("real.kma"), Path("link.kma")));
    ASSERT_TRUE(test::IsOk(SaveProjectFile(doc, Path("link.kma"))));
    EXPECT_TRUE(QFileInfo(Path("link.kma")).isSymLink());
    EXPECT_EQ(test::ReadBytes(Path("real.kma")).rfind("#SSTART3", 0), 0u);
}

// Files that may hold passwords are the user's alone; a user's existing project keeps its mode.
TEST_F(ConfigFiles, FileModes)
{
    const mode_t oldMask = ::umask(022);
    const ConfigDocument doc = SmallDocument();
    const struct
    {
        const char* Name;
        int Before; // -1: a new file
        bool Upload;
        int After;
    } rows[] = {
        {"new.kma", -1, false, 0600},
        {"shared.kma", 0644, false, 0644},
        {"alarm_app", 0644, true, 0600},
    };
    for (const auto& row : rows) {
        if (row.Before >= 0) {
            test::WriteBytes(Path(row.Name), "old");
            ::chmod(Path(row.Name).toLocal8Bit().constData(), static_cast<mode_t>(row.Before));
        }
        EXPECT_TRUE(test::IsOk(row.Upload ? WriteAlarmAppFile(doc, m_dir.path(), DeviceLine{})
                                          : SaveProjectFile(doc, Path(row.Name))))
            << row.Name;
        EXPECT_EQ(Mode(Path(row.Name)), row.After) << row.Name;
    }
    EXPECT_TRUE(WriteAlarmAppFile(doc, Path("no/such/folder"), DeviceLine{}).failed());
    ASSERT_TRUE(SaveFileAtomically(Path("report.html"), "x").ok());
    EXPECT_EQ(Mode(Path("report.html")), 0644);
    ASSERT_TRUE(QDir().mkdir(Path("open")));
    ASSERT_TRUE(MakePrivateFolder(Path("open")).ok());
    EXPECT_EQ(Mode(Path("open")), 0755) << "a folder the program did not make is left alone";
    ASSERT_TRUE(MakePrivateFolder(Path("open"), ExistingFolder::MakePrivate).ok());
    EXPECT_EQ(Mode(Path("open")), 0700);
    ::umask(oldMask);
}

} // namespace
} // namespace kor
