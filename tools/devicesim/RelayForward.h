#pragma once

#include "config/Result.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace httplib {
class Client;
}

namespace kor::devicesim {

// The device a relay request names.
struct RelayTarget
{
    std::string host;
    int port = 80;
    std::string target; // path and query, as sent
};

// Splits the raw query of /query.cgi, "pwd=P&URL=http://host[:port][/path[?query]]". The password
// runs to the first "&URL="; everything after "URL=" is the device address, its own "?" and "&"
// included. The caller decides which hosts it forwards to.
Status ParseRelayQuery(std::string_view rawQuery, std::string& password, RelayTarget& target);

struct ForwardedReply
{
    bool reached = false; // false: the device did not answer (error says why)
    int status = 0;
    std::string contentType;
    std::string body;
    std::vector<std::string> challenges; // WWW-Authenticate values
    std::string error;
};

// Sends the request to the device with the client's Authorization header and returns its answer.
// track(client, true) is called before the request and track(client, false) after it, so that the
// caller can stop a forward in progress (httplib::Client::stop) when the relay goes down.
ForwardedReply ForwardRequest(const RelayTarget& target, std::string_view method,
                              std::string_view authorization, std::string_view contentType,
                              const std::string& body,
                              const std::function<void(httplib::Client*, bool)>& track = {});

// Decodes %XX escapes; other bytes stay as they are.
std::string PercentDecode(std::string_view text);

} // namespace kor::devicesim
