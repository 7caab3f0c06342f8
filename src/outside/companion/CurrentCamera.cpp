#include "outside/companion/CurrentCamera.h"

#include "outside/companion/CameraTable.h"
#include "outside/companion/ClientConnection.h"
#include "outside/companion/CompanionSql.h"

namespace kor {

Status CurrentCamera::Load(std::int16_t cameraId)
{
    m_loaded = false;
    m_record = CameraRecord();
    if (!m_connection)
        return Status::Fail("the camera record has no client connection");
    Result<std::optional<CameraRecord>> found = CameraTable::Find(*m_connection, cameraId);
    if (found.failed())
        return found.status();
    if (!found->has_value())
        return Status::Fail("the companion database has no camera " + std::to_string(cameraId));
    m_record = std::move(**found);
    m_loaded = true;
    return Status::Ok();
}

} // namespace kor
