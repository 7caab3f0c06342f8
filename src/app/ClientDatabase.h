#pragma once

#include "config/Result.h"

#include <QString>

#include <string>

namespace kor {

class ClientConnection;
class LocalSettings;

// The companion database file named by the setting FILE. A missing or blank value is replaced by the
// default (orgend.ddd in the per-user work folder), which is written back; when the settings cannot
// be written at all the default is used as it is.
QString ReadDatabasePath(LocalSettings& settings);

// Opens the companion database on the connection and makes sure PRMS holds the row USRS (value "0"
// when it was missing). On failure the connection is closed.
Status OpenClientDatabase(ClientConnection& connection, const QString& databasePath);

// VAL of the PRMS row named name (letter case ignored), "" for an empty field; fallback when there
// is no such row or the database cannot be read. The name is a bound value, never part of the SQL.
QString GetPrmsValue(const ClientConnection& connection, const QString& name, const QString& fallback);

// What the start-up reads of the companion database besides the languages: the client's version and
// whether each of its optional features answers a query.
struct ClientStartup
{
    QString AppVersion;
    bool ProgCamStream = false; // select stream from progcam
    bool ProgCamAudio = false;  // select audio from progcam
    bool RefExpiry = false;     // select whenexpired from ref where cod = -1
    bool IvProfiles = false;    // select camid from ivprofiles
};

ClientStartup ReadClientStartup(const ClientConnection& connection);

} // namespace kor
