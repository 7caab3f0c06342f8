#pragma once

#include "device/DeviceUrl.h"

#include <string>

namespace kor {

// Error number of a request that ran out of time; callers tell it apart from other failures.
inline constexpr int kRequestTimeoutError = 35761;

struct HttpResponse
{
    // 0 when the exchange completed (whatever the HTTP status); otherwise the transport's error
    // number (kRequestTimeoutError for a time-out) and a text without credentials.
    int Error = 0;
    std::string ErrorText;
    long Status = 0;        // HTTP status code, 0 when no answer came
    std::string StatusText; // reason phrase of the status line
    std::string Body;

    bool Completed() const { return Error == 0; }
    // Whether an awaited request ends in the error state (11): no answer, or an error status.
    bool FailedState() const { return Error != 0 || Status >= 400; }
};

// Blocking HTTP requests to one camera (or its relay). An implementation reuses its connection
// between requests; replies above its size limit end as an error.
class HttpClient
{
public:
    virtual ~HttpClient() = default;

    virtual HttpResponse Get(const DeviceUrl& url, int timeoutSeconds) = 0;
    // The body is sent byte for byte; callers append the trailing zero byte themselves.
    virtual HttpResponse Post(const DeviceUrl& url, const std::string& body, int timeoutSeconds) = 0;
};

} // namespace kor
