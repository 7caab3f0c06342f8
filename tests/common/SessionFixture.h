#pragma once

#include "DeviceSimProcess.h"

#include "app/AppSession.h"
#include "app/ScriptedDialogs.h"
#include "outside/companion/CameraRecord.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kor::test {

// The program-wide session of the widget tests: English texts, a fresh companion database (seeded
// with the demo camera and models) with the work files beside it in a temporary folder, a document
// as after start-up with input 1 as a sensor, an empty action clipboard and scripted dialogs.
// Camera 0 is the demo camera, or for the screens' tests (rule editing and action editors) a model
// with every capability, four camera events and one channel.
class SessionFixture : public ::testing::Test
{
protected:
    enum class Camera
    {
        EveryCapability,
        Demo
    };
    explicit SessionFixture(Camera camera = Camera::EveryCapability) : m_camera(camera) {}

    void SetUp() override;
    void TearDown() override;

    // Gives camera 0 a model profile of its own with these values and loads it again.
    void UseModel(std::uint32_t capabilityFlags, std::int16_t cameraEvents, std::int16_t channels = 1);
    // Changes a camera of the database (not the one the session has loaded).
    void ChangeCamera(const std::function<void(CameraRecord&)>& change, std::int16_t id = 0);
    // Points camera 0 at another address (the simulated camera); UseCamera loads it again.
    void PointCamera(const std::string& address, int port, const std::string& user = "root",
                     const std::string& password = "pass", std::uint8_t channel = 1);
    void UseCamera(const std::string& address, int port, const std::string& user, const std::string& password,
                   std::uint8_t channel = 1);
    // Starts the simulated camera (root / pass, instant restarts) with these options, its FTP
    // server only when asked; fails the test when it does not come up.
    bool StartSim(std::vector<std::string> args = {}, bool ftp = false)
    {
        return StartFixtureSim(m_sim, std::move(args), ftp);
    }

    ConfigDocument& Doc() { return m_session.Document(); }
    QString DatabasePath() const { return m_dir.filePath(QStringLiteral("orgend.ddd")); }
    static QString SamplePath();

    template <typename T> static T* Find(QWidget& screen, const char* name)
    {
        T* control = screen.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
    std::unique_ptr<DeviceSimProcess> m_sim;

private:
    void LoadCamera();
    Camera m_camera;
    int m_models = 0;
};

} // namespace kor::test
