#pragma once

#include "config/Result.h"

#include "outside/companion/CameraRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kor {

class ClientConnection;

// The selected camera's record (one per program): given the connection, it loads the record of a
// camera identifier and is read afterwards. Texts are Windows-1252 bytes.
class CurrentCamera
{
public:
    void SetConnection(const ClientConnection* connection) { m_connection = connection; }
    // Loads the record of cameraId. Fails without a connection, for an unknown camera or a damaged
    // record; the previous record is then gone.
    Status Load(std::int16_t cameraId);
    bool IsLoaded() const { return m_loaded; }

    std::int16_t Id() const { return m_record.Id; }
    const std::string& DisplayName() const { return m_record.DisplayName; }
    const std::string& IpAddress() const { return m_record.IpAddress; }
    std::int32_t Port() const { return m_record.Port; }
    const std::string& UserName() const { return m_record.UserName; }
    const std::string& Password() const { return m_record.Password; }
    std::uint8_t Channel() const { return m_record.Channel; }
    const std::string& Brand() const { return m_record.Brand; }
    const std::string& ModelName() const { return m_record.ModelName; }
    const std::array<std::uint8_t, 8>& MacAddress() const { return m_record.Mac; }
    // Positioning support; the camera move editor reads it as the preset flag.
    bool PositioningSupport() const { return m_record.PositioningSupport; }
    const std::vector<CameraPosition>& Positions() const { return m_record.Positions; }
    const CameraRecord& Record() const { return m_record; }

private:
    const ClientConnection* m_connection = nullptr;
    CameraRecord m_record;
    bool m_loaded = false;
};

} // namespace kor
