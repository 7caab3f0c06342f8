#include "outside/companion/CurrentCamera.h"

#include "outside/companion/CameraTable.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionSql.h"

namespace kor {

bool CurrentCamera::Load(std::int16_t cameraId, std::string* error)
{
    m_loaded = false;
    m_record = CameraRecord();
    if (!m_connection)
        return SetError(error, "the camera record has no client connection");
    CameraRecord record;
    bool found = false;
    if (CameraTable::Find(*m_connection, cameraId, record, found, error))
        return true;
    if (!found)
        return SetError(error, "the companion database has no camera " + std::to_string(cameraId));
    m_record = std::move(record);
    m_loaded = true;
    return false;
}

} // namespace kor
