#include "outside/transport/CurlFtpClient.h"

#include "outside/transport/CurlGlobal.h"

#include "outside/transport/SystemClock.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace kor {

namespace {

constexpr long kConnectSeconds = 30;
constexpr long kStallSeconds = 30;
// Every operation ends within a limit, as the HTTP requests do; a transfer gets more for a large
// file: the floor plus the time the bytes take at a slow link's rate.
constexpr long kOperationFloorSeconds = 60;
constexpr std::size_t kSlowLinkBytesPerSecond = 16 * 1024;
// A server that answers endlessly (a greeting that never ends) fills no more than this.
constexpr std::size_t kMaxReplyText = 4096;

struct Sink
{
    std::string* Bytes = nullptr;
    bool TooLarge = false;
};

struct Source
{
    std::string_view Bytes;
    std::size_t Pos = 0;
};

std::size_t OnData(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const std::size_t n = size * count;
    if (!sink->Bytes)
        return n;
    if (sink->Bytes->size() + n > kMaxReplyBytes) {
        sink->TooLarge = true;
        return 0;
    }
    sink->Bytes->append(data, n);
    return n;
}

std::size_t OnRead(char* buffer, std::size_t size, std::size_t count, void* user)
{
    auto* source = static_cast<Source*>(user);
    const std::size_t n = std::min(size * count, source->Bytes.size() - source->Pos);
    std::memcpy(buffer, source->Bytes.data() + source->Pos, n);
    source->Pos += n;
    return n;
}

std::size_t OnResponse(char* data, std::size_t size, std::size_t count, void* user)
{
    static_cast<CurlFtpClient*>(user)->AppendResponse(std::string_view(data, size * count));
    return size * count;
}

CURL* Handle(void* p)
{
    return static_cast<CURL*>(p);
}

std::string EscapedName(CURL* curl, const std::string& name)
{
    char* escaped = curl_easy_escape(curl, name.data(), static_cast<int>(name.size()));
    std::string out = escaped ? escaped : "";
    curl_free(escaped);
    return out;
}

// Each path segment escaped; "%2F" first so that the path counts from the server's root.
std::string EscapedPath(CURL* curl, const std::string& path)
{
    std::string out = "%2F";
    std::size_t pos = 0;
    bool first = true;
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string segment = path.substr(pos, slash - pos);
        if (!segment.empty()) {
            if (!first)
                out += "/";
            out += EscapedName(curl, segment);
            first = false;
        }
        pos = slash + 1;
    }
    return out;
}

} // namespace

CurlFtpClient::CurlFtpClient()
{
    EnsureCurlInitialised();
}

CurlFtpClient::~CurlFtpClient()
{
    Close();
}

void CurlFtpClient::AppendResponse(std::string_view line)
{
    const bool coded = line.size() >= 4 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                       std::isdigit(static_cast<unsigned char>(line[1])) &&
                       std::isdigit(static_cast<unsigned char>(line[2]));
    // libcurl also passes lines of its own ("Content-Length: ..."); only the server's count.
    if (!coded && !m_inReply)
        return;
    if (!m_inReply) {
        m_lastText.clear();
        m_replyCode = std::string(line.substr(0, 3));
    }
    m_inReply = !(coded && line.substr(0, 3) == m_replyCode && line[3] != '-');
    if (m_lastText.size() >= kMaxReplyText)
        return;
    m_lastText.append(line.substr(0, kMaxReplyText - m_lastText.size()));
    if (m_lastText.size() >= kMaxReplyText)
        m_lastText += "\r\n[the rest of the reply was cut]\r\n";
}

std::string CurlFtpClient::DirUrl(const std::string& dir) const
{
    return "ftp://" + m_host + ":" + std::to_string(m_port) + "/" + EscapedPath(Handle(m_curl), dir) + "/";
}

