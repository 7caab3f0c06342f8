#include "app/LocalSettings.h"
#include "app/ClientDatabase.h"

#include "TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace kor {
namespace {

// Each test gets its own settings files and work folder; the user's real ones are never touched.
class LocalSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldWork = qgetenv("KOR_WORK_DIR");
        qputenv("KOR_WORK_DIR", m_dir.filePath(QStringLiteral("work")).toUtf8());
    }
    void TearDown() override
    {
        if (m_oldWork.isNull())
            qunsetenv("KOR_WORK_DIR");
        else
            qputenv("KOR_WORK_DIR", m_oldWork);
    }
    QString DefaultPath() const
    {
        return QDir(m_dir.filePath(QStringLiteral("work"))).filePath(QStringLiteral("orgend.ddd"));
    }

    QTemporaryDir m_dir;
    QByteArray m_oldWork;
};

TEST_F(LocalSettingsTest, DatabasePathFallsBackToTheDefaultAndWritesItBack)
{
    const struct
    {
        const char* Name;
        std::optional<QString> Stored;
        QString Expected; // empty: the default
        bool WrittenBack;
    } cases[] = {
        {"missing", std::nullopt, {}, true},
        {"blanks", QStringLiteral("   "), {}, true},
        {"a path", QStringLiteral("/srv/client/orgend.ddd"), QStringLiteral("/srv/client/orgend.ddd"), false},
        {"a path with its NUL", QStringLiteral("/srv/c.ddd") + QChar(u'\0'), QStringLiteral("/srv/c.ddd"),
         false},
        {"blank but for its NUL", QStringLiteral(" ") + QChar(u'\0'), {}, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString folder = m_dir.filePath(QStringLiteral("settings%1").arg(++n));
        LocalSettings settings(folder);
        if (c.Stored) {
            ASSERT_TRUE(test::IsOk(settings.Write(settings::DatabaseFile, *c.Stored)));
        }
        const QString expected = c.Expected.isEmpty() ? DefaultPath() : c.Expected;
        EXPECT_EQ(ReadDatabasePath(settings), expected);
        const std::optional<QString> stored =
            c.WrittenBack ? std::optional<QString>(DefaultPath()) : c.Stored;
        EXPECT_EQ(settings.Stored(settings::DatabaseFile), stored);
        // What was written reaches the file, under the key FILE.
        QSettings file(QDir(folder).filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        EXPECT_EQ(file.contains(QStringLiteral("FILE")), c.Stored.has_value() || c.WrittenBack);
    }
}

TEST_F(LocalSettingsTest, UnwritableSettingsGiveTheDefaultWithoutWriting)
{
    const QString folder = m_dir.filePath(QStringLiteral("blocked"));
    // A folder where the settings file should be: no one, not even root, can write it.
    ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath(QStringLiteral("user.ini"))));
    LocalSettings settings(folder);
    EXPECT_FALSE(settings.Accessible(SettingScope::User));
    EXPECT_EQ(ReadDatabasePath(settings), DefaultPath());
    EXPECT_TRUE(settings.Write(settings::DatabaseFile, QStringLiteral("/x")).failed());
    EXPECT_TRUE(QFileInfo(QDir(folder).filePath(QStringLiteral("user.ini"))).isDir());
}

TEST_F(LocalSettingsTest, EnvironmentMovesTheProgramsSettings)
{
    const QString folder = m_dir.filePath(QStringLiteral("env"));
    const QByteArray old = qgetenv("KOR_SETTINGS_DIR");
    qputenv("KOR_SETTINGS_DIR", folder.toUtf8());
    {
        LocalSettings settings;
        EXPECT_EQ(ReadDatabasePath(settings), DefaultPath());
    }
    if (old.isNull())
        qunsetenv("KOR_SETTINGS_DIR");
    else
        qputenv("KOR_SETTINGS_DIR", old);
    QSettings file(QDir(folder).filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("FILE")).toString(), DefaultPath());
}

} // namespace
} // namespace kor
