#pragma once

#include "SimOptions.h"

#include <vector>

namespace kor::devicesim {

// The simulated cameras of one process: each with its own address, folder, request log and FTP
// side. Restarts and SIGTERM/SIGINT are handled on the calling (main) thread.
class DeviceSim
{
public:
    explicit DeviceSim(std::vector<SimOptions> cameras);

    // Runs until SIGTERM or SIGINT. Returns the exit status: 0, 1 failure, 3 address in use.
    int Run();

private:
    std::vector<SimOptions> m_cameras;
};

} // namespace kor::devicesim
