#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kor::devicesim {

// One HTTP request as the camera's programs see it.
struct DeviceRequest
{
    std::string method;
    std::string rawPath;  // as sent
    std::string rawQuery; // as sent, without the "?"
    std::string path;     // rawPath with %XX escapes decoded
    std::string body;
    std::string authorization;
    std::string contentType;
};

// The answer of one of the camera's programs.
struct DeviceReply
{
    int status = 200;
    std::string contentType = "text/plain";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    std::function<void()> afterSent; // runs once the answer has gone out
};

// name=value pairs of a query, values %XX-decoded; a pair without "=" has an empty value.
std::vector<std::pair<std::string, std::string>> ParseQuery(std::string_view rawQuery);
// The value of the first pair with that name, or nullptr.
const std::string* QueryValue(const std::vector<std::pair<std::string, std::string>>& query,
                              std::string_view name);

// An error page answer.
DeviceReply ErrorReply(int status, std::string_view path);

} // namespace kor::devicesim
