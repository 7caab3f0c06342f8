#include "CameraFixture.h"

#include "TestSupport.h"

#include "config/TextNumber.h"

#include <QDir>
#include <QFileInfo>
#include <QTcpSocket>

#include <memory>

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

CameraFixture::CameraFixture()
{
    CameraRecord& c = Subject.Camera;
    c.DisplayName = "Gate";
    c.IpAddress = "10.0.0.5";
    c.Port = 8080;
    c.UserName = "root";
    c.Password = "pass";
    c.Brand = "AXIS";
    c.ModelName = "DEMO 1";
    c.Mac = {0x00, 0x40, 0x8C, 0x12, 0x34, 0x56, 0, 0};
    Subject.Model.ModelName = "DEMO 1";
    Subject.Model.ModelFolderName = "DEMO";
    Subject.Model.InputOutput = true;
    Subject.Model.ProgramList = "alarmd#movetohomed";
    Subject.Device.SetCamera("10.0.0.5", 8080, "root", "pass", 1, "AXIS", "DEMO 1");
    QDir(Data.path()).mkpath(QStringLiteral("DEMO"));
    Ftp.Files["/etc/inittab"] = "::sysinit:/etc/init.d/rcS\n";
    Ftp.Files["/etc/httpd/conf/boa.conf"] = "Port 80\nAuthPath /axis-cgi/ axadmin\n";
    KeepsUploads();
}

void CameraFixture::KeepsUploads()
{
    // The camera keeps the configuration it is sent (without the zero byte) and gives it back.
    auto stored = std::make_shared<std::string>();
    Http.On("aapp.cgi", [stored](const SentRequest& r) {
        if (r.Method == "GET")
            return Ok(*stored);
        if (r.Url.find("/setaapp.cgi") != std::string::npos)
            stored->clear();
        stored->append(r.Body, 0, r.Body.empty() ? 0 : r.Body.size() - 1);
        return Ok();
    });
}

DeviceServices CameraFixture::Services()
{
    DeviceServices s;
    s.Text = Texts;
    s.WorkFolder = Work.path();
    if (!RealTransports) {
        s.Http = &Http;
        s.Ftp = &Ftp;
        s.Ping = &Ping;
        s.Wait = &Clock;
        s.DataFolder = Data.path();
        return s;
    }
    s.Http = &SimHttp;
    s.Ftp = &SimFtp;
    s.Ping = &SimPing;
    s.Wait = &SimClock;
    s.DataFolder = SourceDir() + QStringLiteral("/resources/Data");
    s.FtpPort = Sim ? Sim->FtpPort() : 21;
    return s;
}

RunOutcome CameraFixture::Run(const LinkOptions& options)
{
    RunSequence run(Services(), Host, Subject);
    const RunOutcome outcome = run.ConnectAndApply(Doc, Fields, options, TaskListDirty);
    TaskListDirty = run.TaskListDirty();
    ModelFolder = run.ModelFolder();
    return outcome;
}

LinkOptions CameraFixture::Ticked(std::initializer_list<bool LinkOptions::*> boxes)
{
    LinkOptions options;
    for (bool LinkOptions::*box : boxes)
        options.*box = true;
    return options;
}

bool CameraFixture::StartSim(std::vector<std::string> args, bool ftp)
{
    RealTransports = true;
    if (!StartFixtureSim(Sim, std::move(args), ftp))
        return false;
    Fields = {Sim->Address(), DecimalText(Sim->HttpPort()), "root", "pass"};
    SimPing.HttpPort = Sim->HttpPort();
    SimPing.FtpPort = Sim->FtpPort();
    Subject.Camera.IpAddress = Sim->Address();
    Subject.Camera.Port = Sim->HttpPort();
    Subject.Device.SetCamera(Sim->Address(), Sim->HttpPort(), "root", "pass", Subject.Camera.Channel, "AXIS",
                             Subject.Camera.ModelName);
    return true;
}

void CameraFixture::UseModel(const std::string& model)
{
    CameraRecord& c = Subject.Camera;
    c.DisplayName = "Sim";
    c.ModelName = model;
    c.Mac = {0x02, 0, 0, 0, 0, 0x01, 0, 0};
    ModelRecord& m = Subject.Model;
    m.ModelName = model;
    m.ModelFolderName = model;
    const bool four = model == "DEMO-4";
    m.ChannelCount = four ? 4 : 1;
    m.PerFirmwareFolder = four;
    m.CapabilityFlags = four ? 503 : 511;
    m.CgiBinLayout = four;
    m.ProgramList = four ? "alarmappd#@chanrecd#chkiod" : "alarmappd#chkiod#movetohomed";
}

std::vector<DeviceSimProcess::Request> CameraFixture::SimRequests(const std::string& path) const
{
    std::vector<DeviceSimProcess::Request> found;
    for (const DeviceSimProcess::Request& r : Sim->Requests()) {
        if (r.path == path && r.authOk)
            found.push_back(r);
    }
    return found;
}

void CameraFixture::AddDataFile(const QString& relative, const std::string& bytes)
{
    const QString path = QDir(Data.path()).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    WriteBytes(path, bytes);
}

ActionRecord CameraFixture::Siren(const std::string& name)
{
    ActionRecord a;
    a.Type = ActOutput;
    a.Name = name;
    a.Params = std::string("DISP=1\0ON=2\0TM=10S\0", 19);
    return a;
}

} // namespace kor::test
