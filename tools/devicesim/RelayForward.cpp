#include "RelayForward.h"

#include <httplib.h>

#include <cctype>
#include <charconv>

namespace kor::devicesim {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool StartsWithNoCase(std::string_view text, std::string_view word)
{
    if (text.size() < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(word[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string PercentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

Status ParseRelayQuery(std::string_view rawQuery, std::string& password, RelayTarget& target)
{
    if (!rawQuery.starts_with("pwd=")) {
        return Status::Fail("the query must start with pwd=");
    }
    const std::size_t url = rawQuery.find("&URL=");
    if (url == std::string_view::npos) {
        return Status::Fail("the query holds no &URL=");
    }
    password = std::string(rawQuery.substr(4, url - 4));
    std::string address(rawQuery.substr(url + 5));
    if (StartsWithNoCase(address, "http%3A")) {
        address = PercentDecode(address);
    }
    if (!StartsWithNoCase(address, "http://")) {
        return Status::Fail("the device address must start with http://");
    }
    std::string_view rest = std::string_view(address).substr(7);
    const std::size_t slash = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, slash);
    // A query right after the host asks for the root page.
    target.target = slash == std::string_view::npos ? std::string("/")
                    : rest[slash] == '?'            ? "/" + std::string(rest.substr(slash))
                                                    : std::string(rest.substr(slash));
    if (authority.find('@') != std::string_view::npos) {
        return Status::Fail("credentials belong before the relay host, not in the device address");
    }
    const std::size_t colon = authority.find(':');
    target.port = 80;
    if (colon != std::string_view::npos) {
        const std::string_view port = authority.substr(colon + 1);
        const auto result = std::from_chars(port.data(), port.data() + port.size(), target.port);
        if (result.ec != std::errc() || result.ptr != port.data() + port.size() || target.port < 1 ||
            target.port > 65535) {
            return Status::Fail("bad port in the device address");
        }
        authority = authority.substr(0, colon);
    }
    target.host = std::string(authority);
    if (target.host.empty()) {
        return Status::Fail("the device address names no host");
    }
    return Status::Ok();
}

ForwardedReply ForwardRequest(const RelayTarget& target, std::string_view method,
                              std::string_view authorization, std::string_view contentType,
                              const std::string& body,
                              const std::function<void(httplib::Client*, bool)>& track)
{
    ForwardedReply reply;
    httplib::Client client(target.host, target.port);
    client.set_url_encode(false);
    client.set_keep_alive(false);
    client.set_connection_timeout(5);
    client.set_read_timeout(60);
    httplib::Headers headers;
    if (!authorization.empty()) {
        headers.emplace("Authorization", std::string(authorization));
    }
    if (track) {
        track(&client, true);
    }
    httplib::Result result = method == "POST"
                                 ? client.Post(target.target, headers, body,
                                               contentType.empty() ? std::string("application/octet-stream")
                                                                   : std::string(contentType))
                                 : client.Get(target.target, headers);
    if (track) {
        track(&client, false);
    }
    if (!result) {
        reply.error = httplib::to_string(result.error());
        return reply;
    }
    reply.reached = true;
    reply.status = result->status;
    reply.body = result->body;
    reply.contentType = result->get_header_value("Content-Type");
    const std::size_t count = result->get_header_value_count("WWW-Authenticate");
    for (std::size_t i = 0; i < count; ++i) {
        reply.challenges.push_back(result->get_header_value("WWW-Authenticate", i));
    }
    return reply;
}

} // namespace kor::devicesim
