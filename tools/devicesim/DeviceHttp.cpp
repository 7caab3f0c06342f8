#include "DeviceHttp.h"

#include "CameraTexts.h"
#include "RelayForward.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace kor::devicesim {

namespace {

constexpr std::size_t kMebibyte = 1024 * 1024;
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kPadding =
    "# padding of an oversized reply ..............................\n"; // 64 bytes

bool IsRelayPath(const SimOptions& options, const DeviceRequest& request)
{
    return options.relay && request.path == "/query.cgi";
}

} // namespace

std::string DecodePath(std::string_view rawPath)
{
    return PercentDecode(rawPath);
}

DeviceHttp::DeviceHttp(const SimOptions& options, CameraFirmware& firmware, AlarmApplication& application,
                       HttpAuth& auth, RequestLog& log)
    : m_options(options), m_firmware(firmware), m_application(application), m_auth(auth), m_log(log)
{}

void DeviceHttp::SetInstalled(bool installed)
{
    m_installed = installed;
}

bool DeviceHttp::Installed() const
{
    return m_installed;
}

void DeviceHttp::ReleaseWaiting()
{
    {
        std::lock_guard lock(m_waitMutex);
        m_released = true;
    }
    m_waitCondition.notify_all();
    std::lock_guard lock(m_relayMutex);
    for (httplib::Client* client : m_relayClients) {
        client->stop();
    }
}

void DeviceHttp::Resume()
{
    std::lock_guard lock(m_waitMutex);
    m_released = false;
}

bool DeviceHttp::Wait(long long milliseconds)
{
    std::unique_lock lock(m_waitMutex);
    // Requests still queued when the camera goes away are released at once, not held for ever.
    const auto released = [&] { return m_released; };
    if (milliseconds > 0) {
        return !m_waitCondition.wait_for(lock, std::chrono::milliseconds(milliseconds), released);
    }
    m_waitCondition.wait(lock, released);
    return false;
}

bool DeviceHttp::RelayPasswordMatches(const DeviceRequest& request) const
{
    std::string password;
    RelayTarget target;
    if (ParseRelayQuery(request.rawQuery, password, target).failed()) {
        return false;
    }
    return password == m_options.relayPassword || PercentDecode(password) == m_options.relayPassword;
}

void DeviceHttp::Handle(const httplib::Request& httpRequest, httplib::Response& response)
{
    DeviceRequest request;
    request.method = httpRequest.method;
    const std::size_t question = httpRequest.target.find('?');
    request.rawPath = httpRequest.target.substr(0, question);
    request.rawQuery =
        question == std::string::npos ? std::string() : httpRequest.target.substr(question + 1);
    request.path = DecodePath(request.rawPath);
    request.body = httpRequest.body;
    request.authorization = httpRequest.get_header_value("Authorization");
    request.contentType = httpRequest.get_header_value("Content-Type");

    const bool authOk = IsRelayPath(m_options, request) ? RelayPasswordMatches(request)
                                                        : m_auth.Check(request.method, request.authorization);
    m_log.Add(request.method, request.rawPath, request.rawQuery, request.body.size(), authOk);

    const long long count = ++m_requestCount;
    if (const Fault* stop = m_options.FindFault(Fault::Kind::StopAfter, request.path);
        stop && count > stop->value) {
        Wait(0); // never answered while the camera runs
        response.status = 503;
        return;
    }
    if (const Fault* delay = m_options.FindFault(Fault::Kind::Delay, request.path)) {
        if (!Wait(delay->value)) {
            response.status = 503;
            return;
        }
    }
    Send(request, Answer(request, authOk), response);
}

