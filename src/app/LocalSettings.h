#pragma once

#include "config/Result.h"

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace kor {

enum class SettingScope
{
    User,
    Machine
};

// One local setting: its key, its default and where it is kept.
template <typename T> struct Setting
{
    const char* Key;
    T (*Default)();
    SettingScope Scope;
};

// The table of local settings.
namespace settings {
// The companion database file, the client program's value FILE. Kept per user because its default
// lies in the per-user work folder.
extern const Setting<QString> DatabaseFile;
} // namespace settings

// Typed access to the local settings over QSettings (organisation "VELTRIX", application
// "v-sencamDESKPLUS": the registry on Windows, a configuration file elsewhere).
class LocalSettings
{
public:
    // The program's own settings. The environment variable KOR_SETTINGS_DIR moves them into
    // ini files of that folder (tests, the demo).
    LocalSettings();
    // Settings kept in ini files inside folder: a temporary instance for tests.
    explicit LocalSettings(const QString& folder);
    ~LocalSettings();
    LocalSettings(const LocalSettings&) = delete;
    LocalSettings& operator=(const LocalSettings&) = delete;

    // Whether settings of the scope can be read and written.
    bool Accessible(SettingScope scope) const;
    // The stored text; nothing when the key is absent.
    std::optional<QString> Stored(const Setting<QString>& setting) const;
    // The stored text, else the default.
    QString Value(const Setting<QString>& setting) const;
    // Stores and flushes the value.
    Status Write(const Setting<QString>& setting, const QString& value);

private:
    QSettings& Store(SettingScope scope) const;

    std::unique_ptr<QSettings> m_user;
    std::unique_ptr<QSettings> m_machine;
};

} // namespace kor
