#pragma once

#include "DeviceSimProcess.h"

#include "app/AppSession.h"
#include "app/ScriptedDialogs.h"
#include "app/ui/ScreenRegistry.h"
#include "device/Clock.h"
#include "outside/transport/CurlHttpClient.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    void SleepMs(int milliseconds) override { Slept += milliseconds; }
    int Slept = 0;
};

// A session with scripted dialogs, the real HTTP transport, the companion database in a fresh
// folder and the window with every screen of the build.
class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString DatabasePath() const;
    // Opens the companion database (created with the demo camera) and loads English.
    void OpenDatabase();
    // Points camera 0 at an address and port, with credentials.
    void PointCamera(const std::string& address, int port, const std::string& user = "root",
                     const std::string& password = "pass");
    // Starts the simulated camera (root / pass) and points camera 0 at it; the device folder gets
    // the configuration and general settings when they are given.
    void StartCamera(std::vector<std::string> args = {}, const std::string& alarmApp = std::string(),
                     const std::string& bufferConf = std::string());
    // Loads the camera of the database into the session, as the start-up does.
    void LoadCamera(std::int32_t id = 0);
    // Builds the main window and its commands.
    void MakeWindow();

    // A bufferd.conf whose general settings read FS 2, FTM 3, FSB 1, FTMB 4, mail host mail.test.
    static std::string BufferConf();
    static std::string SampleProject();

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
    CurlHttpClient m_http;
    InstantClock m_clock;
    ScreenRegistry m_screens;
    std::unique_ptr<DeviceSimProcess> m_sim;
    std::unique_ptr<frmmain> m_window;
    MainCommands* m_commands = nullptr;
};

} // namespace test
} // namespace kor
