#include "HttpListener.h"

#include "CameraServer.h"
#include "DeviceHttp.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace kor::devicesim {

namespace {

// The error a plain bind of the address gets (0 when it would succeed).
int BindError(const std::string& address, int port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0) {
        return errno;
    }
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address.c_str(), &where.sin_addr);
    const int result = ::bind(sock, reinterpret_cast<sockaddr*>(&where), sizeof where);
    const int error = result == 0 ? 0 : errno;
    ::close(sock);
    return error;
}

} // namespace

HttpListener::HttpListener(DeviceHttp& http) : m_http(http) {}

HttpListener::~HttpListener()
{
    Stop();
}

Status HttpListener::Start(const std::string& address, int port, bool& addressInUse)
{
    Stop();
    addressInUse = false;
    m_server = std::make_unique<CameraServer>();
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        m_http.Handle(request, response);
    };
    m_server->Get(".*", handler);
    m_server->Post(".*", handler);
    m_server->Put(".*", handler);
    m_server->Delete(".*", handler);
    m_server->Options(".*", handler);
    m_server->set_keep_alive_timeout(1);
    // Address reuse only: never share a port with a second listener (SO_REUSEPORT would).
    m_server->set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    });
    m_port =
        port == 0 ? m_server->bind_to_any_port(address) : (m_server->bind_to_port(address, port) ? port : -1);
    if (m_port <= 0) {
        const int reason = BindError(address, port);
        addressInUse = reason == EADDRINUSE;
        m_server.reset();
        return Status::Fail("cannot listen on " + address + ":" + std::to_string(port) + ": " +
                            (reason != 0 ? std::strerror(reason) : "bind failed"));
    }
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    // stop() only takes effect once the server runs.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!m_server->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Status::Ok();
}

void HttpListener::Stop()
{
    if (!m_server) {
        return;
    }
    m_server->stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_server.reset();
}

} // namespace kor::devicesim
