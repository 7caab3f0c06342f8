#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace kor::devicesim {

namespace {

Status SystemFailure(const char* call)
{
    return Status::Fail(std::string(call) + ": " + std::strerror(errno));
}

void Close(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

ChildProcess::~ChildProcess()
{
    Stop();
    Close(m_output);
}

Status ChildProcess::Start(std::vector<std::string> args, bool input)
{
    Stop();
    Close(m_output);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    int out[2];
    int in[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return SystemFailure("pipe");
    }
    if (input && ::pipe2(in, O_CLOEXEC) != 0) {
        const Status failed = SystemFailure("pipe");
        ::close(out[0]);
        ::close(out[1]);
        return failed;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls until exec.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) {
            ::_exit(1);
        }
        if (in[0] >= 0) {
            ::dup2(in[0], STDIN_FILENO);
        }
        ::dup2(out[1], STDOUT_FILENO);
        ::close_range(3, ~0U, 0);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    const Status forked = pid < 0 ? SystemFailure("fork") : Status::Ok();
    ::close(out[1]);
    Close(in[0]);
    m_output = out[0];
    m_input = in[1];
    if (forked.failed()) {
        Close(m_output);
        Close(m_input);
        return forked;
    }
    m_pid = pid;
    return Status::Ok();
}

Status ChildProcess::Write(const std::string& bytes)
{
    if (::write(m_input, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        return SystemFailure("write");
    }
    return Status::Ok();
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::steady_clock::time_point deadline)
{
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_output < 0) {
            return std::nullopt;
        }
        pollfd item{m_output, POLLIN, 0};
        const int ready = ::poll(&item, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        char c = 0;
        if (ready <= 0 || ::read(m_output, &c, 1) <= 0) {
            return std::nullopt;
        }
        if (c == '\n') {
            return line;
        }
        line.push_back(c);
    }
}

void ChildProcess::CloseOutput()
{
    Close(m_output);
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const pid_t pid = m_pid;
        if (pid <= 0) {
            return -1;
        }
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno == ECHILD)) {
            m_pid = -1;
            return done == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ChildProcess::Stop()
{
    Close(m_input);
    const pid_t pid = m_pid;
    if (pid <= 0) {
        return;
    }
    ::kill(pid, SIGTERM);
    if (!WaitForExit(m_grace)) {
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        m_pid = -1;
    }
}

void ChildProcess::Kill() const
{
    if (const pid_t pid = m_pid; pid > 0) {
        ::kill(pid, SIGKILL);
    }
}

bool ChildProcess::Running()
{
    return m_pid > 0 && !WaitForExit(std::chrono::milliseconds(0));
}

} // namespace kor::devicesim
