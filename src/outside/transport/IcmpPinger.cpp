#include "outside/transport/IcmpPinger.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>

namespace kor {

namespace {

constexpr int kWaitMs = 1000;
constexpr std::size_t kReplyBuffer = 278;

std::uint16_t Checksum(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        sum += static_cast<std::uint32_t>(bytes[i] << 8 | bytes[i + 1]);
    if (size % 2)
        sum += static_cast<std::uint32_t>(bytes[size - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return htons(static_cast<std::uint16_t>(~sum));
}

class Socket
{
public:
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::int32_t IcmpPinger::PingDevice(const std::string& address)
{
    in_addr target{};
    if (inet_pton(AF_INET, address.c_str(), &target) != 1 || target.s_addr == 0)
        return -1;

    bool raw = false;
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        raw = true;
    }
    if (fd < 0)
        return kGeneralFailure;
    Socket sock(fd);

    static std::atomic<std::uint16_t> sequence{1};
    const std::uint16_t seq = sequence.fetch_add(1);
    const auto id = static_cast<std::uint16_t>(getpid() & 0xFFFF);
    icmphdr request{};
    request.type = ICMP_ECHO;
    request.un.echo.id = htons(id);
    request.un.echo.sequence = htons(seq);
    request.checksum = Checksum(&request, sizeof request);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = target;
    if (sendto(sock.Fd(), &request, sizeof request, 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0)
        return kGeneralFailure;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    unsigned char reply[kReplyBuffer];
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0)
            return kTimedOut;
        pollfd p{sock.Fd(), POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            return kTimedOut;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n =
            recvfrom(sock.Fd(), reply, sizeof reply, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n <= 0 || from.sin_addr.s_addr != target.s_addr)
            continue;
        std::size_t offset = 0;
        if (raw) {
            offset = static_cast<std::size_t>(reply[0] & 0x0F) * 4;
            if (offset + sizeof(icmphdr) > static_cast<std::size_t>(n))
                continue;
        } else if (static_cast<std::size_t>(n) < sizeof(icmphdr)) {
            continue;
        }
        icmphdr answer{};
        std::memcpy(&answer, reply + offset, sizeof answer);
        // The kernel rewrites the identifier of datagram sockets; the sequence tells our reply.
        if (answer.type == ICMP_ECHOREPLY && ntohs(answer.un.echo.sequence) == seq &&
            (!raw || ntohs(answer.un.echo.id) == id))
            return 0;
    }
}

} // namespace kor
