#pragma once

#include "device/HttpClient.h"

#include <cstddef>

namespace kor {

// HTTP with libcurl. One handle per camera, so the connection is reused from request to request;
// the authentication scheme the camera asked for (Basic or Digest) is remembered, so later
// requests carry it from the start. Not for use by two threads at once.
class CurlHttpClient final : public HttpClient
{
public:
    explicit CurlHttpClient(std::size_t maxReplyBytes = 0);
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    HttpResponse Get(const DeviceUrl& url, int timeoutSeconds) override;
    HttpResponse Post(const DeviceUrl& url, const std::string& body, int timeoutSeconds) override;

private:
    HttpResponse PerformWithAuth(const DeviceUrl& url, const std::string* body, int timeoutSeconds);
    HttpResponse Perform(const DeviceUrl& url, const std::string* body, int timeoutSeconds);
    // A new handle without any authentication state (the connection cache goes with the old one).
    void RenewHandle();

    void* m_curl = nullptr;
    std::size_t m_maxReplyBytes;
    long m_authScheme = 0;
    int m_lastStatusLines = 0; // of the last exchange
};

} // namespace kor
