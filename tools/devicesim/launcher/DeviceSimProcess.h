#pragma once

#include "config/Result.h"
#include "devicesim/ChildProcess.h"
#include "devicesim/RequestLog.h"

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace kor::devicesim {

// Starts kor-devicesim (the simulated camera) for the end-to-end tests and the screenshot tour.
//
// Start picks a loopback address 127.0.0.2, .3, ... on which nobody listens and that no other
// DeviceSimProcess on the machine holds (it stays reserved until destruction, also while the
// simulator restarts or is stopped), gives the simulator a fresh device folder (unless
// Options::folder names one) and waits for its ready line. As root it takes the camera's ports 80
// and 21; otherwise any free ports. The destructor stops the simulator by its process id and
// removes the temporary folders. The simulator's messages go to our standard error. It also ends
// when the thread that started it ends: start it from a thread that outlives its use.
class DeviceSimProcess
{
public:
    struct Options
    {
        // Further kor-devicesim options, e.g. {"--user", "admin", "--password", "p:w@d", "--installed"}.
        // --root, --address, --http-port, --ftp-port and --request-log are set by this class.
        std::vector<std::string> args;
        bool ftp = true;           // false: --no-ftp (starts faster when no FTP is needed)
        bool standardPorts = true; // ports 80 and 21 when running as root
        std::string folder;        // device folder to use (kept); empty: a fresh temporary one
        // More than 1: one process serves this many cameras on consecutive addresses 127.0.X.2, .3, …
        // (X chosen free), camera n's files under the folder's n/ and its request log apart.
        int cameras = 1;
        std::string program; // the kor-devicesim executable
    };
    using Request = LoggedRequest;

    explicit DeviceSimProcess(Options options) : m_options(std::move(options)) {}
    ~DeviceSimProcess();
    DeviceSimProcess(const DeviceSimProcess&) = delete;
    DeviceSimProcess& operator=(const DeviceSimProcess&) = delete;

    // Starts the simulator; the reason when it does not come up.
    Status Start();
    // Stops it (also done by the destructor); the device folder stays until destruction.
    void Stop() { m_child.Stop(); }

    pid_t Pid() const { return m_child.Pid(); }
    const std::string& Address() const { return m_address; } // "127.0.0.N"
    int HttpPort() const { return m_httpPort; }
    int FtpPort() const { return m_ftpPort; } // 0 without FTP
    const std::string& Folder() const { return m_folder; }

    // The request log so far (of camera n when the process serves several).
    std::vector<Request> Requests(int camera = 0) const;
    // Camera n (1..cameras) of a process that serves several.
    const std::string& CameraAddress(int n) const
    {
        return m_cameras.at(static_cast<std::size_t>(n - 1)).first;
    }
    int CameraHttpPort(int n) const { return m_cameras.at(static_cast<std::size_t>(n - 1)).second; }

private:
    Status StartOn(const std::string& address, bool& addressInUse);

    Options m_options;
    ChildProcess m_child{std::chrono::seconds(15)};
    std::string m_tempDir; // holds the request log, and the device folder unless one was given
    std::string m_folder;
    std::string m_logPath;
    std::string m_address;
    int m_httpPort = 0;
    int m_ftpPort = 0;
    std::vector<std::pair<std::string, int>> m_cameras; // address and HTTP port of each camera
    int m_reservation = -1; // keeps other DeviceSimProcess instances off m_address
};

// True when a listener could bind the address and port now.
bool PortFree(const std::string& address, int port);

} // namespace kor::devicesim
