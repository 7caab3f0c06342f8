#pragma once

#include "config/Result.h"

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace kor::devicesim {

class DeviceHttp;

// The camera's web server socket: open while the camera runs, closed (connections refused)
// while it restarts.
class HttpListener
{
public:
    explicit HttpListener(DeviceHttp& http);
    ~HttpListener();
    HttpListener(const HttpListener&) = delete;
    HttpListener& operator=(const HttpListener&) = delete;

    // Binds (port 0: any free port) and starts serving. When the bind fails, addressInUse tells
    // whether another program holds the address.
    Status Start(const std::string& address, int port, bool& addressInUse);
    int Port() const { return m_port; }
    // Closes the socket and waits for the requests in progress.
    void Stop();

private:
    DeviceHttp& m_http;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace kor::devicesim
