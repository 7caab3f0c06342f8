#include "HttpAuth.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <random>

namespace kor::devicesim {

namespace {

constexpr std::size_t kNonceLimit = 512;

bool StartsWithNoCase(std::string_view text, std::string_view word)
{
    return text.size() >= word.size() &&
           std::equal(word.begin(), word.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string RandomHex(std::size_t bytes)
{
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes; ++i) {
        const auto value = static_cast<unsigned>(engine() & 0xFF);
        text.push_back(digits[value >> 4]);
        text.push_back(digits[value & 0xF]);
    }
    return text;
}

} // namespace

HttpAuth::HttpAuth(std::string user, std::string password, AuthScheme scheme, std::string realm)
    : m_user(std::move(user)), m_password(std::move(password)), m_scheme(scheme), m_realm(std::move(realm))
{}

bool HttpAuth::Required() const
{
    return !m_user.empty() || !m_password.empty();
}

bool HttpAuth::Check(std::string_view method, std::string_view authorization) const
{
    if (!Required()) {
        return true;
    }
    authorization = Trim(authorization);
    if (m_scheme != AuthScheme::Digest && StartsWithNoCase(authorization, "Basic ")) {
        return CheckBasic(Trim(authorization.substr(6)));
    }
    if (m_scheme != AuthScheme::Basic && StartsWithNoCase(authorization, "Digest ")) {
        return CheckDigest(method, authorization.substr(7));
    }
    return false;
}

std::vector<std::string> HttpAuth::Challenges()
{
    std::vector<std::string> challenges;
    if (m_scheme != AuthScheme::Basic) {
        const std::string nonce = RandomHex(16);
        {
            std::lock_guard lock(m_mutex);
            m_nonces.push_back(nonce);
            if (m_nonces.size() > kNonceLimit) {
                m_nonces.pop_front();
            }
        }
        challenges.push_back("Digest realm=\"" + m_realm + "\", nonce=\"" + nonce +
                             "\", algorithm=MD5, qop=\"auth\"");
    }
    if (m_scheme != AuthScheme::Digest) {
        challenges.push_back("Basic realm=\"" + m_realm + "\"");
    }
    return challenges;
}

bool HttpAuth::CheckBasic(std::string_view credentials) const
{
    std::string decoded;
    if (!Base64Decode(credentials, decoded)) {
        return false;
    }
    // The user name holds no colon; the password may.
    const std::size_t colon = decoded.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    return decoded.substr(0, colon) == m_user && decoded.substr(colon + 1) == m_password;
}

bool HttpAuth::CheckDigest(std::string_view method, std::string_view parameters) const
{
    const std::map<std::string, std::string> p = ParseAuthParameters(parameters);
    const auto get = [&p](const char* key) {
        const auto it = p.find(key);
        return it == p.end() ? std::string() : it->second;
    };
    const std::string nonce = get("nonce");
    if (get("username") != m_user || get("realm") != m_realm || nonce.empty() || !p.count("uri")) {
        return false;
    }
    {
        std::lock_guard lock(m_mutex);
        if (std::find(m_nonces.begin(), m_nonces.end(), nonce) == m_nonces.end()) {
            return false;
        }
    }
    const std::string algorithm = get("algorithm");
    std::string ha1 = Md5Hex(m_user + ":" + m_realm + ":" + m_password);
    if (StartsWithNoCase(algorithm, "MD5-sess")) {
        ha1 = Md5Hex(ha1 + ":" + nonce + ":" + get("cnonce"));
    } else if (!algorithm.empty() && !StartsWithNoCase(algorithm, "MD5")) {
        return false;
    }
    // The uri field is hashed as sent; it is not compared with the request line, so that a request
    // forwarded by the relay server still authenticates.
    const std::string ha2 = Md5Hex(std::string(method) + ":" + get("uri"));
    const std::string qop = get("qop");
    std::string expected;
    if (qop.empty()) {
        expected = Md5Hex(ha1 + ":" + nonce + ":" + ha2);
    } else if (qop == "auth") {
        expected = Md5Hex(ha1 + ":" + nonce + ":" + get("nc") + ":" + get("cnonce") + ":" + qop + ":" + ha2);
    } else {
        return false;
    }
    std::string response = get("response");
    std::transform(response.begin(), response.end(), response.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return response == expected;
}

std::map<std::string, std::string> ParseAuthParameters(std::string_view text)
{
    std::map<std::string, std::string> parameters;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == ',')) {
            ++i;
        }
        const std::size_t nameStart = i;
        while (i < text.size() && text[i] != '=' && text[i] != ',') {
            ++i;
        }
        std::string name(Trim(text.substr(nameStart, i - nameStart)));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        std::string value;
        if (i < text.size() && text[i] == '=') {
            ++i;
            while (i < text.size() && text[i] == ' ') {
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                // Clients do not escape the uri (libcurl sends a "\" of a pulse pattern as it is), so
                // the closing quote is the one followed by a comma or the end, and nothing is unescaped.
                ++i;
                const std::size_t valueStart = i;
                std::size_t close = std::string_view::npos;
                for (std::size_t q = text.find('"', i); q != std::string_view::npos;
                     q = text.find('"', q + 1)) {
                    std::size_t after = q + 1;
                    while (after < text.size() && (text[after] == ' ' || text[after] == '\t')) {
                        ++after;
                    }
                    if (after == text.size() || text[after] == ',') {
                        close = q;
                        break;
                    }
                }
                if (close == std::string_view::npos) {
                    close = text.size();
                }
                value = std::string(text.substr(valueStart, close - valueStart));
                i = close + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < text.size() && text[i] != ',') {
                    ++i;
                }
                value = std::string(Trim(text.substr(valueStart, i - valueStart)));
            }
        }
        if (!name.empty()) {
            parameters[name] = value;
        }
    }
    return parameters;
}

std::string Md5Hex(std::string_view bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr);
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text.push_back(digits[digest[i] >> 4]);
        text.push_back(digits[digest[i] & 0xF]);
    }
    return text;
}

bool Base64Decode(std::string_view text, std::string& bytes)
{
    bytes.clear();
    unsigned buffer = 0;
    int bits = 0;
    std::size_t padding = 0;
    for (char c : text) {
        int value = 0;
        if (c >= 'A' && c <= 'Z') {
            value = c - 'A';
        } else if (c >= 'a' && c <= 'z') {
            value = c - 'a' + 26;
        } else if (c >= '0' && c <= '9') {
            value = c - '0' + 52;
        } else if (c == '+') {
            value = 62;
        } else if (c == '/') {
            value = 63;
        } else if (c == '=') {
            ++padding;
            continue;
        } else {
            return false;
        }
        if (padding > 0) {
            return false; // data after padding
        }
        buffer = (buffer << 6) | static_cast<unsigned>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    return padding <= 2;
}

} // namespace kor::devicesim
