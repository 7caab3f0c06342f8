#include "RequestStream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cctype>
#include <cerrno>

namespace kor::devicesim {

namespace {

constexpr std::size_t kHeadLimit = 64 * 1024;

void AddressOf(const sockaddr_storage& address, std::string& ip, int& port)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        port = ntohs(v4->sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address);
        inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        port = ntohs(v6->sin6_port);
    }
    ip = text;
}

} // namespace

std::string LibraryFriendlyHead(std::string_view head, std::string& rawTarget)
{
    rawTarget.clear();
    const std::size_t lineEnd = head.find('\n');
    const std::string_view line = head.substr(0, lineEnd);
    const std::size_t first = line.find(' ');
    const std::size_t last = line.rfind(' ');
    if (first == std::string_view::npos || last == first) {
        return std::string(head);
    }
    rawTarget = std::string(line.substr(first + 1, last - first - 1));
    std::string target;
    bool question = false;
    for (char c : rawTarget) {
        if (c == '?' && question) {
            target += "%3F";
        } else {
            question = question || c == '?';
            target.push_back(c);
        }
    }
    return std::string(line.substr(0, first + 1)) + target + std::string(head.substr(last));
}

std::string HeaderValue(std::string_view head, std::string_view name)
{
    std::size_t start = head.find('\n');
    while (start != std::string_view::npos && start + 1 < head.size()) {
        ++start;
        std::size_t end = head.find('\n', start);
        std::string_view line =
            head.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t colon = line.find(':');
        if (colon == name.size()) {
            bool same = true;
            for (std::size_t i = 0; i < colon && same; ++i) {
                same = std::tolower(static_cast<unsigned char>(line[i])) ==
                       std::tolower(static_cast<unsigned char>(name[i]));
            }
            if (same) {
                std::string_view value = line.substr(colon + 1);
                while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
                    value.remove_prefix(1);
                }
                return std::string(value);
            }
        }
        start = end;
    }
    return {};
}

RequestStream::RequestStream(socket_t sock, time_t readTimeoutSeconds, time_t writeTimeoutSeconds)
    : m_sock(sock), m_readTimeout(readTimeoutSeconds), m_writeTimeout(writeTimeoutSeconds)
{}

bool RequestStream::WaitFor(short events, time_t seconds) const
{
    pollfd item{m_sock, events, 0};
    for (;;) {
        const int ready = ::poll(&item, 1, static_cast<int>(seconds * 1000));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        return ready > 0;
    }
}

bool RequestStream::ReadHead()
{
    m_headRead = true;
    // Byte by byte, so that nothing of the body is taken along.
    while (m_rawHead.size() < kHeadLimit) {
        if (!WaitFor(POLLIN, m_readTimeout)) {
            break;
        }
        char c = 0;
        const ssize_t got = ::recv(m_sock, &c, 1, 0);
        if (got <= 0) {
            break;
        }
        m_rawHead.push_back(c);
        if (m_rawHead.ends_with("\r\n\r\n") || m_rawHead.ends_with("\n\n")) {
            break;
        }
    }
    m_buffer = LibraryFriendlyHead(m_rawHead, m_rawTarget);
    return !m_buffer.empty();
}

bool RequestStream::is_readable() const
{
    return (!m_headRead || m_bufferOffset < m_buffer.size()) || WaitFor(POLLIN, m_readTimeout);
}

bool RequestStream::is_writable() const
{
    return WaitFor(POLLOUT, m_writeTimeout);
}

ssize_t RequestStream::read(char* ptr, size_t size)
{
    if (!m_headRead && !ReadHead()) {
        return 0;
    }
    if (m_bufferOffset < m_buffer.size()) {
        const std::size_t n = std::min(size, m_buffer.size() - m_bufferOffset);
        m_buffer.copy(ptr, n, m_bufferOffset);
        m_bufferOffset += n;
        return static_cast<ssize_t>(n);
    }
    if (!WaitFor(POLLIN, m_readTimeout)) {
        return -1;
    }
    return ::recv(m_sock, ptr, size, 0);
}

ssize_t RequestStream::write(const char* ptr, size_t size)
{
    if (!is_writable()) {
        return -1;
    }
    return ::send(m_sock, ptr, size, MSG_NOSIGNAL);
}

void RequestStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(m_sock, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        AddressOf(address, ip, port);
    }
}

void RequestStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(m_sock, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        AddressOf(address, ip, port);
    }
}

socket_t RequestStream::socket() const
{
    return m_sock;
}

std::string RequestStream::RawHeader(std::string_view name) const
{
    return HeaderValue(m_rawHead, name);
}

} // namespace kor::devicesim
