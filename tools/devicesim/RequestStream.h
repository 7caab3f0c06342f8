#pragma once

#include <httplib.h>

#include <string>
#include <string_view>

namespace kor::devicesim {

// The stream of one request on a camera connection. It reads the request head itself so that the
// camera's programs see the request line and header values exactly as sent: the web server library
// refuses a second "?" in the target (relay addresses hold one) and decodes %XX in header values
// (which spoils a Digest uri). The library gets the head with every "?" after the first written as
// %3F; RawTarget and RawHeader give the originals.
class RequestStream : public httplib::Stream
{
public:
    RequestStream(socket_t sock, time_t readTimeoutSeconds, time_t writeTimeoutSeconds);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override;

    const std::string& RawTarget() const { return m_rawTarget; }
    std::string RawHeader(std::string_view name) const;

private:
    bool ReadHead();
    bool WaitFor(short events, time_t seconds) const;

    socket_t m_sock;
    time_t m_readTimeout;
    time_t m_writeTimeout;
    bool m_headRead = false;
    std::string m_rawHead;
    std::string m_rawTarget;
    std::string m_buffer; // the head as the library reads it
    std::size_t m_bufferOffset = 0;
};

// The head with every "?" after the first of the request target written as %3F; rawTarget gets the
// target as sent.
std::string LibraryFriendlyHead(std::string_view head, std::string& rawTarget);
// The value of the first header line of that name (letter case ignored), as sent.
std::string HeaderValue(std::string_view head, std::string_view name);

} // namespace kor::devicesim
