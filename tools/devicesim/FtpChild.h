#pragma once

#include "config/Result.h"

#include "ChildProcess.h"
#include "SimOptions.h"

#include <string>

namespace kor::devicesim {

// The camera's FTP server: pyftpdlib on the device folder, run by kor-devicesim-ftpd.py as a child
// process. The child dies with this process (parent-death signal and end of its stdin).
class FtpChild
{
public:
    // Starts the server and waits until it listens. port 0 takes any free port. On failure
    // addressInUse tells whether another program holds the address.
    Status Start(const SimOptions& options, int port, bool& addressInUse);
    // Terminates the server and waits for it (briefly: then it is killed).
    void Stop() { m_child.Stop(); }
    // Kills the server at once; safe from another thread while Stop runs.
    void Kill() const { m_child.Kill(); }
    // False when the child has ended by itself.
    bool Running() { return m_child.Running(); }
    int Port() const { return m_port; }

    // The launcher script beside the executable and the Python that runs it
    // (KOR_DEVICESIM_PYTHON, default /usr/bin/python3, where Debian's python3-pyftpdlib lives).
    static std::string LauncherPath();
    static std::string PythonPath();

private:
    ChildProcess m_child{std::chrono::milliseconds(500)};
    int m_port = 0;
};

} // namespace kor::devicesim