Status CurlFtpClient::Perform(Kind kind, const std::string& url, const std::string& quote, std::string* in,
                              std::string_view out)
{
    CURL* curl = Handle(m_curl);
    m_lastText.clear();
    m_inReply = false;
    m_lastError = 0;
    m_lastErrorText.clear();
    if (!curl) {
        m_lastError = CURLE_FAILED_INIT;
        m_lastErrorText = "not connected";
        return Status::Fail(m_lastErrorText);
    }
    Sink sink{in, false};
    Source source{out, 0};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* quotes = quote.empty() ? nullptr : curl_slist_append(nullptr, quote.c_str());

    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    const long divisor = SystemClock::DivisorFromEnvironment();
    const long limitMs =
        (kOperationFloorSeconds * 1000 + static_cast<long>(out.size() * 1000 / kSlowLinkBytesPerSecond)) /
        divisor;
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kConnectSeconds * 1000 / divisor);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limitMs);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, std::max(1L, kStallSeconds / divisor));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max(1L, kStallSeconds / divisor));
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnResponse);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, OnRead);
    curl_easy_setopt(curl, CURLOPT_READDATA, &source);
    curl_easy_setopt(curl, CURLOPT_QUOTE, quotes);
    curl_easy_setopt(curl, CURLOPT_NOBODY, kind == Kind::Probe || kind == Kind::Quote ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, kind == Kind::Upload ? 1L : 0L);
    if (kind == Kind::Upload)
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(out.size()));

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_slist_free_all(quotes);

    long response = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
    m_lastCode = static_cast<int>(response);
    if (code == CURLE_OK)
        return Status::Ok();
    m_lastError = static_cast<int>(code);
    // The credentials reach libcurl apart from the address, so its texts never hold them.
    double seconds = 0;
    curl_easy_getinfo(curl, CURLINFO_TOTAL_TIME, &seconds);
    m_lastErrorText = sink.TooLarge ? "the file is larger than the transport accepts"
                      : code == CURLE_OPERATION_TIMEDOUT
                          ? "time-out: the FTP server did not answer or finish in time (gave up after " +
                                std::to_string(std::lround(seconds)) + " s)"
                      : std::strlen(errorBuffer) > 0 ? errorBuffer
                                                     : curl_easy_strerror(code);
    return Status::Fail(m_lastErrorText);
}

Status CurlFtpClient::Connect(const std::string& host, int port, const std::string& user,
                              const std::string& password)
{
    Close();
    m_curl = curl_easy_init();
    m_host = host;
    m_port = port;
    m_user = user;
    m_password = password;
    m_cwd = "/";
    Status connected = Perform(Kind::Probe, DirUrl("/"), {}, nullptr, {});
    m_connected = connected.ok();
    if (!m_connected)
        Close();
    return connected;
}

Status CurlFtpClient::ChangeDir(const std::string& path)
{
    if (!m_connected)
        return Status::Fail("not connected");
    Status changed = Perform(Kind::Probe, DirUrl(path), {}, nullptr, {});
    if (changed.ok())
        m_cwd = path;
    return changed;
}

Status CurlFtpClient::MakeDir(const std::string& path)
{
    if (!m_connected)
        return Status::Fail("not connected");
    return Perform(Kind::Quote, DirUrl("/"), "MKD " + path, nullptr, {});
}

Result<std::string> CurlFtpClient::Get(const std::string& name)
{
    if (!m_connected)
        return Status::Fail("not connected");
    std::string bytes;
    if (Status got =
            Perform(Kind::Download, DirUrl(m_cwd) + EscapedName(Handle(m_curl), name), {}, &bytes, {});
        got.failed())
        return got;
    return bytes;
}

Status CurlFtpClient::Put(const std::string& name, std::string_view bytes)
{
    if (!m_connected)
        return Status::Fail("not connected");
    return Perform(Kind::Upload, DirUrl(m_cwd) + EscapedName(Handle(m_curl), name), {}, nullptr, bytes);
}

Status CurlFtpClient::Command(const std::string& command)
{
    if (!m_connected)
        return Status::Fail("not connected");
    return Perform(Kind::Quote, DirUrl("/"), command, nullptr, {});
}

void CurlFtpClient::Close()
{
    if (m_curl)
        curl_easy_cleanup(Handle(m_curl));
    m_curl = nullptr;
    m_connected = false;
}

} // namespace kor
