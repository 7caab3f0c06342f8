#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kor::devicesim {

// One request of the log as read back.
struct LoggedRequest
{
    std::string method;
    std::string path;  // as sent
    std::string query; // as sent, without "?"
    std::size_t bodyLength = 0;
    bool authOk = false;
};

// One JSON line per HTTP request: method, path, query (both as sent, before decoding),
// body_length and auth_ok. Each line is flushed at once so a reader sees it while the camera runs.
class RequestLog
{
public:
    explicit RequestLog(const std::string& path); // empty path: no log
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    bool IsOpen() const { return m_file != nullptr || m_path.empty(); }
    void Add(std::string_view method, std::string_view path, std::string_view query, std::size_t bodyLength,
             bool authOk);

    // The JSON line for one request (without the line end).
    static std::string Line(std::string_view method, std::string_view path, std::string_view query,
                            std::size_t bodyLength, bool authOk);
    // The requests of a log so far, while the camera still writes it.
    static std::vector<LoggedRequest> Read(const std::string& path);

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
    std::mutex m_mutex;
};

} // namespace kor::devicesim