DeviceReply DeviceHttp::Answer(const DeviceRequest& request, bool authOk)
{
    if (IsRelayPath(m_options, request)) {
        return Relay(request);
    }
    if (!authOk) {
        DeviceReply reply = ErrorReply(401, request.rawPath);
        for (std::string& challenge : m_auth.Challenges()) {
            reply.headers.emplace_back("WWW-Authenticate", std::move(challenge));
        }
        return reply;
    }
    if (const Fault* status = m_options.FindFault(Fault::Kind::Status, request.path)) {
        return ErrorReply(static_cast<int>(status->value), request.rawPath);
    }
    if (request.path.starts_with(AlarmApplication::kPrefix)) {
        if (!m_installed) {
            return ErrorReply(404, request.rawPath);
        }
        return m_application.Answer(request);
    }
    if (request.method != "GET" && request.method != "HEAD" && request.method != "POST") {
        return ErrorReply(405, request.rawPath);
    }
    DeviceReply reply;
    if (!m_firmware.Answer(request, reply)) {
        return ErrorReply(404, request.rawPath);
    }
    return reply;
}

DeviceReply DeviceHttp::Relay(const DeviceRequest& request)
{
    std::string password;
    RelayTarget target;
    DeviceReply reply;
    if (const Status parsed = ParseRelayQuery(request.rawQuery, password, target); parsed.failed()) {
        reply.status = 400;
        reply.body = "Error: " + parsed.reason() + "\n";
        return reply;
    }
    if (password != m_options.relayPassword && PercentDecode(password) != m_options.relayPassword) {
        reply.status = 403;
        reply.body = "Error: wrong relay password\n";
        return reply;
    }
    if (!IsLoopbackAddress(target.host)) {
        reply.status = 403;
        reply.body =
            "Error: the relay forwards only to loopback addresses (127.x.x.x), not " + target.host + "\n";
        return reply;
    }
    ForwardedReply forwarded =
        ForwardRequest(target, request.method, request.authorization, request.contentType, request.body,
                       [this](httplib::Client* client, bool active) {
                           std::lock_guard lock(m_relayMutex);
                           if (active) {
                               m_relayClients.insert(client);
                               std::lock_guard waitLock(m_waitMutex);
                               if (m_released) {
                                   client->stop();
                               }
                           } else {
                               m_relayClients.erase(client);
                           }
                       });
    if (!forwarded.reached) {
        reply.status = 502;
        reply.body = "Error: device " + target.host + ":" + std::to_string(target.port) +
                     " does not answer: " + forwarded.error + "\n";
        return reply;
    }
    reply.status = forwarded.status;
    reply.body = std::move(forwarded.body);
    if (!forwarded.contentType.empty()) {
        reply.contentType = forwarded.contentType;
    }
    for (std::string& challenge : forwarded.challenges) {
        reply.headers.emplace_back("WWW-Authenticate", std::move(challenge));
    }
    return reply;
}

void DeviceHttp::Send(const DeviceRequest& request, DeviceReply reply, httplib::Response& response) const
{
    response.status = reply.status;
    response.set_header("Server", "Boa/0.94.13");
    for (const auto& [name, value] : reply.headers) {
        response.set_header(name, value);
    }
    const Fault* big = m_options.FindFault(Fault::Kind::BigReply, request.path);
    const Fault* close = m_options.FindFault(Fault::Kind::CloseAfter, request.path);
    if (big == nullptr && close == nullptr && !reply.afterSent) {
        response.set_content(reply.body, reply.contentType);
        return;
    }
    std::size_t length = reply.body.size();
    if (big != nullptr) {
        length = std::max(length, static_cast<std::size_t>(big->value) * kMebibyte);
    }
    const std::size_t cut = close != nullptr ? static_cast<std::size_t>(close->value) : length;
    auto body = std::make_shared<std::string>(std::move(reply.body));
    response.set_content_provider(
        length, reply.contentType,
        [body, length, cut](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset >= cut) {
                return false; // the connection closes mid-reply
            }
            const std::size_t end = std::min({offset + kChunk, length, cut});
            std::string piece;
            piece.reserve(end - offset);
            for (std::size_t at = offset; at < end; ++at) {
                piece.push_back(at < body->size() ? (*body)[at]
                                                  : kPadding[(at - body->size()) % kPadding.size()]);
            }
            return sink.write(piece.data(), piece.size());
        },
        [afterSent = std::move(reply.afterSent)](bool) {
            if (afterSent) {
                afterSent();
            }
        });
}

} // namespace kor::devicesim
