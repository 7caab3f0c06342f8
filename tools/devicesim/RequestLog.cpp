#include "RequestLog.h"

#include <nlohmann/json.hpp>

#include <fstream>

namespace kor::devicesim {

RequestLog::RequestLog(const std::string& path) : m_path(path)
{
    if (!path.empty()) {
        m_file = std::fopen(path.c_str(), "ab");
    }
}

RequestLog::~RequestLog()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

std::string RequestLog::Line(std::string_view method, std::string_view path, std::string_view query,
                             std::size_t bodyLength, bool authOk)
{
    const nlohmann::ordered_json line = {
        {"method", std::string(method)}, {"path", std::string(path)}, {"query", std::string(query)},
        {"body_length", bodyLength},     {"auth_ok", authOk},
    };
    // Bytes that are not UTF-8 (they should have been percent-encoded) become U+FFFD.
    return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void RequestLog::Add(std::string_view method, std::string_view path, std::string_view query,
                     std::size_t bodyLength, bool authOk)
{
    if (m_file == nullptr) {
        return;
    }
    const std::string line = Line(method, path, query, bodyLength, authOk) + "\n";
    std::lock_guard lock(m_mutex);
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}

std::vector<LoggedRequest> RequestLog::Read(const std::string& path)
{
    std::vector<LoggedRequest> requests;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const nlohmann::json item = nlohmann::json::parse(line, nullptr, false);
        if (!item.is_object()) {
            continue; // a line being written
        }
        requests.push_back({item.value("method", ""), item.value("path", ""), item.value("query", ""),
                            item.value("body_length", std::size_t{0}), item.value("auth_ok", false)});
    }
    return requests;
}

} // namespace kor::devicesim
