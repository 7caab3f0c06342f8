#pragma once

#include "SimOptions.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kor::devicesim {

// HTTP Basic and Digest (MD5, qop=auth) authentication of the camera's one user.
class HttpAuth
{
public:
    HttpAuth(std::string user, std::string password, AuthScheme scheme, std::string realm);

    // False when the camera is configured with an empty user name and password: no log-in asked.
    bool Required() const;
    // Checks an Authorization header value for a request with this method.
    bool Check(std::string_view method, std::string_view authorization) const;
    // WWW-Authenticate values for a 401 answer; each call issues a fresh nonce.
    std::vector<std::string> Challenges();

private:
    bool CheckBasic(std::string_view credentials) const;
    bool CheckDigest(std::string_view method, std::string_view parameters) const;

    std::string m_user;
    std::string m_password;
    AuthScheme m_scheme;
    std::string m_realm;
    mutable std::mutex m_mutex;
    std::deque<std::string> m_nonces;
};

// Parameters of a Digest header: name=value or name="quoted value" separated by commas. Quoted
// values are taken as they are (no backslash escapes), as clients send the uri unescaped.
std::map<std::string, std::string> ParseAuthParameters(std::string_view text);
std::string Md5Hex(std::string_view bytes);
bool Base64Decode(std::string_view text, std::string& bytes);

} // namespace kor::devicesim
