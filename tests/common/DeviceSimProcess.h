#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kor::test {

// Starting kor-devicesim (the simulated camera) for an end-to-end test.
//
//   kor::test::DeviceSimProcess sim({"--installed", "--wiring", "open"});
//   ASSERT_TRUE(sim.Start()) << sim.Error();
//   ... talk to sim.Address() (HTTP on sim.HttpPort(), FTP on sim.FtpPort()) ...
//   EXPECT_EQ(sim.ReadDeviceFile("etc/alarm_app"), expected);
//   EXPECT_EQ(sim.Requests().back().path, "/cgi-bin/recordings/setaapp.cgi");
//
// Start picks a loopback address 127.0.0.2, .3, ... on which nobody listens and that no other
// DeviceSimProcess on the machine holds (it stays reserved until destruction, also while the
// simulator restarts or is stopped), gives the simulator a fresh device folder (unless
// Options::folder names one) and waits for its ready line. As root it takes the camera's ports 80
// and 21; otherwise any free ports. The destructor stops the simulator
// by its process id (SIGTERM, then SIGKILL) and removes the temporary folders. The simulator's
// messages go to the test's standard error. The simulator also ends when the thread that started
// it ends (so a crashed test leaves nothing behind): start it from the test's own thread.
// True when a listener could bind the address and port now.
bool PortFree(const std::string& address, int port);

class DeviceSimProcess
{
public:
    struct Options
    {
        // Further kor-devicesim options, e.g. {"--user", "admin", "--password", "p:w@d", "--installed"}.
        // --root, --address, --http-port, --ftp-port and --request-log are set by this class.
        std::vector<std::string> args;
        bool ftp = true;           // false: --no-ftp (starts faster when the test needs no FTP)
        bool standardPorts = true; // ports 80 and 21 when running as root
        std::string folder;        // device folder to use (kept); empty: a fresh temporary one
        // More than 1: one process serves this many cameras on consecutive addresses 127.0.X.2, .3, …
        // (X chosen free), camera n's files under the folder's n/ and its request log apart.
        int cameras = 1;
    };

    // One line of the request log.
    struct Request
    {
        std::string method;
        std::string path;  // as sent
        std::string query; // as sent, without "?"
        std::size_t bodyLength = 0;
        bool authOk = false;
    };

    DeviceSimProcess();
    explicit DeviceSimProcess(Options options);
    // Shorthand for Options with these args.
    explicit DeviceSimProcess(std::vector<std::string> args, bool ftp = true);
    ~DeviceSimProcess();
    DeviceSimProcess(const DeviceSimProcess&) = delete;
    DeviceSimProcess& operator=(const DeviceSimProcess&) = delete;

    // Starts the simulator; false with Error() set when it does not come up.
    bool Start();
    // Stops it (also done by the destructor); the device folder stays until destruction.
    void Stop();
    bool Running() const { return m_pid > 0; }
    const std::string& Error() const { return m_error; }

    pid_t Pid() const { return m_pid; }
    const std::string& Address() const { return m_address; } // "127.0.0.N"
    int HttpPort() const { return m_httpPort; }
    int FtpPort() const { return m_ftpPort; } // 0 without FTP
    std::string BaseUrl() const;              // "http://127.0.0.N:PORT"
    const std::string& Folder() const { return m_folder; }

    // Files of the device folder, by relative path ("etc/inittab"); empty when missing.
    std::string ReadDeviceFile(const std::string& relative) const;
    void WriteDeviceFile(const std::string& relative, const std::string& bytes) const;
    // The request log so far (of camera n when the process serves several).
    std::vector<Request> Requests(int camera = 0) const;
    // Camera n (1..cameras) of a process that serves several.
    const std::string& CameraAddress(int n) const
    {
        return m_cameras.at(static_cast<std::size_t>(n - 1)).first;
    }
    int CameraHttpPort(int n) const { return m_cameras.at(static_cast<std::size_t>(n - 1)).second; }

private:
    bool StartOn(const std::string& address, bool& addressInUse);

    Options m_options;
    std::string m_error;
    std::string m_tempDir; // holds the request log, and the device folder unless one was given
    std::string m_folder;
    std::string m_logPath;
    std::string m_address;
    int m_httpPort = 0;
    int m_ftpPort = 0;
    std::vector<std::pair<std::string, int>> m_cameras; // address and HTTP port of each camera
    pid_t m_pid = -1;
    int m_reservation = -1; // keeps other DeviceSimProcess instances off m_address
};

} // namespace kor::test
