#include "devicesim/launcher/DeviceSimProcess.h"

#include "devicesim/SimReady.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace kor::devicesim {

namespace {

constexpr int kLastAddress = 254;

// Reserves the address among the processes of this machine for as long as the returned socket is
// open (an abstract Unix socket name, freed when the process ends). A simulator that restarts
// leaves its ports free for a moment; the reservation keeps other starters off its address.
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

Status DeviceSimProcess::Start()
{
    Stop();
    if (::access(m_options.program.c_str(), X_OK) != 0) {
        return Status::Fail(m_options.program + " is missing");
    }
    if (m_tempDir.empty()) {
        std::string pattern = (fs::temp_directory_path() / "kor-devicesim-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            return Status::Fail("cannot create a temporary folder");
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
        const Status started = StartOn(address, addressInUse);
        if (started.ok()) {
            m_reservation = reservation;
            return started;
        }
        release();
        if (!addressInUse) {
            return started;
        }
    }
    return Status::Fail("no free loopback address for kor-devicesim");
}

Status DeviceSimProcess::StartOn(const std::string& address, bool& addressInUse)
{
    addressInUse = false;
    const bool standard = m_options.standardPorts && ::geteuid() == 0;
    const std::string httpPortArg = standard ? "80" : "0";
    const std::string ftpPortArg = standard ? "21" : "0";
    std::vector<std::string> args = {m_options.program, "--root",        m_folder,    "--address",
                                     address,           "--http-port",   httpPortArg, "--ftp-port",
                                     ftpPortArg,        "--request-log", m_logPath};
    if (!m_options.ftp) {
        args.push_back("--no-ftp");
    }
    if (m_options.cameras > 1) {
        args.insert(args.end(), {"--cameras", std::to_string(m_options.cameras)});
    }
    args.insert(args.end(), m_options.args.begin(), m_options.args.end());
    if (Status started = m_child.Start(std::move(args)); started.failed()) {
        return started;
    }
    // One ready line per camera, all of them once every camera listens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    m_cameras.clear();
    while (static_cast<int>(m_cameras.size()) < m_options.cameras) {
        const std::optional<std::string> line = m_child.ReadLine(deadline);
        if (!line || !line->starts_with(kReadyLine)) {
            break;
        }
        // "ADDRESS:PORT ftp PORT|off"
        std::istringstream fields(line->substr(kReadyLine.size()));
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
    m_child.CloseOutput();
    if (static_cast<int>(m_cameras.size()) == m_options.cameras) {
        m_address = address;
        return Status::Ok();
    }
    const std::optional<int> exit = m_child.WaitForExit(std::chrono::seconds(2));
    if (!exit) {
        Stop();
        return Status::Fail("kor-devicesim on " + address + " did not get ready");
    }
    addressInUse = *exit == kExitAddressInUse;
    return Status::Fail("kor-devicesim on " + address + " ended with status " + std::to_string(*exit) +
                        " (see its messages above)");
}

std::vector<DeviceSimProcess::Request> DeviceSimProcess::Requests(int camera) const
{
    return RequestLog::Read(camera > 0 ? m_logPath + "." + std::to_string(camera) : m_logPath);
}

} // namespace kor::devicesim
