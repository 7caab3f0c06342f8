#include "app/AppSession.h"

#include "config/Cp1252.h"

namespace kor {

RelaySettings RelayOf(const StartValues& start)
{
    RelaySettings relay;
    relay.Enabled = start.RelayEnabled;
    relay.Host = start.RelayHost;
    relay.Port = start.RelayPort;
    relay.Pwd = start.RelayPwd;
    return relay;
}

void PointDevice(AxisDevice& device, const StartValues& start, const CurrentCamera& camera,
                 const ModelProfile& model)
{
    device.SetRemote(start.RemoteMode, start.RelayHost, start.RelayDataPort, start.RelayPwd,
                     start.RelayEnabled, start.RelayPort);
    device.SetCamera(camera.IpAddress(), camera.Port(), camera.UserName(), camera.Password(),
                     camera.Channel(), camera.Brand(), camera.ModelName());
    device.SetChannelCount(model.ChannelCount());
}

AppSession::AppSession(UserDialogs& dialogs) : m_dialogs(&dialogs) {}

AppSession::~AppSession() = default;

RelaySettings AppSession::Relay() const
{
    return RelayOf(m_start);
}

AxisDevice& AppSession::CreateDevice()
{
    m_device.emplace("AXIS");
    PointDevice(*m_device, m_start, m_camera, m_model);
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
