#pragma once

#include "config/Result.h"

#include <cstdint>
#include <string>

namespace kor {

class ClientConnection;

// The profile of a detector of the maker's line, owned by the remote alarm editor: given brand and
// model name it loads itself and yields its device and port numbering.
class DetectorProfile
{
public:
    // Fails without a connection, for an unknown profile or numbers beyond 16 bits.
    Status Load(const ClientConnection& connection, const std::string& brand, const std::string& modelName);
    bool IsLoaded() const { return m_loaded; }

    std::int16_t DeviceCount() const { return m_deviceCount; }
    std::int16_t FirstDeviceNumber() const { return m_firstDevice; }
    std::int16_t PortCount() const { return m_portCount; }
    std::int16_t FirstPortNumber() const { return m_firstPort; }

private:
    std::int16_t m_deviceCount = 0;
    std::int16_t m_firstDevice = 0;
    std::int16_t m_portCount = 0;
    std::int16_t m_firstPort = 0;
    bool m_loaded = false;
};

} // namespace kor
