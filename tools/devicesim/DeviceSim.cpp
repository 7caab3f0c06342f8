#include "DeviceSim.h"

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

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <thread>

namespace kor::devicesim {

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitAddressInUse = 3;

// Waits up to the given time for SIGTERM or SIGINT. True when one came.
bool WaitForStopSignal(const sigset_t& signals, long milliseconds)
{
    timespec timeout{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    for (;;) {
        const int signal = sigtimedwait(&signals, nullptr, &timeout);
        if (signal == SIGTERM || signal == SIGINT) {
            return true;
        }
        if (signal < 0 && errno == EINTR) {
            continue;
        }
        return false;
    }
}

bool SleepUnlessStopped(const sigset_t& signals, long milliseconds)
{
    while (milliseconds > 0) {
        const long step = milliseconds < 200 ? milliseconds : 200;
        if (WaitForStopSignal(signals, step)) {
            return false;
        }
        milliseconds -= step;
    }
    return true;
}

// Ends the process, FTP server included, when the orderly shutdown has not finished in time.
class ShutdownWatchdog
{
public:
    ShutdownWatchdog(FtpChild& ftp, int status)
        : m_thread([this, &ftp, status] {
              std::unique_lock lock(m_mutex);
              if (m_condition.wait_for(lock, kShutdownLimit, [this] { return m_done; })) {
                  return;
              }
              ftp.Kill();
              std::fprintf(stderr, "kor-devicesim: stopped without waiting for the connections still open\n");
              std::_Exit(status);
          })
    {}
    ~ShutdownWatchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_condition.notify_all();
        m_thread.join();
    }
    ShutdownWatchdog(const ShutdownWatchdog&) = delete;
    ShutdownWatchdog& operator=(const ShutdownWatchdog&) = delete;

private:
    // Well within the two seconds a test or a service manager waits.
    static constexpr std::chrono::milliseconds kShutdownLimit{1500};
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_done = false;
    std::thread m_thread;
};

} // namespace

DeviceSim::DeviceSim(SimOptions options) : m_options(std::move(options)) {}

int DeviceSim::Run()
{
    // Every thread started from here on inherits the blocked set; the signals are taken here only.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    DeviceFolder folder(m_options.root);
    if (const Status seeded = folder.SeedIfEmpty(m_options); seeded.failed()) {
        std::fprintf(stderr, "kor-devicesim: %s\n", seeded.reason().c_str());
        return kExitFailure;
    }
    RequestLog log(m_options.requestLog);
    if (!log.IsOpen()) {
        std::fprintf(stderr, "kor-devicesim: cannot open the request log %s\n", m_options.requestLog.c_str());
        return kExitFailure;
    }
    Detector detector(folder.Path("var/detector.json"), m_options.wiring, m_options.invertedOutput,
                      m_options.pulseTime);
    detector.Load();
    HttpAuth auth(m_options.user, m_options.password, m_options.auth, "AXIS_" + SerialNumber(m_options));
    CameraFirmware firmware(m_options, detector);
    AlarmApplication application(m_options, folder, detector);
    DeviceHttp http(m_options, firmware, application, auth, log);
    firmware.SetRestartHandler([this] { m_restartRequested = true; });

    const auto installed = [&] { return m_options.installed || folder.ApplicationInstalled(); };
    http.SetInstalled(installed());

    FtpChild ftp;
    HttpListener listener(http);
    bool inUse = false;
    Status started = m_options.ftp ? ftp.Start(m_options, m_options.ftpPort, inUse) : Status::Ok();
    if (started.ok()) {
        started = listener.Start(m_options.address, m_options.httpPort, inUse);
    }
    if (started.failed()) {
        std::fprintf(stderr, "kor-devicesim: %s\n", started.reason().c_str());
        return inUse ? kExitAddressInUse : kExitFailure;
    }
    // Ports chosen now are kept across restarts.
    const int httpPort = listener.Port();
    const int ftpPort = m_options.ftp ? ftp.Port() : 0;
    std::printf("kor-devicesim ready on http://%s:%d ftp %s\n", m_options.address.c_str(), httpPort,
                m_options.ftp ? std::to_string(ftpPort).c_str() : "off");
    std::fflush(stdout);

    int status = 0;
    for (;;) {
        if (WaitForStopSignal(stopSignals, 100)) {
            break;
        }
        if (m_options.ftp && !ftp.Running()) {
            std::fprintf(stderr, "kor-devicesim: the FTP server ended unexpectedly\n");
            status = kExitFailure;
            break;
        }
        if (!m_restartRequested.exchange(false)) {
            continue;
        }
        // The camera goes away: no HTTP (connections refused), no FTP.
        std::fprintf(stderr, "kor-devicesim: restarting for %d s\n", m_options.restartSeconds);
        http.ReleaseWaiting();
        listener.Stop();
        ftp.Stop();
        if (!SleepUnlessStopped(stopSignals, m_options.restartSeconds * 1000L)) {
            break;
        }
        // Back up, having read its start-up table again.
        http.Resume();
        detector.SetCheckProgramStopped(false);
        http.SetInstalled(installed());
        started = m_options.ftp ? ftp.Start(m_options, ftpPort, inUse) : Status::Ok();
        if (started.ok()) {
            started = listener.Start(m_options.address, httpPort, inUse);
        }
        if (started.failed()) {
            std::fprintf(stderr, "kor-devicesim: after the restart: %s\n", started.reason().c_str());
            status = inUse ? kExitAddressInUse : kExitFailure;
            break;
        }
        std::fprintf(stderr, "kor-devicesim: back up, application %s\n",
                     http.Installed() ? "installed" : "not installed");
    }
    // Whatever a fault still holds (a client that reads nothing, a request body that never ends),
    // the simulator is gone soon after the signal: the watchdog cuts the rest short.
    const ShutdownWatchdog watchdog(ftp, status);
    http.ReleaseWaiting();
    listener.Stop();
    ftp.Stop();
    return status;
}

} // namespace kor::devicesim
