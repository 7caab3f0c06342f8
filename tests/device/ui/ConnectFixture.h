#pragma once

#include "DeviceSimProcess.h"

#include "app/AppSession.h"
#include "app/ScriptedDialogs.h"
#include "outside/companion/CameraRecord.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kor::test {

// A session as the window has it: English texts, a fresh companion database (seeded, with the
// demo models), the real transports with waits fifty times shorter, work files in a temporary
// folder, and the device link's run options as at program start.
class ConnectFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A camera like the demo camera (model DEMO-1, positioning support), with these positions.
    static CameraRecord DemoCamera(std::int16_t id, std::vector<CameraPosition> positions = {});
    // Stores the camera and makes it the session's camera, as start-up does.
    void UseCamera(const CameraRecord& camera);
    // Starts kor-devicesim with these options (plus an installed application and instant
    // restarts), with its FTP server only when asked (a restart then takes longer); fails the test
    // when it does not come up.
    bool StartSim(std::vector<std::string> args = {}, bool ftp = false);
    // The demo camera pointed at the simulator.
    CameraRecord SimCamera(std::int16_t id, std::vector<CameraPosition> positions = {}) const;
    // Loads the sample project into the session's document as korctl apply --project does.
    void LoadSample();

    // korctl on the session's database with waits divided by waitDivisor; its standard output as
    // lines.
    QStringList Korctl(const QStringList& args, int waitDivisor, int* status = nullptr) const;

    template <typename T> static T* Find(QWidget& screen, const char* name)
    {
        T* control = screen.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QString DatabasePath() const;
    QString SamplePath() const;

    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
    QTemporaryDir m_folder;
    CurlHttpClient m_http;
    CurlFtpClient m_ftp;
    IcmpPinger m_ping;
    SystemClock m_clock{50};
    std::unique_ptr<DeviceSimProcess> m_sim;
};

// Calls act once, from the GUI thread's event loop, as soon as a visible top-level widget of that
// object name exists (a modal screen the run has opened). Stops looking when this object goes.
class WhenShown
{
public:
    WhenShown(const char* objectName, std::function<void(QWidget&)> act);
    ~WhenShown();
    bool Done() const { return m_done; }

private:
    std::unique_ptr<QObject> m_timer;
    bool m_done = false;
};

} // namespace kor::test
