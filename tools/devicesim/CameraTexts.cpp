#include "CameraTexts.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>

namespace kor::devicesim {

namespace {

std::string Hex2(unsigned value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

std::string MotionLines(const SimOptions& options)
{
    std::vector<MotionWindow> windows = options.motion;
    std::sort(windows.begin(), windows.end(),
              [](const MotionWindow& a, const MotionWindow& b) { return a.index < b.index; });
    std::string text;
    for (const MotionWindow& window : windows) {
        const std::string prefix = "root.Motion.M" + std::to_string(window.index) + ".";
        // The name line is followed by the image source line, which the tool relies on.
        text += prefix + "Name=" + window.name + "\n";
        text += prefix + "ImageSource=" + std::to_string(window.imageSource) + "\n";
        text += prefix + "Left=0\n";
        text += prefix + "Top=0\n";
        text += prefix + "Right=9999\n";
        text += prefix + "Bottom=9999\n";
        text += prefix + "WindowType=include\n";
        text += prefix + "Sensitivity=90\n";
        text += prefix + "History=90\n";
        text += prefix + "ObjectSize=15\n";
    }
    return text;
}

std::string GroupError(std::string_view group)
{
    return "# Error: Error -1 getting param in group '" + std::string(group) + "'\n";
}

} // namespace

std::string SerialNumber(const SimOptions& options)
{
    in_addr parsed{};
    inet_pton(AF_INET, options.address.c_str(), &parsed);
    const unsigned host = ntohl(parsed.s_addr);
    return "00408C" + Hex2(host >> 16) + Hex2(host >> 8) + Hex2(host);
}

std::string ServerReport(const SimOptions& options)
{
    std::string text;
    if (options.reportStyle == ReportStyle::Quoted) {
        text += "Server report, release \"" + options.model + " " + options.firmware + "\"\n";
    }
    text += " ----- " + options.model +
            " -----\n"
            "Product: " +
            options.model +
            "\n"
            "Serial number: " +
            SerialNumber(options) +
            "\n"
            "Firmware release: " +
            options.firmware +
            "\n"
            "Build date: Mar 12 2004\n"
            "Uptime: 0 days, 00:42:17\n"
            "\n"
            " ----- Parameters -----\n"
            "root.Brand.Brand=AXIS\n"
            "root.Brand.ProdShortName=" +
            options.model +
            "\n"
            "root.Properties.Firmware.Version=" +
            options.firmware +
            "\n"
            "root.ImageSource.NbrOfSources=" +
            std::to_string(options.channels) +
            "\n"
            "root.Network.IPAddress=" +
            options.address +
            "\n"
            "\n"
            " ----- Processes -----\n"
            "  PID  Uid     VmSize Stat Command\n"
            "    1 root        340 S   init\n"
            "   41 root        812 S   /bin/boa -c /etc/httpd/conf\n"
            "   44 root        420 S   /bin/ftpd\n";
    return text;
}

std::string ParameterList(const SimOptions& options, std::string_view group)
{
    std::string_view name = group;
    if (name.starts_with("root.")) {
        name.remove_prefix(5);
    }
    if (name == "Motion") {
        return MotionLines(options);
    }
    if (name == "Audio" || name == "Audio.A0") {
        if (!options.audio) {
            return GroupError(group);
        }
        return "root.Audio.A0.Enabled=yes\n"
               "root.Audio.A0.AlarmLevel=50\n"
               "root.Audio.A0.AlarmMode=above\n";
    }
    if (name == "Properties.Tampering") {
        return std::string("root.Properties.Tampering.Tampering=") + (options.tampering ? "yes" : "no") +
               "\n";
    }
    if (name == "Properties.TemperatureSensor") {
        return std::string("root.Properties.TemperatureSensor.TemperatureSensor=") +
               (options.temperature ? "yes" : "no") + "\n";
    }
    if (name == "Brand") {
        return "root.Brand.Brand=AXIS\nroot.Brand.ProdShortName=" + options.model + "\n";
    }
    if (name == "ImageSource") {
        return "root.ImageSource.NbrOfSources=" + std::to_string(options.channels) + "\n";
    }
    return GroupError(group);
}

std::string PresetList(const SimOptions& options, int camera)
{
    std::string text = "Preset Positions for camera " + std::to_string(camera) + "\n";
    for (const Preset& preset : options.presets) {
        text += "presetposno" + std::to_string(preset.number) + "=" + preset.name + "\n";
    }
    return text;
}

std::string IndexPage(const SimOptions& options)
{
    return "<html><head><title>" + options.model + "</title></head>\n<body><h1>" + options.model +
           " Network Camera</h1>\n</body></html>\n";
}

std::string ReasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        break;
    }
    return status >= 500 ? "Server Error" : "Client Error";
}

std::string ErrorPage(int status, std::string_view path)
{
    const std::string title = std::to_string(status) + " " + ReasonPhrase(status);
    std::string explanation;
    switch (status) {
    case 401:
        explanation =
            "Your client does not have permission to get URL " + std::string(path) + " from this server.";
        break;
    case 404:
        explanation = "The requested URL " + std::string(path) + " was not found on this server.";
        break;
    default:
        explanation = "The server could not complete the request for " + std::string(path) + ".";
        break;
    }
    return "<HTML><HEAD><TITLE>" + title + "</TITLE></HEAD>\n<BODY><H1>" + title + "</H1>\n" + explanation +
           "\n</BODY></HTML>\n";
}

} // namespace kor::devicesim
