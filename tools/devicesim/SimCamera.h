#pragma once

#include "SimOptions.h"

#include "config/Result.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

namespace kor::devicesim {

class AlarmApplication;
class CameraFirmware;
class Detector;
class DeviceFolder;
class DeviceHttp;
class FtpChild;
class HttpAuth;
class HttpListener;
class RequestLog;

// One simulated camera: its folder, request log, HTTP and FTP sides, and its restarts. The owner
// calls Tick now and then on one thread; a restart takes the camera away for its restart time
// without holding up the caller.
class SimCamera
{
public:
    explicit SimCamera(SimOptions options);
    ~SimCamera();
    SimCamera(const SimCamera&) = delete;
    SimCamera& operator=(const SimCamera&) = delete;

    // Seeds the folder and starts listening; addressInUse tells whether another program holds the
    // address or a port.
    Status Start(bool& addressInUse);
    // Takes the camera down when a restart was asked for, and brings it back once its time is up.
    Status Tick(bool& addressInUse);
    void Stop();
    // Kills the FTP server at once; safe from another thread while Stop runs.
    void KillFtp() const;
    // "kor-devicesim ready on http://ADDRESS:PORT ftp PORT|off"
    std::string ReadyLine() const;

private:
    Status Listen(bool& addressInUse);

    SimOptions m_options;
    std::atomic<bool> m_restartRequested{false};
    bool m_down = false;
    std::chrono::steady_clock::time_point m_backAt;
    int m_httpPort = 0;
    int m_ftpPort = 0;

    std::unique_ptr<DeviceFolder> m_folder;
    std::unique_ptr<RequestLog> m_log;
    std::unique_ptr<Detector> m_detector;
    std::unique_ptr<HttpAuth> m_auth;
    std::unique_ptr<CameraFirmware> m_firmware;
    std::unique_ptr<AlarmApplication> m_application;
    std::unique_ptr<DeviceHttp> m_http;
    std::unique_ptr<FtpChild> m_ftp;
    std::unique_ptr<HttpListener> m_listener;
};

} // namespace kor::devicesim
