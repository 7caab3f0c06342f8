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
    QStringLiteral("ID, NAME, IP, PORT, USR, PWD, CHANNEL, BRAND, MODEL, MAC, POSITIONING, GRP");

std::string Text(const QSqlQuery& query, int column)
{
    return ToCp1252(query.value(column).toString());
}

// One CAMERAS row; a value that does not fit the record is a damaged record, not a zero.
Result<CameraRecord> ReadCamera(const QSqlQuery& query)
{
    const Result<std::int64_t> id =
        ReadSqlInteger(query, 0, std::numeric_limits<std::int16_t>::min(),
                       std::numeric_limits<std::int16_t>::max(), "its identifier");
    if (id.failed())
        return Status::Fail("a camera record is damaged: " + id.reason());
    const std::string which = "camera " + std::to_string(*id) + ": ";
    const Result<std::int64_t> port = ReadSqlInteger(query, 3, std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max(), "the port");
    if (port.failed())
        return Status::Fail(which + port.reason());
    const Result<std::int64_t> channel = ReadSqlInteger(query, 6, 0, 255, "the channel number");
    if (channel.failed())
        return Status::Fail(which + channel.reason());
    CameraRecord camera;
    camera.Id = static_cast<std::int16_t>(*id);
    camera.DisplayName = Text(query, 1);
    camera.IpAddress = Text(query, 2);
    camera.Port = static_cast<std::int32_t>(*port);
    camera.UserName = Text(query, 4);
    camera.Password = Text(query, 5);
    camera.Channel = static_cast<std::uint8_t>(*channel);
    camera.Brand = Text(query, 7);
    camera.ModelName = Text(query, 8);
    const std::string mac = Text(query, 9);
    if (!mac.empty()) {
        const auto parsed = CameraTable::ParseMac(mac);
        if (!parsed)
            return Status::Fail(which + "the MAC address \"" + MessageText(mac) + "\" is malformed");
        camera.Mac = *parsed;
    }
    camera.PositioningSupport = query.value(10).toLongLong() != 0;
    camera.Group = Text(query, 11);
    return camera;
}

using PositionMap = std::map<std::int16_t, std::vector<CameraPosition>>;

Result<PositionMap> ReadPositions(QSqlDatabase& db, const std::int16_t* onlyCamera)
{
    QSqlQuery query(db);
    const Status read =
        onlyCamera
            ? ExecSql(query,
                      QStringLiteral("SELECT CAMID, NM, X, Y, Z FROM POSITIONS WHERE CAMID = ? ORDER BY SEQ"),
                      {int(*onlyCamera)})
            : ExecSql(query, QStringLiteral("SELECT CAMID, NM, X, Y, Z FROM POSITIONS ORDER BY CAMID, SEQ"),
                      {});
    if (read.failed())
        return read;
    PositionMap positions;
    while (query.next()) {
        CameraPosition position;
        position.Nm = Text(query, 1);
        position.X = query.value(2).toDouble();
        position.Y = query.value(3).toDouble();
        position.z = query.value(4).toDouble();
        positions[static_cast<std::int16_t>(query.value(0).toInt())].push_back(std::move(position));
    }
    return positions;
}

Result<bool> CameraExists(QSqlDatabase& db, std::int16_t id)
{
    QSqlQuery query(db);
    if (Status read = ExecSql(query, QStringLiteral("SELECT 1 FROM CAMERAS WHERE ID = ?"), {int(id)});
        read.failed())
        return read;
    return query.next();
}

// A failure unless the camera's presence is as expected.
Status RequireCamera(QSqlDatabase& db, std::int16_t id, bool present)
{
    const Result<bool> exists = CameraExists(db, id);
    if (exists.failed())
        return exists.status();
    if (*exists == present)
        return Status::Ok();
    return Status::Fail(present ? "no camera has the identifier " + std::to_string(id)
                                : "a camera with identifier " + std::to_string(id) + " already exists");
}

