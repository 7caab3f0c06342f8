#include "app/AppSession.h"

#include "config/Cp1252.h"

namespace kor {

AppSession::AppSession(UserDialogs& dialogs) : m_dialogs(&dialogs) {}

AppSession::~AppSession() = default;

RelaySettings AppSession::Relay() const
{
    RelaySettings relay;
    relay.Enabled = m_start.RelayEnabled;
    relay.Host = m_start.RelayHost;
    relay.Port = m_start.RelayPort;
    relay.Pwd = m_start.RelayPwd;
    return relay;
}

AxisDevice& AppSession::CreateDevice()
{
    m_device.emplace("AXIS");
    m_device->SetRemote(m_start.RemoteMode, m_start.RelayHost, m_start.RelayDataPort, m_start.RelayPwd,
                        m_start.RelayEnabled, m_start.RelayPort);
    m_device->SetCamera(m_camera.IpAddress(), m_camera.Port(), m_camera.UserName(), m_camera.Password(),
                        m_camera.Channel(), m_camera.Brand(), m_camera.ModelName());
    m_device->SetChannelCount(m_model.ChannelCount());
    return *m_device;
}

DeviceTarget AppSession::CameraTarget() const
{
    DeviceTarget target;
    target.Address = m_camera.IpAddress();
    target.PortText = std::to_string(m_camera.Port());
    target.User = m_camera.UserName();
    target.Password = m_camera.Password();
    target.Relay = Relay();
    return target;
}

QString AppSession::CameraDisplayName() const
{
    return FromCp1252(m_camera.DisplayName());
}

void AppSession::SetDeviceBusy(bool busy)
{
    if (m_deviceBusy == busy)
        return;
    m_deviceBusy = busy;
    // A copy: an observer may remove itself or add another.
    const auto observers = m_busyObservers;
    for (const auto& entry : observers)
        entry.second(busy);
}

int AppSession::OnDeviceBusyChanged(std::function<void(bool)> observer)
{
    const int id = m_nextObserver++;
    m_busyObservers.emplace_back(id, std::move(observer));
    return id;
}

void AppSession::RemoveDeviceBusyObserver(int id)
{
    std::erase_if(m_busyObservers, [id](const auto& entry) { return entry.first == id; });
}

} // namespace kor
