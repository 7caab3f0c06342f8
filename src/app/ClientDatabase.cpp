#include "app/ClientDatabase.h"

#include "app/LocalSettings.h"
#include "outside/companion/ClientConnection.h"

#include <QSqlError>
#include <QSqlQuery>

namespace kor {

namespace {

bool Succeeds(const ClientConnection& connection, const QString& sql)
{
    if (!connection.IsOpen())
        return false;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    return query.exec(sql);
}

} // namespace

QString ReadDatabasePath(LocalSettings& settings)
{
    const Setting<QString>& setting = settings::DatabaseFile;
    if (!settings.Accessible(setting.Scope))
        return setting.Default();
    QString path = settings.Stored(setting).value_or(QString());
    // The client may store the value with its terminating NUL.
    if (path.endsWith(QChar(u'\0')))
        path.chop(1);
    if (path.trimmed().isEmpty()) {
        path = setting.Default();
        // Without writable settings the default is used as it is.
        (void)settings.Write(setting, path);
    }
    return path;
}

Status OpenClientDatabase(ClientConnection& connection, const QString& databasePath)
{
    if (Status opened = connection.Open(databasePath); opened.failed())
        return opened;
    std::string failure;
    const std::string where = databasePath.toStdString() + ": ";
    {
        QSqlDatabase db = connection.Database();
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT VAL FROM PRMS WHERE NM = ?"));
        query.addBindValue(QStringLiteral("USRS"));
        if (!query.exec()) {
            failure = where + "cannot read PRMS: " + query.lastError().text().toStdString();
        } else if (!query.next()) {
            query.finish();
            if (connection.ReadOnly()) {
                failure = where + "is read-only and lacks the USRS row of PRMS";
            } else if (!query.exec(QStringLiteral("INSERT INTO PRMS (NM, VAL) VALUES ('USRS', '0')"))) {
                failure =
                    where + "cannot add the USRS row to PRMS: " + query.lastError().text().toStdString();
            }
        }
    }
    if (failure.empty())
        return Status::Ok();
    connection.Close();
    return Status::Fail(failure);
}

QString GetPrmsValue(const ClientConnection& connection, const QString& name, const QString& fallback)
{
    if (!connection.IsOpen())
        return fallback;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT VAL FROM PRMS WHERE NM = ?"));
    query.addBindValue(name);
    if (!query.exec() || !query.next())
        return fallback;
    const QVariant value = query.value(0);
    return value.isNull() ? QString(QLatin1String("")) : value.toString();
}

ClientStartup ReadClientStartup(const ClientConnection& connection)
{
    ClientStartup startup;
    startup.AppVersion = GetPrmsValue(connection, QStringLiteral("APPVERSION"), QStringLiteral("UNKNOWN"));
    startup.ProgCamStream = Succeeds(connection, QStringLiteral("select stream from progcam"));
    startup.ProgCamAudio = Succeeds(connection, QStringLiteral("select audio from progcam"));
    startup.RefExpiry = Succeeds(connection, QStringLiteral("select whenexpired from ref where cod = -1"));
    startup.IvProfiles = Succeeds(connection, QStringLiteral("select camid from ivprofiles"));
    return startup;
}

} // namespace kor
