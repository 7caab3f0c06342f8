#pragma once

#include <httplib.h>

namespace kor::devicesim {

// The library's HTTP server with the connection handling of the camera: each request is read
// through a RequestStream, and the request keeps its target and Authorization value as sent.
class CameraServer : public httplib::Server
{
private:
    bool process_and_close_socket(socket_t sock) override;
};

} // namespace kor::devicesim
