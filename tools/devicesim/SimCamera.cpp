#include "SimCamera.h"

#include "AlarmApplication.h"
#include "CameraFirmware.h"
#include "CameraTexts.h"
#include "Detector.h"
#include "DeviceFolder.h"
#include "DeviceHttp.h"
#include "FtpChild.h"
#include "HttpAuth.h"
#include "HttpListener.h"
#include "RequestLog.h"
#include "SimReady.h"

#include <cstdio>

namespace kor::devicesim {

SimCamera::SimCamera(SimOptions options) : m_options(std::move(options)) {}

SimCamera::~SimCamera()
{
    Stop();
}

Status SimCamera::Start(bool& addressInUse)
{
    addressInUse = false;
    m_folder = std::make_unique<DeviceFolder>(m_options.root);
    if (Status seeded = m_folder->SeedIfEmpty(m_options); seeded.failed())
        return seeded;
    m_log = std::make_unique<RequestLog>(m_options.requestLog);
    if (!m_log->IsOpen())
        return Status::Fail("cannot open the request log " + m_options.requestLog);
    m_detector = std::make_unique<Detector>(m_folder->Path("var/detector.json"), m_options.wiring,
                                            m_options.invertedOutput, m_options.pulseTime);
    m_detector->Load();
    m_auth = std::make_unique<HttpAuth>(m_options.user, m_options.password, m_options.auth,
                                        "AXIS_" + SerialNumber(m_options));
    m_firmware = std::make_unique<CameraFirmware>(m_options, *m_detector);
    m_application = std::make_unique<AlarmApplication>(m_options, *m_folder, *m_detector);
    m_http = std::make_unique<DeviceHttp>(m_options, *m_firmware, *m_application, *m_auth, *m_log);
    m_firmware->SetRestartHandler([this] { m_restartRequested = true; });
    m_http->SetInstalled(m_options.installed || m_folder->ApplicationInstalled());
    m_ftp = std::make_unique<FtpChild>();
    m_listener = std::make_unique<HttpListener>(*m_http);
    m_httpPort = m_options.httpPort;
    m_ftpPort = m_options.ftpPort;
    if (Status started = Listen(addressInUse); started.failed())
        return started;
    // Ports chosen now are kept across restarts.
    m_httpPort = m_listener->Port();
    m_ftpPort = m_options.ftp ? m_ftp->Port() : 0;
    return Status::Ok();
}

Status SimCamera::Listen(bool& addressInUse)
{
    Status started = m_options.ftp ? m_ftp->Start(m_options, m_ftpPort, addressInUse) : Status::Ok();
    if (started.ok())
        started = m_listener->Start(m_options.address, m_httpPort, addressInUse);
    return started;
}

Status SimCamera::Tick(bool& addressInUse)
{
    addressInUse = false;
    if (!m_down) {
        if (m_options.ftp && !m_ftp->Running())
            return Status::Fail("the FTP server of " + m_options.address + " ended unexpectedly");
        if (!m_restartRequested.exchange(false))
            return Status::Ok();
        // The camera goes away: no HTTP (connections refused), no FTP.
        std::fprintf(stderr, "kor-devicesim: %s restarting for %d s\n", m_options.address.c_str(),
                     m_options.restartSeconds);
        m_http->ReleaseWaiting();
        m_listener->Stop();
        m_ftp->Stop();
        m_down = true;
        m_backAt = std::chrono::steady_clock::now() + std::chrono::seconds(m_options.restartSeconds);
    }
    if (std::chrono::steady_clock::now() < m_backAt)
        return Status::Ok();
    // Back up, having read its start-up table again.
    m_down = false;
    m_http->Resume();
    m_detector->SetCheckProgramStopped(false);
    m_http->SetInstalled(m_options.installed || m_folder->ApplicationInstalled());
    if (Status started = Listen(addressInUse); started.failed())
        return Status::Fail("after the restart: " + started.reason());
    std::fprintf(stderr, "kor-devicesim: %s back up, application %s\n", m_options.address.c_str(),
                 m_http->Installed() ? "installed" : "not installed");
    return Status::Ok();
}

void SimCamera::Stop()
{
    if (m_http)
        m_http->ReleaseWaiting();
    if (m_listener)
        m_listener->Stop();
    if (m_ftp)
        m_ftp->Stop();
}

void SimCamera::KillFtp() const
{
    if (m_ftp)
        m_ftp->Kill();
}

std::string SimCamera::ReadyLine() const
{
    return std::string(kReadyLine) + m_options.address + ":" + std::to_string(m_httpPort) + " ftp " +
           (m_options.ftp ? std::to_string(m_ftpPort) : std::string("off"));
}

} // namespace kor::devicesim