Status InsertCamera(QSqlDatabase& db, const CameraRecord& camera)
{
    QSqlQuery query(db);
    Status done =
        ExecSql(query,
                QStringLiteral("INSERT INTO CAMERAS (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(kCameraColumns),
                {int(camera.Id), SqlText(camera.DisplayName), SqlText(camera.IpAddress), camera.Port,
                 SqlText(camera.UserName), SqlText(camera.Password), int(camera.Channel),
                 SqlText(camera.Brand), SqlText(camera.ModelName), SqlText(CameraTable::MacText(camera.Mac)),
                 camera.PositioningSupport ? 1 : 0, SqlText(camera.Group)});
    int seq = 0;
    for (const CameraPosition& position : camera.Positions) {
        if (done.failed())
            break;
        done = ExecSql(
            query,
            QStringLiteral("INSERT INTO POSITIONS (CAMID, SEQ, NM, X, Y, Z) VALUES (?, ?, ?, ?, ?, ?)"),
            {int(camera.Id), ++seq, SqlText(position.Nm), position.X, position.Y, position.z});
    }
    return done;
}

Status DeleteCamera(QSqlDatabase& db, std::int16_t id)
{
    QSqlQuery query(db);
    if (Status done = ExecSql(query, QStringLiteral("DELETE FROM POSITIONS WHERE CAMID = ?"), {int(id)});
        done.failed())
        return done;
    return ExecSql(query, QStringLiteral("DELETE FROM CAMERAS WHERE ID = ?"), {int(id)});
}

} // namespace

Result<std::vector<CameraRecord>> CameraTable::List(const ClientConnection& connection)
{
    if (Status open = RequireOpen(connection); open.failed())
        return open;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (Status read =
            ExecSql(query, QStringLiteral("SELECT %1 FROM CAMERAS ORDER BY ID").arg(kCameraColumns), {});
        read.failed())
        return read;
    std::vector<CameraRecord> cameras;
    while (query.next()) {
        Result<CameraRecord> camera = ReadCamera(query);
        if (camera.failed())
            return camera.status();
        cameras.push_back(std::move(camera).value());
    }
    Result<PositionMap> positions = ReadPositions(db, nullptr);
    if (positions.failed())
        return positions.status();
    for (CameraRecord& camera : cameras)
        camera.Positions = (*positions)[camera.Id];
    return cameras;
}

Result<std::optional<CameraRecord>> CameraTable::Find(const ClientConnection& connection, std::int16_t id)
{
    if (Status open = RequireOpen(connection); open.failed())
        return open;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (Status read = ExecSql(
            query, QStringLiteral("SELECT %1 FROM CAMERAS WHERE ID = ?").arg(kCameraColumns), {int(id)});
        read.failed())
        return read;
    if (!query.next())
        return std::optional<CameraRecord>();
    Result<CameraRecord> camera = ReadCamera(query);
    if (camera.failed())
        return camera.status();
    Result<PositionMap> positions = ReadPositions(db, &id);
    if (positions.failed())
        return positions.status();
    camera->Positions = (*positions)[id];
    return std::optional<CameraRecord>(std::move(camera).value());
}

Status CameraTable::Add(const ClientConnection& connection, const CameraRecord& camera)
{
    if (Status writable = RequireWritable(connection); writable.failed())
        return writable;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(db, [&] {
        if (Status absent = RequireCamera(db, camera.Id, false); absent.failed())
            return absent;
        return InsertCamera(db, camera);
    });
}

Status CameraTable::Update(const ClientConnection& connection, const CameraRecord& camera)
{
    if (Status writable = RequireWritable(connection); writable.failed())
        return writable;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(db, [&] {
        if (Status present = RequireCamera(db, camera.Id, true); present.failed())
            return present;
        if (Status removed = DeleteCamera(db, camera.Id); removed.failed())
            return removed;
        return InsertCamera(db, camera);
    });
}

Status CameraTable::Remove(const ClientConnection& connection, std::int16_t id)
{
    if (Status writable = RequireWritable(connection); writable.failed())
        return writable;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(db, [&] {
        if (Status present = RequireCamera(db, id, true); present.failed())
            return present;
        return DeleteCamera(db, id);
    });
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
