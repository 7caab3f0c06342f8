#include "outside/companion/DetectorProfile.h"

#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionSql.h"

#include <QSqlQuery>

#include <limits>

namespace kor {

Status DetectorProfile::Load(const ClientConnection& connection, const std::string& brand,
                             const std::string& modelName)
{
    m_loaded = false;
    m_deviceCount = m_firstDevice = m_portCount = m_firstPort = 0;
    if (Status open = RequireOpen(connection); open.failed())
        return open;
    QSqlDatabase db = connection.Database();
    QSqlQuery query(db);
    if (Status read = ExecSql(query,
                              QStringLiteral("SELECT DEVICES, FIRSTDEVICE, PORTS, FIRSTPORT FROM DETECTORS"
                                             " WHERE BRAND = ? AND MODEL = ?"),
                              {SqlText(brand), SqlText(modelName)});
        read.failed())
        return read;
    if (!query.next())
        return Status::Fail("the companion database has no detector profile of the model " +
                            MessageText(modelName) + " of brand " + MessageText(brand));
    std::int64_t values[4] = {};
    const char* const names[4] = {"the device count", "the first device number", "the port count",
                                  "the first port number"};
    for (int i = 0; i < 4; ++i) {
        const Result<std::int64_t> value = ReadSqlInteger(query, i, std::numeric_limits<std::int16_t>::min(),
                                                          std::numeric_limits<std::int16_t>::max(), names[i]);
        if (value.failed())
            return Status::Fail("detector " + MessageText(modelName) + ": " + value.reason());
        values[i] = *value;
    }
    m_deviceCount = static_cast<std::int16_t>(values[0]);
    m_firstDevice = static_cast<std::int16_t>(values[1]);
    m_portCount = static_cast<std::int16_t>(values[2]);
    m_firstPort = static_cast<std::int16_t>(values[3]);
    m_loaded = true;
    return Status::Ok();
}

} // namespace kor
