#include "FtpChild.h"

#include "KorBuild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

namespace kor::devicesim {

namespace {

constexpr int kExitAddressInUse = 3;

// Reads one line from the pipe, waiting at most until the deadline.
bool ReadLine(int fd, std::string& line, std::chrono::steady_clock::time_point deadline)
{
    line.clear();
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd item{fd, POLLIN, 0};
        const int ready = ::poll(&item, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        char c = 0;
        const ssize_t got = ::read(fd, &c, 1);
        if (got <= 0) {
            return false;
        }
        if (c == '\n') {
            return true;
        }
        line.push_back(c);
    }
}

} // namespace

FtpChild::~FtpChild()
{
    Stop();
}

std::string FtpChild::LauncherPath()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    // Beside the executable in the build tree; in the helpers' folder once installed.
    const std::filesystem::path beside = self.parent_path() / "kor-devicesim-ftpd.py";
    if (std::filesystem::exists(beside, ec)) {
        return beside.string();
    }
    return (self.parent_path() / build::HelpersFromPrograms / "kor-devicesim-ftpd.py")
        .lexically_normal()
        .string();
}

std::string FtpChild::PythonPath()
{
    const char* python = std::getenv("KOR_DEVICESIM_PYTHON");
    return python != nullptr && *python != '\0' ? python : "/usr/bin/python3";
}

Status FtpChild::Start(const SimOptions& options, int port, bool& addressInUse)
{
    Stop();
    addressInUse = false;
    const std::string python = PythonPath();
    std::vector<std::string> args = {
        python,
        LauncherPath(),
        "--root=" + options.root,
        "--address=" + options.address,
        "--port=" + std::to_string(port),
        "--user=" + options.user,
        "--banner=" + options.model + " Network Camera " + options.firmware + " ready.",
    };
    for (const Fault& fault : options.faults) {
        if (fault.kind == Fault::Kind::FtpRefuseLogin) {
            args.push_back("--refuse-login");
        } else if (fault.kind == Fault::Kind::FtpFailUpload) {
            args.push_back("--fail-upload=" + (fault.path.empty() ? std::string("*") : fault.path));
        }
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    int out[2];
    int in[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return Status::Fail(std::string("pipe: ") + std::strerror(errno));
    }
    if (::pipe2(in, O_CLOEXEC) != 0) {
        const Status failed = Status::Fail(std::string("pipe: ") + std::strerror(errno));
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
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::close_range(3, ~0U, 0);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (pid < 0) {
        const Status failed = Status::Fail(std::string("fork: ") + std::strerror(errno));
        ::close(in[1]);
        ::close(out[0]);
        return failed;
    }
    m_pid = pid;
    m_stdinWrite = in[1];
    // The password travels through the pipe: a command line is visible to every user (ps).
    const std::string secret = options.password + "\n";
    if (::write(m_stdinWrite, secret.data(), secret.size()) != static_cast<ssize_t>(secret.size())) {
        const std::string reason =
            std::string("cannot hand the password to the FTP server: ") + std::strerror(errno);
        Stop();
        return Status::Fail(reason);
    }

    std::string line;
    const bool gotLine = ReadLine(out[0], line, std::chrono::steady_clock::now() + std::chrono::seconds(30));
    ::close(out[0]);
    constexpr std::string_view kReady = "ftp ready ";
    if (gotLine && line.starts_with(kReady)) {
        m_port = std::atoi(line.c_str() + kReady.size());
        return Status::Ok();
    }
    int status = 0;
    const bool ended = ::waitpid(m_pid, &status, WNOHANG) == m_pid;
    if (ended) {
        m_pid = -1;
        addressInUse = WIFEXITED(status) && WEXITSTATUS(status) == kExitAddressInUse;
    }
    Stop();
    return Status::Fail("the FTP server (" + python + " " + args[1] + ") did not start" +
                        (ended && WIFEXITED(status) ? ", exit status " + std::to_string(WEXITSTATUS(status))
                                                    : std::string()));
}

void FtpChild::Kill() const
{
    if (const pid_t pid = m_pid; pid > 0) {
        ::kill(pid, SIGKILL);
    }
}

bool FtpChild::Running()
{
    if (m_pid <= 0) {
        return false;
    }
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

void FtpChild::Stop()
{
    if (m_stdinWrite >= 0) {
        ::close(m_stdinWrite);
        m_stdinWrite = -1;
    }
    if (m_pid <= 0) {
        return;
    }
    ::kill(m_pid, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (::waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_pid = -1;
}

} // namespace kor::devicesim
