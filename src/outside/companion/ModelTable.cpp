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

Result<ModelRecord> ReadModel(const QSqlQuery& query)
{
    ModelRecord model;
    model.Brand = ToCp1252(query.value(0).toString());
    model.ModelName = ToCp1252(query.value(1).toString());
    constexpr auto i16 = std::numeric_limits<std::int16_t>::max();
    const Result<std::int64_t> numbers[] = {
        ReadSqlInteger(query, 2, 0, i16, "the channel count"),
        ReadSqlInteger(query, 6, 0, std::numeric_limits<std::uint32_t>::max(), "the capability flags"),
        ReadSqlInteger(query, 7, 0, i16, "the camera event count"),
        ReadSqlInteger(query, 9, 0, std::numeric_limits<std::int32_t>::max(), "the pulse time")};
    for (const Result<std::int64_t>& number : numbers) {
        if (number.failed())
            return Status::Fail("model " + MessageText(model.ModelName) + ": " + number.reason());
    }
    model.ChannelCount = static_cast<std::int16_t>(*numbers[0]);
    model.ModelFolderName = ToCp1252(query.value(3).toString());
    model.PerFirmwareFolder = query.value(4).toLongLong() != 0;
    model.InputOutput = query.value(5).toLongLong() != 0;
    model.CapabilityFlags = static_cast<std::uint32_t>(*numbers[1]);
    model.CameraEventCount = static_cast<std::int16_t>(*numbers[2]);
    model.InvertedOutput = query.value(8).toLongLong() != 0;
    model.PulseTime = static_cast<std::int32_t>(*numbers[3]);
    model.CgiBinLayout = query.value(10).toLongLong() != 0;
    model.ProgramList = ToCp1252(query.value(11).toString());
    return model;
}

} // namespace

Result<std::vector<ModelRecord>> ModelTable::List(const ClientConnection& connection)
{
    if (Status open = RequireOpen(connection); open.failed())
        return open;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (Status read = ExecSql(
            query, QStringLiteral("SELECT %1 FROM MODELS ORDER BY BRAND, NAME").arg(kModelColumns), {});
        read.failed())
        return read;
    std::vector<ModelRecord> models;
    while (query.next()) {
        Result<ModelRecord> model = ReadModel(query);
        if (model.failed())
            return model.status();
        models.push_back(std::move(model).value());
    }
    return models;
}

Result<std::optional<ModelRecord>> ModelTable::Find(const ClientConnection& connection,
                                                    const std::string& modelName, const std::string& brand)
{
    if (Status open = RequireOpen(connection); open.failed())
        return open;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (Status read = ExecSql(
            query, QStringLiteral("SELECT %1 FROM MODELS WHERE BRAND = ? AND NAME = ?").arg(kModelColumns),
            {SqlText(brand), SqlText(modelName)});
        read.failed())
        return read;
    if (!query.next())
        return std::optional<ModelRecord>();
    Result<ModelRecord> model = ReadModel(query);
    if (model.failed())
        return model.status();
    return std::optional<ModelRecord>(std::move(model).value());
}

Status ModelTable::Add(const ClientConnection& connection, const ModelRecord& model)
{
    if (Status writable = RequireWritable(connection); writable.failed())
        return writable;
    QSqlDatabase db = connection.Database();
    return RunInTransaction(db, [&] {
        QSqlQuery query(db);
        if (Status read = ExecSql(query, QStringLiteral("SELECT 1 FROM MODELS WHERE BRAND = ? AND NAME = ?"),
                                  {SqlText(model.Brand), SqlText(model.ModelName)});
            read.failed())
            return read;
        if (query.next())
            return Status::Fail("the model " + MessageText(model.ModelName) + " of brand " +
                                MessageText(model.Brand) + " already exists");
        return ExecSql(query,
                       QStringLiteral("INSERT INTO MODELS (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                           .arg(kModelColumns),
                       {SqlText(model.Brand), SqlText(model.ModelName), int(model.ChannelCount),
                        SqlText(model.ModelFolderName), model.PerFirmwareFolder ? 1 : 0,
                        model.InputOutput ? 1 : 0, qlonglong(model.CapabilityFlags),
                        int(model.CameraEventCount), model.InvertedOutput ? 1 : 0, model.PulseTime,
                        model.CgiBinLayout ? 1 : 0, SqlText(model.ProgramList)});
    });
}

} // namespace kor
