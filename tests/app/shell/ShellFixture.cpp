#include "ShellFixture.h"

#include "TestSupport.h"

#include "app/StartCamera.h"
#include "app/shell/AllScreens.h"
#include "app/ui/MainCommands.h"
#include "app/ui/frmmain.h"

namespace kor::test {

void ShellTest::SetUp()
{
    SessionFixture::SetUp();
    if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
        qputenv("KOR_RESOURCES", (BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
    m_session.Services().Http = &m_http;
    m_session.Services().Wait = &m_clock;
    RegisterAllScreens(m_screens);
}

void ShellTest::TearDown()
{
    m_window.reset();
    SessionFixture::TearDown();
}

void ShellTest::StartCamera(std::vector<std::string> args, const std::string& alarmApp,
                            const std::string& bufferConf)
{
    ASSERT_TRUE(StartSim(std::move(args)));
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

} // namespace kor::test
