#pragma once

#include "SessionFixture.h"

#include "app/ui/ScreenRegistry.h"
#include "device/Clock.h"
#include "outside/transport/CurlHttpClient.h"

#include <memory>
#include <string>
#include <vector>

namespace kor {

class MainCommands;
class frmmain;

namespace test {

// Waits of the device link that take no time: the simulated camera answers by state, not by time.
class InstantClock : public Clock
{
public:
    void SleepMs(int) override {}
};

// The session with the demo camera, the real HTTP transport and the window with every screen of
// the build.
class ShellTest : public SessionFixture
{
protected:
    ShellTest() : SessionFixture(Camera::Demo) {}
    void SetUp() override;
    void TearDown() override;

    // Starts the simulated camera and points camera 0 at it; the device folder gets the
    // configuration and general settings when they are given.
    void StartCamera(std::vector<std::string> args = {}, const std::string& alarmApp = std::string(),
                     const std::string& bufferConf = std::string());
    // Loads the camera of the database into the session, as the start-up does.
    void LoadCamera(std::int32_t id = 0);
    // Builds the main window and its commands.
    void MakeWindow();

    // A bufferd.conf whose general settings read FS 2, FTM 3, FSB 1, FTMB 4, mail host mail.test.
    static std::string BufferConf();

    CurlHttpClient m_http;
    InstantClock m_clock;
    ScreenRegistry m_screens;
    std::unique_ptr<frmmain> m_window;
    MainCommands* m_commands = nullptr;
};

} // namespace test
} // namespace kor
