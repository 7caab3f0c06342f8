#include "CameraServer.h"

#include "RequestStream.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>

namespace kor::devicesim {

namespace {

// Waits for the next request of a kept-alive connection; gives up when the server stops.
bool NextRequestArrives(socket_t sock, time_t seconds, const std::atomic<socket_t>& listener)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (listener != INVALID_SOCKET && std::chrono::steady_clock::now() < deadline) {
        pollfd item{sock, POLLIN, 0};
        const int ready = ::poll(&item, 1, 100);
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

} // namespace

bool CameraServer::process_and_close_socket(socket_t sock)
{
    bool result = true;
    bool closed = false;
    for (std::size_t left = keep_alive_max_count_; left > 0 && !closed; --left) {
        if (!NextRequestArrives(sock,
                                left == keep_alive_max_count_ ? read_timeout_sec_ : keep_alive_timeout_sec_,
                                svr_sock_)) {
            break;
        }
        RequestStream stream(sock, read_timeout_sec_, write_timeout_sec_);
        const bool last = left == 1 || svr_sock_ == INVALID_SOCKET;
        result = process_request(stream, last, closed, [&stream](httplib::Request& request) {
            request.target = stream.RawTarget();
            const std::string authorization = stream.RawHeader("Authorization");
            if (!authorization.empty()) {
                request.headers.erase("Authorization");
                request.headers.emplace("Authorization", authorization);
            }
        });
        if (!result) {
            break;
        }
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return result;
}

} // namespace kor::devicesim
