#include "outside/companion/ModelTable.h"

#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionSql.h"

#include "config/Cp1252.h"

#include <QSqlQuery>

#include <limits>

namespace kor {

namespace {

const QString kModelColumns = QStringLiteral(
    "BRAND, NAME, CHANNELS, FOLDER, PERFIRMWARE, IO, CAPS, CAMEVENTS, INVERTED, PULSETIME, CGIBIN, PROGRAMS");

bool ReadModel(const QSqlQuery& query, ModelRecord& model, std::string* error)
{
    model = ModelRecord();
    model.Brand = ToCp1252(query.value(0).toString());
    model.ModelName = ToCp1252(query.value(1).toString());
    const std::string which = "model " + MessageText(model.ModelName) + ": ";
    std::int64_t channels = 0;
    std::int64_t caps = 0;
    std::int64_t events = 0;
    std::int64_t pulse = 0;
    std::string why;
    constexpr auto i16 = std::numeric_limits<std::int16_t>::max();
    if (!ReadSqlInteger(query, 2, 0, i16, channels, "the channel count", &why) ||
        !ReadSqlInteger(query, 6, 0, std::numeric_limits<std::uint32_t>::max(), caps, "the capability flags",
                        &why) ||
        !ReadSqlInteger(query, 7, 0, i16, events, "the camera event count", &why) ||
        !ReadSqlInteger(query, 9, 0, std::numeric_limits<std::int32_t>::max(), pulse, "the pulse time", &why))
        return SetError(error, which + why);
    model.ChannelCount = static_cast<std::int16_t>(channels);
    model.ModelFolderName = ToCp1252(query.value(3).toString());
    model.PerFirmwareFolder = query.value(4).toLongLong() != 0;
    model.InputOutput = query.value(5).toLongLong() != 0;
    model.CapabilityFlags = static_cast<std::uint32_t>(caps);
    model.CameraEventCount = static_cast<std::int16_t>(events);
    model.InvertedOutput = query.value(8).toLongLong() != 0;
    model.PulseTime = static_cast<std::int32_t>(pulse);
    model.CgiBinLayout = query.value(10).toLongLong() != 0;
    model.ProgramList = ToCp1252(query.value(11).toString());
    return false;
}

bool NotOpen(const ClientConnection& connection, std::string* error)
{
    if (connection.IsOpen())
        return false;
    return SetError(error, "the companion database is not open");
}

} // namespace

bool ModelTable::List(const ClientConnection& connection, std::vector<ModelRecord>& models,
                      std::string* error)
{
    models.clear();
    if (NotOpen(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (ExecSql(query, QStringLiteral("SELECT %1 FROM MODELS ORDER BY BRAND, NAME").arg(kModelColumns), {},
                error))
        return true;
    while (query.next()) {
        ModelRecord model;
        if (ReadModel(query, model, error))
            return true;
        models.push_back(std::move(model));
    }
    return false;
}

bool ModelTable::Find(const ClientConnection& connection, const std::string& modelName,
                      const std::string& brand, ModelRecord& model, bool& found, std::string* error)
{
    found = false;
    if (NotOpen(connection, error))
        return true;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (ExecSql(query,
                QStringLiteral("SELECT %1 FROM MODELS WHERE BRAND = ? AND NAME = ?").arg(kModelColumns),
                {SqlText(brand), SqlText(modelName)}, error))
        return true;
    if (!query.next())
        return false;
    if (ReadModel(query, model, error))
        return true;
    found = true;
    return false;
}

bool ModelTable::Add(const ClientConnection& connection, const ModelRecord& model, std::string* error)
{
    if (NotOpen(connection, error))
        return true;
    if (connection.ReadOnly())
        return SetError(error,
                        connection.DatabasePath().toStdString() + ": is read-only, nothing was changed");
    QSqlDatabase db = connection.Database();
    return RunInTransaction(
        db,
        [&](std::string* failure) {
            QSqlQuery query(db);
            if (ExecSql(query, QStringLiteral("SELECT 1 FROM MODELS WHERE BRAND = ? AND NAME = ?"),
                        {SqlText(model.Brand), SqlText(model.ModelName)}, failure))
                return true;
            if (query.next())
                return SetError(failure, "the model " + MessageText(model.ModelName) + " of brand " +
                                             MessageText(model.Brand) + " already exists");
            return ExecSql(
                query,
                QStringLiteral("INSERT INTO MODELS (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(kModelColumns),
                {SqlText(model.Brand), SqlText(model.ModelName), int(model.ChannelCount),
                 SqlText(model.ModelFolderName), model.PerFirmwareFolder ? 1 : 0, model.InputOutput ? 1 : 0,
                 qlonglong(model.CapabilityFlags), int(model.CameraEventCount), model.InvertedOutput ? 1 : 0,
                 model.PulseTime, model.CgiBinLayout ? 1 : 0, SqlText(model.ProgramList)},
                failure);
        },
        error);
}

} // namespace kor
