#include "SimFixture.h"

#include "TestSupport.h"

#include "config/TextNumber.h"

#include <QTcpSocket>

namespace kor::test {

namespace {

bool Accepts(const std::string& address, int port)
{
    QTcpSocket socket;
    socket.connectToHost(QString::fromStdString(address), static_cast<quint16>(port));
    return socket.waitForConnected(1000);
}

} // namespace

std::int32_t LoopbackCameraPinger::PingDevice(const std::string& address)
{
    const std::int32_t status = m_icmp.PingDevice(address);
    if (status != 0)
        return status;
    if ((HttpPort > 0 && !Accepts(address, HttpPort)) || (FtpPort > 0 && !Accepts(address, FtpPort)))
        return IcmpPinger::kTimedOut;
    return 0;
}

bool SimFixture::StartSim(std::vector<std::string> args, bool ftp)
{
    args.push_back("--restart-seconds");
    args.push_back("0");
    DeviceSimProcess::Options options;
    options.args = std::move(args);
    options.ftp = ftp;
    Sim = std::make_unique<DeviceSimProcess>(options);
    if (!Sim->Start()) {
        ADD_FAILURE() << "kor-devicesim did not start: " << Sim->Error();
        return false;
    }
    Fields = {Sim->Address(), DecimalText(Sim->HttpPort()), "root", "pass"};
    Ping.HttpPort = Sim->HttpPort();
    Ping.FtpPort = Sim->FtpPort();
    Subject.Camera.IpAddress = Sim->Address();
    Subject.Camera.Port = Sim->HttpPort();
    Subject.Device.SetCamera(Sim->Address(), Sim->HttpPort(), "root", "pass", Subject.Camera.Channel, "AXIS",
                             Subject.Camera.ModelName);
    return true;
}

void SimFixture::UseModel(const std::string& model)
{
    CameraRecord& c = Subject.Camera;
    c.DisplayName = "Sim";
    c.UserName = "root";
    c.Password = "pass";
    c.Brand = "AXIS";
    c.ModelName = model;
    c.Mac = {0x02, 0, 0, 0, 0, 0x01, 0, 0};
    ModelRecord& m = Subject.Model;
    m.ModelName = model;
    m.ModelFolderName = model;
    m.InputOutput = true;
    m.PulseTime = 30;
    if (model == "DEMO-4") {
        m.ChannelCount = 4;
        m.PerFirmwareFolder = true;
        m.CapabilityFlags = 503;
        m.CgiBinLayout = true;
        m.ProgramList = "alarmappd#@chanrecd#chkiod";
    } else {
        m.ChannelCount = 1;
        m.CapabilityFlags = 511;
        m.ProgramList = "alarmappd#chkiod#movetohomed";
    }
}

DeviceLink& SimFixture::Link()
{
    if (!m_link) {
        LinkServices s;
        s.Http = &Http;
        s.Ftp = &Ftp;
        s.Ping = &Ping;
        s.Wait = &Clock;
        s.Host = &Host;
        s.WorkFolder = Work.path();
        s.DataFolder = SourceDir() + QStringLiteral("/resources/Data");
        s.FtpPort = Sim ? Sim->FtpPort() : 21;
        m_link = std::make_unique<DeviceLink>(s, Subject);
    }
    return *m_link;
}

DeviceLink::RunResult SimFixture::Run(const LinkOptions& options)
{
    return Link().ConnectAndApply(Doc, Fields, options, TaskListDirty);
}

std::vector<DeviceSimProcess::Request> SimFixture::Requests(const std::string& path) const
{
    std::vector<DeviceSimProcess::Request> found;
    for (const DeviceSimProcess::Request& r : Sim->Requests()) {
        if (r.path == path && r.authOk)
            found.push_back(r);
    }
    return found;
}

ActionRecord SimFixture::Action(const std::string& name) const
{
    ActionRecord a;
    a.Type = ActOutput;
    a.Name = name;
    a.Params = std::string("DISP=1\0ON=2\0TM=10S\0", 19);
    return a;
}

} // namespace kor::test
