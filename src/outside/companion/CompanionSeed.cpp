#include "outside/companion/CompanionSeed.h"

#include "outside/companion/CompanionSql.h"

#include <QSqlQuery>

namespace kor {

Status SeedCompanionDatabase(QSqlDatabase& db)
{
    const QString language = QStringLiteral("INSERT INTO LNG (ID, NAME, VALUE, ACTV) VALUES (?, ?, ?, ?)");
    const QString model = QStringLiteral(
        "INSERT INTO MODELS (BRAND, NAME, CHANNELS, FOLDER, PERFIRMWARE, IO, CAPS, CAMEVENTS, INVERTED,"
        " PULSETIME, CGIBIN, PROGRAMS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString camera = QStringLiteral(
        "INSERT INTO CAMERAS (ID, NAME, IP, PORT, USR, PWD, CHANNEL, BRAND, MODEL, MAC, POSITIONING)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString position =
        QStringLiteral("INSERT INTO POSITIONS (CAMID, SEQ, NM, X, Y, Z) VALUES (?, ?, ?, ?, ?, ?)");

    // The language rows of the client program: the VALUE names the catalogue, English is active.
    QSqlQuery query(db);
    Status done;
    // Each row only while every one before it went in.
    auto insert = [&](const QString& sql, std::initializer_list<QVariant> values) {
        if (done.ok())
            done = ExecSql(query, sql, values);
    };
    insert(language, {1, QStringLiteral(u"Español"), 270, 0});
    insert(language, {2, QStringLiteral("English"), 271, 1});
    insert(language, {3, QStringLiteral("Italiano"), 352, 0});
    insert(language, {4, QStringLiteral(u"Português"), 389, 0});
    // One single-channel model that can do everything, and a four-channel one whose application
    // files differ per firmware release and keep the CGI programs in their own tree.
    insert(model, {QStringLiteral("AXIS"), QStringLiteral("DEMO-1"), 1, QStringLiteral("DEMO-1"), 0, 1, 511,
                   4, 0, 30, 0, QStringLiteral("alarmappd#chkiod#movetohomed")});
    insert(model, {QStringLiteral("AXIS"), QStringLiteral("DEMO-4"), 4, QStringLiteral("DEMO-4"), 1, 1, 503,
                   8, 0, 30, 1, QStringLiteral("alarmappd#@chanrecd#chkiod")});
    // The demo camera, answered by the simulated camera on the loopback network.
    insert(camera, {0, QStringLiteral("Demo camera"), QStringLiteral("127.0.0.2"), 80, QStringLiteral("root"),
                    QStringLiteral("pass"), 1, QStringLiteral("AXIS"), QStringLiteral("DEMO-1"),
                    QStringLiteral("02:00:00:00:00:01"), 1});
    insert(position, {0, 1, QStringLiteral("Home"), 0.0, 0.0, 1.0});
    insert(position, {0, 2, QStringLiteral("Gate"), 12.5, -4.25, 2.0});
    insert(position, {0, 3, QStringLiteral("Parking"), -90.0, 10.0, 1.5});
    return done;
}

} // namespace kor
