#include "outside/transport/CurlHttpClient.h"

#include "outside/transport/CurlGlobal.h"

#include <curl/curl.h>

#include <cstring>

namespace kor {

namespace {

struct Transfer
{
    std::string Body;
    std::string StatusText;
    int StatusLines = 0; // answers heard: two when a challenge came before the answer
    std::size_t Limit = 0;
    bool TooLarge = false;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t->Body.size() + n > t->Limit) {
        t->TooLarge = true;
        return 0;
    }
    t->Body.append(data, n);
    return n;
}

// Keeps the reason phrase of the last status line (a 401 challenge is followed by the real answer).
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    std::string_view line(data, n);
    if (line.starts_with("HTTP/")) {
        ++t->StatusLines;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        const std::size_t first = line.find(' ');
        const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
        t->StatusText =
            second == std::string_view::npos ? std::string() : std::string(line.substr(second + 1));
    }
    return n;
}

CURL* Handle(void* p)
{
    return static_cast<CURL*>(p);
}

} // namespace

CurlHttpClient::CurlHttpClient(std::size_t maxReplyBytes)
    : m_maxReplyBytes(maxReplyBytes == 0 ? kMaxReplyBytes : maxReplyBytes)
{
    EnsureCurlInitialised();
    m_curl = curl_easy_init();
}

CurlHttpClient::~CurlHttpClient()
{
    if (m_curl)
        curl_easy_cleanup(Handle(m_curl));
}

HttpResponse CurlHttpClient::Get(const DeviceUrl& url, int timeoutSeconds)
{
    return PerformWithAuth(url, nullptr, timeoutSeconds);
}

HttpResponse CurlHttpClient::Post(const DeviceUrl& url, const std::string& body, int timeoutSeconds)
{
    return PerformWithAuth(url, &body, timeoutSeconds);
}

HttpResponse CurlHttpClient::PerformWithAuth(const DeviceUrl& url, const std::string* body,
                                             int timeoutSeconds)
{
    HttpResponse response = Perform(url, body, timeoutSeconds);
    if (!url.SendsCredentials() || response.Status != 401)
        return response;
    // Credentials sent without a fresh challenge (what an earlier answer asked for; a restarted
    // camera has forgotten its Digest nonces) are tried once more, led by the camera's challenge.
    // A refusal after a fresh challenge means wrong credentials and is not repeated: cameras that
    // lock accounts count every try. Either way the next request starts clean, on a new handle,
    // because libcurl would offer the refused nonce again.
    const bool challenged = m_lastStatusLines >= 2;
    RenewHandle();
    if (challenged)
        return response;
    response = Perform(url, body, timeoutSeconds);
    if (response.Status == 401)
        RenewHandle();
    return response;
}

void CurlHttpClient::RenewHandle()
{
    m_authScheme = 0;
    if (m_curl)
        curl_easy_cleanup(Handle(m_curl));
    m_curl = curl_easy_init();
}

HttpResponse CurlHttpClient::Perform(const DeviceUrl& url, const std::string* body, int timeoutSeconds)
{
    HttpResponse response;
    CURL* curl = Handle(m_curl);
    if (!curl) {
        response.Error = CURLE_FAILED_INIT;
        response.ErrorText = curl_easy_strerror(CURLE_FAILED_INIT);
        return response;
    }
    Transfer transfer;
    transfer.Limit = m_maxReplyBytes;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    // libcurl only removes a header when told to: no "Expect: 100-continue" round trip.
    curl_slist* headers = curl_slist_append(nullptr, "Expect:");

    const std::string target = url.TransportUrl();
    curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
    curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(timeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    if (url.SendsCredentials()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, url.User().c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, url.Password().c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH,
                         m_authScheme != 0 ? m_authScheme : CURLAUTH_BASIC | CURLAUTH_DIGEST);
    } else {
        curl_easy_setopt(curl, CURLOPT_USERNAME, nullptr);
        curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    }
    if (body) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body->data());
    } else {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    }

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
    curl_slist_free_all(headers);

    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    m_lastStatusLines = transfer.StatusLines;
    response.Status = status;
    response.StatusText = transfer.StatusText;
    if (code == CURLE_OK) {
        response.Body = std::move(transfer.Body);
        if (url.SendsCredentials() && m_authScheme == 0 && status != 401) {
            long used = 0;
            curl_easy_getinfo(curl, CURLINFO_HTTPAUTH_AVAIL, &used);
            if (used & CURLAUTH_DIGEST)
                m_authScheme = CURLAUTH_DIGEST;
            else if (used & CURLAUTH_BASIC)
                m_authScheme = CURLAUTH_BASIC;
        }
        return response;
    }
    if (transfer.TooLarge) {
        response.Error = CURLE_WRITE_ERROR;
        response.ErrorText = "the reply is larger than the transport accepts";
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        response.Error = kRequestTimeoutError;
        response.ErrorText = "Request timed out";
    } else {
        response.Error = static_cast<int>(code);
        response.ErrorText = std::strlen(errorBuffer) > 0 ? errorBuffer : curl_easy_strerror(code);
    }
    response.ErrorText = url.Redacted(response.ErrorText);
    return response;
}

} // namespace kor
