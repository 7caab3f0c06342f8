#include "ShellFixture.h"

#include "TestSupport.h"

#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "app/StartCamera.h"
#include "app/shell/AllScreens.h"
#include "app/ui/MainCommands.h"
#include "app/ui/frmmain.h"
#include "outside/companion/CameraTable.h"

#include <QDir>

namespace kor::test {

void ShellTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
        qputenv("KOR_RESOURCES", (BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
    DeviceServices& services = m_session.Services();
    services.Http = &m_http;
    services.Wait = &m_clock;
    services.WorkFolder = m_dir.filePath(QStringLiteral("work"));
    QDir().mkpath(services.WorkFolder);
    RegisterAllScreens(m_screens);
}

void ShellTest::TearDown()
{
    m_window.reset();
    if (m_sim)
        m_sim->Stop();
    FreeLanguage();
    m_session.Connection().Close();
}

QString ShellTest::DatabasePath() const
{
    return m_dir.filePath(QStringLiteral("orgend.ddd"));
}

void ShellTest::OpenDatabase()
{
    ASSERT_TRUE(IsOk(OpenClientDatabase(m_session.Connection(), DatabasePath())));
    ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
}

void ShellTest::PointCamera(const std::string& address, int port, const std::string& user,
                            const std::string& password)
{
    const std::optional<CameraRecord> found = ValueOf(CameraTable::Find(m_session.Connection(), 0));
    ASSERT_TRUE(found.has_value());
    CameraRecord camera = *found;
    camera.IpAddress = address;
    camera.Port = port;
    camera.UserName = user;
    camera.Password = password;
    ASSERT_TRUE(IsOk(CameraTable::Update(m_session.Connection(), camera)));
}

void ShellTest::StartCamera(std::vector<std::string> args, const std::string& alarmApp,
                            const std::string& bufferConf)
{
    DeviceSimProcess::Options options;
    options.args = std::move(args);
    options.ftp = false;
    m_sim = std::make_unique<DeviceSimProcess>(options);
    ASSERT_TRUE(IsOk(m_sim->Start()));
    if (!alarmApp.empty())
        m_sim->WriteDeviceFile("etc/alarm_app", alarmApp);
    if (!bufferConf.empty())
        m_sim->WriteDeviceFile("etc/bufferd.conf", bufferConf);
    PointCamera(m_sim->Address(), m_sim->HttpPort());
}

void ShellTest::LoadCamera(std::int32_t id)
{
    std::string detail;
    ASSERT_EQ(LoadStartCamera(m_session, id, &detail), CameraProblem::None) << detail;
}

void ShellTest::MakeWindow()
{
    m_window = std::make_unique<frmmain>(m_session, m_screens);
    m_commands = new MainCommands(*m_window, m_session);
    m_window->AddToolListEntries();
}

std::string ShellTest::BufferConf()
{
    return "127.0.0.1\n80\nroot\npass\n3\n2\n4\n1\nDEMO-1\nmail.test\n25\ncam@test\n\n5000\n1234\n127.0.0."
           "9\n9999\n";
}

std::string ShellTest::SampleProject()
{
    return ReadBytes(SourceDir() + QStringLiteral("/resources/samples/demo.kma"));
}

} // namespace kor::test
