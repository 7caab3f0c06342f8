#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace kor::devicesim {

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

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
    std::mutex m_mutex;
};

} // namespace kor::devicesim
