#pragma once

#include "config/Result.h"

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kor::devicesim {

// A helper program run as a child process and waited for by its ready line: its standard output
// comes back through a pipe, its standard input optionally too. The child gets SIGTERM when the
// thread that started it ends, so a parent that crashes leaves nothing behind. It is stopped by its
// process id only.
class ChildProcess
{
public:
    // grace: how long Stop waits after SIGTERM before it kills.
    explicit ChildProcess(std::chrono::milliseconds grace) : m_grace(grace) {}
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts args[0] with these arguments; input: its standard input is a pipe for Write (it sees
    // the end of input when this object stops it), otherwise it shares ours.
    Status Start(std::vector<std::string> args, bool input = false);
    Status Write(const std::string& bytes);
    // The next line of its standard output, without the line end; nothing once the output ended
    // or the deadline passed.
    std::optional<std::string> ReadLine(std::chrono::steady_clock::time_point deadline);
    // Stops reading its standard output.
    void CloseOutput();
    // Its exit code once it ended within the limit (-1 when a signal ended it); nothing while it runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds limit);
    // Ends its input, sends SIGTERM, and SIGKILL when it has not ended after the grace time.
    void Stop();
    // Kills it at once; safe from another thread while Stop runs.
    void Kill() const;
    // False once it has ended by itself.
    bool Running();
    pid_t Pid() const { return m_pid; }

private:
    std::chrono::milliseconds m_grace;
    std::atomic<pid_t> m_pid{-1};
    int m_output = -1;
    int m_input = -1;
};

} // namespace kor::devicesim
