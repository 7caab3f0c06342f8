#pragma once

#include <cstdint>
#include <string>

namespace kor {

// The device-access object created at start-up for brand "AXIS": it keeps the relay start values
// and the camera's address and credentials, and forms the camera firmware's request addresses as
// path and query (the caller puts the device address in front, see DeviceUrl). Texts are
// Windows-1252 bytes.
class AxisDevice
{
public:
    explicit AxisDevice(std::string brand = "AXIS") : m_deviceBrand(std::move(brand)) {}

    void SetRemote(bool remoteMode, const std::string& relayHost, std::int32_t relayDataPort,
                   const std::string& relayPwd, bool relayEnabled, std::int32_t relayPort);
    void SetCamera(const std::string& ipAddress, std::int32_t port, const std::string& userName,
                   const std::string& password, std::uint8_t channel, const std::string& brand,
                   const std::string& modelName);
    // The model's channel count decides whether the preset list names the channel.
    void SetChannelCount(std::int16_t channelCount) { m_channelCount = channelCount; }

    const std::string& DeviceBrand() const { return m_deviceBrand; }
    bool RemoteMode() const { return m_remoteMode; }
    const std::string& RelayHost() const { return m_relayHost; }
    std::int32_t RelayDataPort() const { return m_relayDataPort; }
    const std::string& RelayPwd() const { return m_relayPwd; }
    bool RelayEnabled() const { return m_relayEnabled; }
    std::int32_t RelayPort() const { return m_relayPort; }

    const std::string& UserName() const { return m_userName; }
    const std::string& Password() const { return m_password; }
    const std::string& Address() const { return m_address; }
    std::int32_t Port() const { return m_port; }
    std::uint8_t Channel() const { return m_channel; }
    const std::string& Brand() const { return m_brand; }
    const std::string& ModelName() const { return m_modelName; }
    std::int16_t ChannelCount() const { return m_channelCount; }

    // "/axis-cgi/io/output.cgi?action=<port>:"; the caller appends the pulse pattern.
    std::string OutputRequestAddress(int port) const;
    // "/axis-cgi/io/input.cgi?check=<port>"; the reply holds "<port>=<value>".
    std::string InputRequestAddress(int port) const;
    // "/axis-cgi/com/ptz.cgi?query=presetposall", naming the channel as "&camera=<channel>" on a
    // model of two or more channels.
    std::string PresetListAddress() const;

private:
    std::string m_deviceBrand;
    bool m_remoteMode = false;
    std::string m_relayHost;
    std::int32_t m_relayDataPort = 900;
    std::string m_relayPwd;
    bool m_relayEnabled = false;
    std::int32_t m_relayPort = 901;
    std::string m_address;
    std::int32_t m_port = 80;
    std::string m_userName;
    std::string m_password;
    std::uint8_t m_channel = 1;
    std::string m_brand;
    std::string m_modelName;
    std::int16_t m_channelCount = 1;
};

} // namespace kor
