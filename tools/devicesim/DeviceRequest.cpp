#include "DeviceRequest.h"

#include "CameraTexts.h"
#include "RelayForward.h"

namespace kor::devicesim {

std::vector<std::pair<std::string, std::string>> ParseQuery(std::string_view rawQuery)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    while (start <= rawQuery.size() && !rawQuery.empty()) {
        std::size_t end = rawQuery.find('&', start);
        if (end == std::string_view::npos) {
            end = rawQuery.size();
        }
        const std::string_view item = rawQuery.substr(start, end - start);
        if (!item.empty()) {
            const std::size_t eq = item.find('=');
            if (eq == std::string_view::npos) {
                pairs.emplace_back(PercentDecode(item), std::string());
            } else {
                pairs.emplace_back(PercentDecode(item.substr(0, eq)), PercentDecode(item.substr(eq + 1)));
            }
        }
        start = end + 1;
    }
    return pairs;
}

const std::string* QueryValue(const std::vector<std::pair<std::string, std::string>>& query,
                              std::string_view name)
{
    for (const auto& [key, value] : query) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

DeviceReply ErrorReply(int status, std::string_view path)
{
    DeviceReply reply;
    reply.status = status;
    reply.contentType = "text/html";
    reply.body = ErrorPage(status, path);
    return reply;
}

} // namespace kor::devicesim
