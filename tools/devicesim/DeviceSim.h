#pragma once

#include "SimOptions.h"

#include <atomic>

namespace kor::devicesim {

// One simulated camera: seeds its folder, runs its FTP and HTTP servers and handles restarts and
// SIGTERM/SIGINT on the calling (main) thread.
class DeviceSim
{
public:
    explicit DeviceSim(SimOptions options);

    // Runs until SIGTERM or SIGINT. Returns the exit status: 0, 1 failure, 3 address in use.
    int Run();

private:
    SimOptions m_options;
    std::atomic<bool> m_restartRequested{false};
};

} // namespace kor::devicesim
