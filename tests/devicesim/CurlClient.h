#pragma once

#include <curl/curl.h>

#include <string>
#include <vector>

namespace kor::test {

// Plain libcurl calls for the simulator's tests (never through a proxy).
struct HttpCall
{
    std::string url;
    std::string user; // no credentials when user and password are empty
    std::string password;
    unsigned long auth = CURLAUTH_ANY; // CURLAUTH_BASIC, CURLAUTH_DIGEST, ...
    bool post = false;
    std::string body;
    long timeoutMs = 20000;

    HttpCall& As(std::string userName, std::string pass, unsigned long scheme = CURLAUTH_ANY);
    HttpCall& Posting(std::string data);
    HttpCall& WaitingAtMost(long milliseconds);
};

// A GET of the URL without credentials; add them with As(...).
HttpCall Call(std::string url);

struct HttpAnswer
{
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string body;
    std::string headers;
};

HttpAnswer Http(const HttpCall& call);

struct FtpAnswer
{
    CURLcode code = CURLE_OK;
    std::string body;       // downloaded bytes
    std::string serverText; // everything the server said on the control connection
};

// Upload to ftp://address:port/path; postQuote commands run after the transfer.
FtpAnswer FtpUpload(const std::string& address, int port, const std::string& user,
                    const std::string& password, const std::string& path, const std::string& data,
                    const std::vector<std::string>& postQuote = {});
FtpAnswer FtpDownload(const std::string& address, int port, const std::string& user,
                      const std::string& password, const std::string& path);

} // namespace kor::test
