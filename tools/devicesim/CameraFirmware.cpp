#include "CameraFirmware.h"

#include "CameraTexts.h"

#include <charconv>

namespace kor::devicesim {

namespace {

constexpr int kPortCount = 8;

DeviceReply Text(std::string body, int status = 200)
{
    DeviceReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

bool ReadPort(std::string_view text, int& port)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), port);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && port >= 1 &&
           port <= kPortCount;
}

} // namespace

CameraFirmware::CameraFirmware(const SimOptions& options, Detector& detector)
    : m_options(options), m_detector(detector)
{}

void CameraFirmware::SetRestartHandler(std::function<void()> handler)
{
    m_restartHandler = std::move(handler);
}

bool CameraFirmware::Answer(const DeviceRequest& request, DeviceReply& reply)
{
    const std::string& path = request.path;
    if (path == "/" || path == "/index.html") {
        reply = Text(IndexPage(m_options));
        reply.contentType = "text/html";
    } else if (path == "/axis-cgi/admin/serverreport.cgi") {
        reply = Text(ServerReport(m_options));
    } else if (path == "/axis-cgi/admin/restart.cgi") {
        reply = Restart();
    } else if (path == "/axis-cgi/operator/param.cgi" || path == "/axis-cgi/admin/param.cgi") {
        reply = Parameters(request);
    } else if (path == "/axis-cgi/io/output.cgi") {
        reply = Output(request);
    } else if (path == "/axis-cgi/io/input.cgi") {
        reply = Input(request);
    } else if (path == "/axis-cgi/com/ptz.cgi") {
        reply = Ptz(request);
    } else {
        return false;
    }
    return true;
}

DeviceReply CameraFirmware::Output(const DeviceRequest& request)
{
    // action=<port>:<pattern>; the pattern's "\" may come raw or as %5C.
    const auto query = ParseQuery(request.rawQuery);
    const std::string* action = QueryValue(query, "action");
    if (action == nullptr) {
        return Text("Error: no action\n", 400);
    }
    const std::size_t colon = action->find(':');
    int port = 0;
    if (colon == std::string::npos || !ReadPort(std::string_view(*action).substr(0, colon), port) ||
        colon + 1 == action->size()) {
        return Text("Error: bad action " + *action + "\n", 400);
    }
    m_detector.OnOutput(port, std::string_view(*action).substr(colon + 1));
    return Text("OK\n");
}

DeviceReply CameraFirmware::Input(const DeviceRequest& request)
{
    const auto query = ParseQuery(request.rawQuery);
    const std::string* check = QueryValue(query, "check");
    if (check == nullptr) {
        return Text("Error: no check\n", 400);
    }
    std::string body;
    std::string_view ports = *check;
    while (!ports.empty()) {
        const std::size_t comma = ports.find(',');
        const std::string_view item = ports.substr(0, comma);
        int port = 0;
        if (!ReadPort(item, port)) {
            return Text("Error: bad port " + std::string(item) + "\n", 400);
        }
        body += "input" + std::to_string(port) + "=" + std::to_string(m_detector.Input(port)) + "\n";
        ports = comma == std::string_view::npos ? std::string_view() : ports.substr(comma + 1);
    }
    return Text(body.empty() ? "Error: no port\n" : body, body.empty() ? 400 : 200);
}

DeviceReply CameraFirmware::Parameters(const DeviceRequest& request)
{
    const auto query = ParseQuery(request.rawQuery);
    const std::string* action = QueryValue(query, "action");
    const std::string* group = QueryValue(query, "group");
    if (action == nullptr || *action != "list") {
        return Text("# Error: only action=list is supported\n");
    }
    if (group == nullptr || group->empty()) {
        return Text("# Error: no group\n");
    }
    std::string body;
    std::string_view groups = *group;
    while (!groups.empty()) {
        const std::size_t comma = groups.find(',');
        body += ParameterList(m_options, groups.substr(0, comma));
        groups = comma == std::string_view::npos ? std::string_view() : groups.substr(comma + 1);
    }
    return Text(body);
}

DeviceReply CameraFirmware::Ptz(const DeviceRequest& request)
{
    const auto query = ParseQuery(request.rawQuery);
    const std::string* what = QueryValue(query, "query");
    if (what == nullptr || *what != "presetposall") {
        return Text("Error: only query=presetposall is supported\n");
    }
    int camera = 1;
    if (const std::string* number = QueryValue(query, "camera")) {
        const auto result = std::from_chars(number->data(), number->data() + number->size(), camera);
        if (result.ec != std::errc() || result.ptr != number->data() + number->size() || camera < 1 ||
            camera > m_options.channels) {
            return Text("Error: invalid camera " + *number + "\n");
        }
    }
    return Text(PresetList(m_options, camera));
}

DeviceReply CameraFirmware::Restart()
{
    DeviceReply reply = Text("OK\nRestarting the camera.\n");
    reply.afterSent = m_restartHandler;
    return reply;
}

} // namespace kor::devicesim
