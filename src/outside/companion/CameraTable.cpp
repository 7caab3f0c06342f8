#include "outside/companion/CameraTable.h"

#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionSql.h"

#include "config/Cp1252.h"

#include <QSqlQuery>

#include <limits>
#include <map>

namespace kor {

namespace {

const QString kCameraColumns =
    QStringLiteral("ID, NAME, IP, PORT, USR, PWD, CHANNEL, BRAND, MODEL, MAC, POSITIONING");

std::string Text(const QSqlQuery& query, int column)
{
    return ToCp1252(query.value(column).toString());
}

bool NotOpen(const ClientConnection& connection, std::string* error)
{
    if (connection.IsOpen())
        return false;
    return SetError(error, "the companion database is not open");
}

bool ReadOnly(const ClientConnection& connection, std::string* error)
{
    if (!connection.ReadOnly())
        return false;
    return SetError(error, connection.DatabasePath().toStdString() + ": is read-only, nothing was changed");
}

// One CAMERAS row; a value that does not fit the record is a damaged record, not a zero.
bool ReadCamera(const QSqlQuery& query, CameraRecord& camera, std::string* error)
{
    std::int64_t id = 0;
    std::int64_t port = 0;
    std::int64_t channel = 0;
    std::string why;
    if (!ReadSqlInteger(query, 0, std::numeric_limits<std::int16_t>::min(),
                        std::numeric_limits<std::int16_t>::max(), id, "its identifier", &why))
        return SetError(error, "a camera record is damaged: " + why);
    const std::string which = "camera " + std::to_string(id) + ": ";
    if (!ReadSqlInteger(query, 3, std::numeric_limits<std::int32_t>::min(),
                        std::numeric_limits<std::int32_t>::max(), port, "the port", &why) ||
        !ReadSqlInteger(query, 6, 0, 255, channel, "the channel number", &why))
        return SetError(error, which + why);
    camera = CameraRecord();
    camera.Id = static_cast<std::int16_t>(id);
    camera.DisplayName = Text(query, 1);
    camera.IpAddress = Text(query, 2);
    camera.Port = static_cast<std::int32_t>(port);
    camera.UserName = Text(query, 4);
    camera.Password = Text(query, 5);
    camera.Channel = static_cast<std::uint8_t>(channel);
    camera.Brand = Text(query, 7);
    camera.ModelName = Text(query, 8);
    const std::string mac = Text(query, 9);
    if (!mac.empty()) {
        const auto parsed = CameraTable::ParseMac(mac);
        if (!parsed)
            return SetError(error, which + "the MAC address \"" + MessageText(mac) + "\" is malformed");
        camera.Mac = *parsed;
    }
    camera.PositioningSupport = query.value(10).toLongLong() != 0;
    return false;
}

bool ReadPositions(QSqlDatabase& db, std::map<std::int16_t, std::vector<CameraPosition>>& positions,
                   const std::int16_t* onlyCamera, std::string* error)
{
    QSqlQuery query(db);
    const bool failed =
        onlyCamera
            ? ExecSql(query,
                      QStringLiteral("SELECT CAMID, NM, X, Y, Z FROM POSITIONS WHERE CAMID = ? ORDER BY SEQ"),
                      {int(*onlyCamera)}, error)
            : ExecSql(query, QStringLiteral("SELECT CAMID, NM, X, Y, Z FROM POSITIONS ORDER BY CAMID, SEQ"),
                      {}, error);
    if (failed)
        return true;
    while (query.next()) {
        CameraPosition position;
        position.Nm = Text(query, 1);
        position.X = query.value(2).toDouble();
        position.Y = query.value(3).toDouble();
        position.z = query.value(4).toDouble();
        positions[static_cast<std::int16_t>(query.value(0).toInt())].push_back(std::move(position));
    }
    return false;
}

bool CameraExists(QSqlDatabase& db, std::int16_t id, bool& exists, std::string* error)
{
    QSqlQuery query(db);
    if (ExecSql(query, QStringLiteral("SELECT 1 FROM CAMERAS WHERE ID = ?"), {int(id)}, error))
        return true;
    exists = query.next();
    return false;
}

bool InsertCamera(QSqlDatabase& db, const CameraRecord& camera, std::string* failure)
{
    QSqlQuery query(db);
    if (ExecSql(query,
                QStringLiteral("INSERT INTO CAMERAS (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(kCameraColumns),
                {int(camera.Id), SqlText(camera.DisplayName), SqlText(camera.IpAddress), camera.Port,
                 SqlText(camera.UserName), SqlText(camera.Password), int(camera.Channel),
                 SqlText(camera.Brand), SqlText(camera.ModelName), SqlText(CameraTable::MacText(camera.Mac)),
                 camera.PositioningSupport ? 1 : 0},
                failure))
        return true;
    int seq = 0;
    for (const CameraPosition& position : camera.Positions) {
        if (ExecSql(
                query,
                QStringLiteral("INSERT INTO POSITIONS (CAMID, SEQ, NM, X, Y, Z) VALUES (?, ?, ?, ?, ?, ?)"),
                {int(camera.Id), ++seq, SqlText(position.Nm), position.X, position.Y, position.z}, failure))
            return true;
    }
    return false;
}

bool DeleteCamera(QSqlDatabase& db, std::int16_t id, std::string* failure)
{
    QSqlQuery query(db);
    return ExecSql(query, QStringLiteral("DELETE FROM POSITIONS WHERE CAMID = ?"), {int(id)}, failure) ||
           ExecSql(query, QStringLiteral("DELETE FROM CAMERAS WHERE ID = ?"), {int(id)}, failure);
}

} // namespace

bool CameraTable::List(const ClientConnection& connection, std::vector<CameraRecord>& cameras,
                       std::string* error)
{
    cameras.clear();
    if (NotOpen(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (ExecSql(query, QStringLiteral("SELECT %1 FROM CAMERAS ORDER BY ID").arg(kCameraColumns), {}, error))
        return true;
    while (query.next()) {
        CameraRecord camera;
        if (ReadCamera(query, camera, error))
            return true;
        cameras.push_back(std::move(camera));
    }
    std::map<std::int16_t, std::vector<CameraPosition>> positions;
    if (ReadPositions(db, positions, nullptr, error))
        return true;
    for (CameraRecord& camera : cameras)
        camera.Positions = positions[camera.Id];
    return false;
}

bool CameraTable::Find(const ClientConnection& connection, std::int16_t id, CameraRecord& camera, bool& found,
                       std::string* error)
{
    found = false;
    if (NotOpen(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (ExecSql(query, QStringLiteral("SELECT %1 FROM CAMERAS WHERE ID = ?").arg(kCameraColumns), {int(id)},
                error))
        return true;
    if (!query.next())
        return false;
    if (ReadCamera(query, camera, error))
        return true;
    std::map<std::int16_t, std::vector<CameraPosition>> positions;
    if (ReadPositions(db, positions, &id, error))
        return true;
    camera.Positions = positions[id];
    found = true;
    return false;
}

bool CameraTable::Add(const ClientConnection& connection, const CameraRecord& camera, std::string* error)
{
    if (NotOpen(connection, error) || ReadOnly(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(
        db,
        [&](std::string* failure) {
            bool exists = false;
            if (CameraExists(db, camera.Id, exists, failure))
                return true;
            if (exists)
                return SetError(failure,
                                "a camera with identifier " + std::to_string(camera.Id) + " already exists");
            return InsertCamera(db, camera, failure);
        },
        error);
}

bool CameraTable::Update(const ClientConnection& connection, const CameraRecord& camera, std::string* error)
{
    if (NotOpen(connection, error) || ReadOnly(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(
        db,
        [&](std::string* failure) {
            bool exists = false;
            if (CameraExists(db, camera.Id, exists, failure))
                return true;
            if (!exists)
                return SetError(failure, "no camera has the identifier " + std::to_string(camera.Id));
            return DeleteCamera(db, camera.Id, failure) || InsertCamera(db, camera, failure);
        },
        error);
}

bool CameraTable::Remove(const ClientConnection& connection, std::int16_t id, std::string* error)
{
    if (NotOpen(connection, error) || ReadOnly(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(
        db,
        [&](std::string* failure) {
            bool exists = false;
            if (CameraExists(db, id, exists, failure))
                return true;
            if (!exists)
                return SetError(failure, "no camera has the identifier " + std::to_string(id));
            return DeleteCamera(db, id, failure);
        },
        error);
}

std::optional<std::array<std::uint8_t, 8>> CameraTable::ParseMac(std::string_view text)
{
    if (text.size() != 17)
        return std::nullopt;
    std::array<std::uint8_t, 8> mac{};
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < 6; ++i) {
        const int high = nibble(text[i * 3]);
        const int low = nibble(text[i * 3 + 1]);
        if (high < 0 || low < 0 || (i < 5 && text[i * 3 + 2] != ':'))
            return std::nullopt;
        mac[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return mac;
}

std::string CameraTable::MacText(const std::array<std::uint8_t, 8>& mac)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i > 0)
            text.push_back(':');
        text.push_back(digits[mac[i] >> 4]);
        text.push_back(digits[mac[i] & 15]);
    }
    return text;
}

} // namespace kor
