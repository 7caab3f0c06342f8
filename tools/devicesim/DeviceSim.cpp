#include "DeviceSim.h"

#include "SimCamera.h"
#include "SimReady.h"

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <thread>

namespace kor::devicesim {

namespace {

constexpr int kExitFailure = 1;

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

// Ends the process, FTP servers included, when the orderly shutdown has not finished in time.
class ShutdownWatchdog
{
public:
    ShutdownWatchdog(const std::vector<std::unique_ptr<SimCamera>>& cameras, int status)
        : m_thread([this, &cameras, status] {
              std::unique_lock lock(m_mutex);
              if (m_condition.wait_for(lock, kShutdownLimit, [this] { return m_done; })) {
                  return;
              }
              for (const auto& camera : cameras) {
                  camera->KillFtp();
              }
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

DeviceSim::DeviceSim(std::vector<SimOptions> cameras) : m_cameras(std::move(cameras)) {}

int DeviceSim::Run()
{
    // Every thread started from here on inherits the blocked set; the signals are taken here only.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    std::vector<std::unique_ptr<SimCamera>> cameras;
    bool inUse = false;
    for (const SimOptions& options : m_cameras) {
        cameras.push_back(std::make_unique<SimCamera>(options));
        if (const Status started = cameras.back()->Start(inUse); started.failed()) {
            std::fprintf(stderr, "kor-devicesim: %s\n", started.reason().c_str());
            return inUse ? kExitAddressInUse : kExitFailure;
        }
    }
    // Every camera listens before the first ready line.
    for (const auto& camera : cameras) {
        std::printf("%s\n", camera->ReadyLine().c_str());
    }
    std::fflush(stdout);

    int status = 0;
    while (status == 0 && !WaitForStopSignal(stopSignals, 100)) {
        for (const auto& camera : cameras) {
            if (const Status ticked = camera->Tick(inUse); ticked.failed()) {
                std::fprintf(stderr, "kor-devicesim: %s\n", ticked.reason().c_str());
                status = inUse ? kExitAddressInUse : kExitFailure;
                break;
            }
        }
    }
    // Whatever a fault still holds (a client that reads nothing, a request body that never ends),
    // the simulator is gone soon after the signal: the watchdog cuts the rest short.
    const ShutdownWatchdog watchdog(cameras, status);
    for (const auto& camera : cameras) {
        camera->Stop();
    }
    return status;
}

} // namespace kor::devicesim
