#include "LinkFixture.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>

namespace kor::test {

LinkFixture::LinkFixture()
{
    Subject.Camera.DisplayName = "Gate";
    Subject.Camera.IpAddress = "10.0.0.5";
    Subject.Camera.Port = 8080;
    Subject.Camera.UserName = "root";
    Subject.Camera.Password = "pass";
    Subject.Camera.Brand = "AXIS";
    Subject.Camera.ModelName = "DEMO 1";
    Subject.Camera.Mac = {0x00, 0x40, 0x8C, 0x12, 0x34, 0x56, 0, 0};
    Subject.Model.ModelName = "DEMO 1";
    Subject.Model.ModelFolderName = "DEMO";
    Subject.Model.InputOutput = true;
    Subject.Model.ProgramList = "alarmd#movetohomed";
    Subject.Device.SetCamera("10.0.0.5", 8080, "root", "pass", 1, "AXIS", "DEMO 1");
    QDir(Data.path()).mkpath(QStringLiteral("DEMO"));
    Ftp.Files["/etc/inittab"] = "::sysinit:/etc/init.d/rcS\n";
    Ftp.Files["/etc/httpd/conf/boa.conf"] = "Port 80\nAuthPath /axis-cgi/ axadmin\n";
}

DeviceLink& LinkFixture::Link()
{
    if (!m_link) {
        LinkServices s;
        s.Http = &Http;
        s.Ftp = &Ftp;
        s.Ping = &Ping;
        s.Wait = &Clock;
        s.Host = &Host;
        s.WorkFolder = Work.path();
        s.DataFolder = Data.path();
        m_link = std::make_unique<DeviceLink>(s, Subject);
    }
    return *m_link;
}

DeviceLink::RunResult LinkFixture::Run(const LinkOptions& options)
{
    return Link().ConnectAndApply(Doc, Fields, options, TaskListDirty);
}

void LinkFixture::AddDataFile(const QString& relative, const std::string& bytes)
{
    const QString path = QDir(Data.path()).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    WriteBytes(path, bytes);
}

ActionRecord LinkFixture::Action() const
{
    ActionRecord a;
    a.Type = ActOutput;
    a.Name = "Siren";
    a.Params = std::string("DISP=1\0ON=1\0", 12);
    return a;
}

} // namespace kor::test
