#include "DeviceSimProcess.h"

#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace kor::test {

namespace {

constexpr int kExitAddressInUse = 3;
constexpr int kLastAddress = 254;
constexpr std::string_view kReady = "kor-devicesim ready on http://";

// Reserves the address among the test processes of this machine for as long as the returned socket
// is open (an abstract Unix socket name, freed when the process ends). A simulator that restarts
// leaves its ports free for a moment; the reservation keeps other tests off its address.
int ReserveAddress(const std::string& address)
{
    const int sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0) {
        return -1;
    }
    sockaddr_un name{};
    name.sun_family = AF_UNIX;
    const std::string text = "kor-devicesim-" + address;
    text.copy(name.sun_path + 1, sizeof name.sun_path - 2);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + text.size());
    if (::bind(sock, reinterpret_cast<sockaddr*>(&name), length) != 0) {
        ::close(sock);
        return -1;
    }
    return sock;
}

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
        if (::read(fd, &c, 1) <= 0) {
            return false;
        }
        if (c == '\n') {
            return true;
        }
        line.push_back(c);
    }
}

// Waits for the process to end, at most the given time. True when it ended.
bool WaitForExit(pid_t pid, std::chrono::milliseconds limit, int& status)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno == ECHILD)) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

bool PortFree(const std::string& address, int port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0) {
        return false;
    }
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, address.c_str(), &where.sin_addr);
    const bool free = ::bind(sock, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0;
    ::close(sock);
    return free;
}

DeviceSimProcess::DeviceSimProcess() : DeviceSimProcess(Options()) {}

DeviceSimProcess::DeviceSimProcess(Options options) : m_options(std::move(options)) {}

DeviceSimProcess::DeviceSimProcess(std::vector<std::string> args, bool ftp)
{
    m_options.args = std::move(args);
    m_options.ftp = ftp;
}

DeviceSimProcess::~DeviceSimProcess()
{
    Stop();
    if (m_reservation >= 0) {
        ::close(m_reservation);
    }
    if (!m_tempDir.empty()) {
        std::error_code ec;
        fs::remove_all(m_tempDir, ec);
    }
}

std::string DeviceSimProcess::BaseUrl() const
{
    return "http://" + m_address + ":" + std::to_string(m_httpPort);
}

bool DeviceSimProcess::Start()
{
    Stop();
    m_error.clear();
    if (m_tempDir.empty()) {
        std::string pattern = (fs::temp_directory_path() / "kor-devicesim-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            m_error = "cannot create a temporary folder";
            return false;
        }
        m_tempDir = pattern;
        m_logPath = m_tempDir + "/requests.jsonl";
        m_folder = m_options.folder.empty() ? m_tempDir + "/device" : m_options.folder;
    }
    const bool standard = m_options.standardPorts && ::geteuid() == 0;
    // A second start prefers the address of the first.
    const int first = m_address.empty() ? 2 : std::atoi(m_address.c_str() + m_address.rfind('.') + 1);
    for (int i = 0; i <= kLastAddress - 2; ++i) {
        const int n = 2 + (first - 2 + i) % (kLastAddress - 1);
        // Several cameras take a block of their own, away from the single cameras' 127.0.0.N.
        const std::string address =
            m_options.cameras > 1 ? "127.0." + std::to_string(n - 1) + ".2" : "127.0.0." + std::to_string(n);
        const bool reserved = m_reservation >= 0 && address == m_address;
        const int reservation = reserved ? m_reservation : ReserveAddress(address);
        if (reservation < 0) {
            continue;
        }
        const auto release = [&] {
            if (reservation == m_reservation) {
                m_reservation = -1;
            }
            ::close(reservation);
        };
        if (standard && (!PortFree(address, 80) || (m_options.ftp && !PortFree(address, 21)))) {
            release();
            continue;
        }
        bool addressInUse = false;
        if (StartOn(address, addressInUse)) {
            m_reservation = reservation;
            return true;
        }
        release();
        if (!addressInUse) {
            return false;
        }
    }
    m_error = "no free loopback address for kor-devicesim";
    return false;
}

