#include "app/LocalSettings.h"

#include "app/AppPaths.h"

#include <QDir>
#include <QSettings>

namespace kor {

namespace {

const QString kOrganisation = QStringLiteral("VELTRIX");
const QString kApplication = QStringLiteral("v-sencamDESKPLUS");

QString DefaultDatabaseFile()
{
    return AppPaths::WorkFile(QStringLiteral("orgend.ddd"));
}

std::unique_ptr<QSettings> IniSettings(const QString& folder, const QString& name)
{
    return std::make_unique<QSettings>(QDir(folder).filePath(name), QSettings::IniFormat);
}

} // namespace

namespace settings {
const Setting<QString> DatabaseFile{"FILE", &DefaultDatabaseFile, SettingScope::User};
} // namespace settings

LocalSettings::LocalSettings()
{
    const QString folder = qEnvironmentVariable("KOR_SETTINGS_DIR");
    if (!folder.isEmpty()) {
        m_user = IniSettings(folder, QStringLiteral("user.ini"));
        m_machine = IniSettings(folder, QStringLiteral("machine.ini"));
        return;
    }
    m_user = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
                                         kApplication);
    m_machine = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope, kOrganisation,
                                            kApplication);
}

LocalSettings::LocalSettings(const QString& folder)
    : m_user(IniSettings(folder, QStringLiteral("user.ini"))),
      m_machine(IniSettings(folder, QStringLiteral("machine.ini")))
{}

LocalSettings::~LocalSettings() = default;

QSettings& LocalSettings::Store(SettingScope scope) const
{
    return scope == SettingScope::User ? *m_user : *m_machine;
}

bool LocalSettings::Accessible(SettingScope scope) const
{
    const QSettings& store = Store(scope);
    return store.isWritable() && store.status() == QSettings::NoError;
}

std::optional<QString> LocalSettings::Stored(const Setting<QString>& setting) const
{
    const QSettings& store = Store(setting.Scope);
    const QString key = QString::fromLatin1(setting.Key);
    if (!store.contains(key))
        return std::nullopt;
    return store.value(key).toString();
}

QString LocalSettings::Value(const Setting<QString>& setting) const
{
    return Stored(setting).value_or(setting.Default());
}

Status LocalSettings::Write(const Setting<QString>& setting, const QString& value)
{
    QSettings& store = Store(setting.Scope);
    if (!Accessible(setting.Scope))
        return Status::Fail("the settings of " + store.fileName().toStdString() + " cannot be written");
    store.setValue(QString::fromLatin1(setting.Key), value);
    store.sync();
    if (store.status() != QSettings::NoError)
        return Status::Fail("the settings of " + store.fileName().toStdString() + " could not be stored");
    return Status::Ok();
}

} // namespace kor
