#pragma once

#include "AlarmApplication.h"
#include "CameraFirmware.h"
#include "DeviceRequest.h"
#include "HttpAuth.h"
#include "RequestLog.h"
#include "SimOptions.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>

namespace httplib {
class Client;
struct Request;
struct Response;
} // namespace httplib

namespace kor::devicesim {

// Everything the camera's web server does with one request: log it, misbehave as the faults say,
// relay it, check the credentials and hand it to the firmware or the alarm application.
class DeviceHttp
{
public:
    DeviceHttp(const SimOptions& options, CameraFirmware& firmware, AlarmApplication& application,
               HttpAuth& auth, RequestLog& log);

    void Handle(const httplib::Request& request, httplib::Response& response);

    // Whether /cgi-bin/recordings/ answers; decided at start-up and after each restart.
    void SetInstalled(bool installed);
    bool Installed() const;
    // Wakes every request held by a delay or stop-after fault and stops the forwards of the relay
    // in progress (before the listener closes); requests that come later are not held, until Resume.
    void ReleaseWaiting();
    void Resume();

private:
    DeviceReply Answer(const DeviceRequest& request, bool authOk);
    DeviceReply Relay(const DeviceRequest& request);
    void Send(const DeviceRequest& request, DeviceReply reply, httplib::Response& response) const;
    // Waits until ReleaseWaiting, or at most the given time when it is positive. False when released.
    bool Wait(long long milliseconds);
    bool RelayPasswordMatches(const DeviceRequest& request) const;

    const SimOptions& m_options;
    CameraFirmware& m_firmware;
    AlarmApplication& m_application;
    HttpAuth& m_auth;
    RequestLog& m_log;

    std::atomic<bool> m_installed{false};
    std::atomic<long long> m_requestCount{0};
    std::mutex m_waitMutex;
    std::condition_variable m_waitCondition;
    bool m_released = false;
    std::mutex m_relayMutex;
    std::set<httplib::Client*> m_relayClients;
};

// The %XX-decoded form of a request path.
std::string DecodePath(std::string_view rawPath);

} // namespace kor::devicesim