bool DeviceSimProcess::StartOn(const std::string& address, bool& addressInUse)
{
    addressInUse = false;
    const bool standard = m_options.standardPorts && ::geteuid() == 0;
    std::vector<std::string> args = {
        std::string(KOR_TEST_BINARY_DIR) + "/bin/kor-devicesim",
        "--root",
        m_folder,
        "--address",
        address,
        "--http-port",
        standard ? "80" : "0",
        "--ftp-port",
        standard ? "21" : "0",
        "--request-log",
        m_logPath,
    };
    if (!m_options.ftp) {
        args.push_back("--no-ftp");
    }
    if (m_options.cameras > 1) {
        args.insert(args.end(), {"--cameras", std::to_string(m_options.cameras)});
    }
    args.insert(args.end(), m_options.args.begin(), m_options.args.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        m_error = "pipe failed";
        return false;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The simulator must not outlive a test that crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) {
            ::_exit(1);
        }
        ::dup2(out[1], STDOUT_FILENO);
        ::close_range(3, ~0U, 0);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (pid < 0) {
        ::close(out[0]);
        m_error = "fork failed";
        return false;
    }
    m_pid = pid;
    // One ready line per camera, all of them once every camera listens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    m_cameras.clear();
    std::string line;
    while (static_cast<int>(m_cameras.size()) < m_options.cameras && ReadLine(out[0], line, deadline) &&
           line.starts_with(kReady)) {
        // "kor-devicesim ready on http://ADDRESS:PORT ftp PORT|off"
        std::istringstream fields(line.substr(kReady.size()));
        std::string hostPort;
        std::string ftpWord;
        std::string ftpPort;
        fields >> hostPort >> ftpWord >> ftpPort;
        const std::size_t colon = hostPort.rfind(':');
        m_cameras.emplace_back(hostPort.substr(0, colon), std::atoi(hostPort.substr(colon + 1).c_str()));
        if (m_cameras.size() == 1) {
            m_httpPort = m_cameras.front().second;
            m_ftpPort = ftpPort == "off" ? 0 : std::atoi(ftpPort.c_str());
        }
    }
    ::close(out[0]);
    if (static_cast<int>(m_cameras.size()) == m_options.cameras) {
        m_address = address;
        return true;
    }
    int status = 0;
    if (!WaitForExit(pid, std::chrono::seconds(2), status)) {
        Stop();
        m_error = "kor-devicesim on " + address + " did not get ready";
        return false;
    }
    m_pid = -1;
    addressInUse = WIFEXITED(status) && WEXITSTATUS(status) == kExitAddressInUse;
    m_error = "kor-devicesim on " + address + " ended with status " +
              std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + " (see its messages above)";
    return false;
}

void DeviceSimProcess::Stop()
{
    if (m_pid <= 0) {
        return;
    }
    ::kill(m_pid, SIGTERM);
    int status = 0;
    if (!WaitForExit(m_pid, std::chrono::seconds(15), status)) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
    }
    m_pid = -1;
}

std::string DeviceSimProcess::ReadDeviceFile(const std::string& relative) const
{
    std::ifstream in(fs::path(m_folder) / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void DeviceSimProcess::WriteDeviceFile(const std::string& relative, const std::string& bytes) const
{
    const fs::path path = fs::path(m_folder) / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<DeviceSimProcess::Request> DeviceSimProcess::Requests(int camera) const
{
    std::vector<Request> requests;
    std::ifstream in(camera > 0 ? m_logPath + "." + std::to_string(camera) : m_logPath);
    std::string line;
    while (std::getline(in, line)) {
        const nlohmann::json item = nlohmann::json::parse(line, nullptr, false);
        if (!item.is_object()) {
            continue; // a line being written
        }
        Request request;
        request.method = item.value("method", "");
        request.path = item.value("path", "");
        request.query = item.value("query", "");
        request.bodyLength = item.value("body_length", std::size_t{0});
        request.authOk = item.value("auth_ok", false);
        requests.push_back(request);
    }
    return requests;
}

} // namespace kor::test
