#include "outside/companion/AxisDevice.h"

namespace kor {

void AxisDevice::SetRemote(bool remoteMode, const std::string& relayHost, std::int32_t relayDataPort,
                           const std::string& relayPwd, bool relayEnabled, std::int32_t relayPort)
{
    m_remoteMode = remoteMode;
    m_relayHost = relayHost;
    m_relayDataPort = relayDataPort;
    m_relayPwd = relayPwd;
    m_relayEnabled = relayEnabled;
    m_relayPort = relayPort;
}

void AxisDevice::SetCamera(const std::string& ipAddress, std::int32_t port, const std::string& userName,
                           const std::string& password, std::uint8_t channel, const std::string& brand,
                           const std::string& modelName)
{
    m_address = ipAddress;
    m_port = port;
    m_userName = userName;
    m_password = password;
    m_channel = channel;
    m_brand = brand;
    m_modelName = modelName;
}

std::string AxisDevice::OutputRequestAddress(int port) const
{
    return "/axis-cgi/io/output.cgi?action=" + std::to_string(port) + ":";
}

std::string AxisDevice::InputRequestAddress(int port) const
{
    return "/axis-cgi/io/input.cgi?check=" + std::to_string(port);
}

std::string AxisDevice::PresetListAddress() const
{
    std::string address = "/axis-cgi/com/ptz.cgi?query=presetposall";
    if (m_channelCount >= 2)
        address += "&camera=" + std::to_string(unsigned(m_channel));
    return address;
}

} // namespace kor
