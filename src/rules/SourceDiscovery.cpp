#include "rules/SourceDiscovery.h"

#include "app/Language.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"

namespace kor {

namespace {

constexpr int kTimeoutSeconds = 30;
// Windows 0..18 of the device; its twentieth window has no rule.
constexpr int kMotionWindows = 19;

const char kMotionPath[] = "/axis-cgi/operator/param.cgi?action=list&group=Motion";

struct OtherQuestion
{
    const char* Path;
    const char* Needle;
    int TextId; // 0: the fixed text below
    const char* FixedText;
    int Image;
    const char* Tag;
};

const OtherQuestion kOtherQuestions[] = {
    {"/axis-cgi/operator/param.cgi?action=list&group=root.Audio.A0", "Audio.A0.AlarmLevel=", 0, "Audio", 12,
     "OTHC100"},
    {"/axis-cgi/operator/param.cgi?action=list&group=root.Properties.Tampering",
     "Properties.Tampering.Tampering=yes", 0, "Tampering", 13, "OTHC101"},
    {"/axis-cgi/operator/param.cgi?action=list&group=root.Properties.TemperatureSensor",
     "Properties.TemperatureSensor.TemperatureSensor=yes", LangTextId(407), nullptr, 14, "OTHC102"},
};

// Lines split at LF. A CR ending a line is dropped, so that a reply with CR LF line ends gives the
// same names and image sources.
std::vector<std::string_view> Lines(std::string_view reply)
{
    std::vector<std::string_view> lines;
    while (!reply.empty()) {
        const std::size_t lf = reply.find('\n');
        std::string_view line = reply.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos)
            break;
        reply.remove_prefix(lf + 1);
    }
    return lines;
}

} // namespace

std::vector<SourceItem> MotionWindowItems(std::string_view reply, int channelCount, int channel)
{
    const std::vector<std::string_view> lines = Lines(reply);
    std::vector<SourceItem> items;
    for (int n = 1; n <= kMotionWindows; ++n) {
        const std::string window = "Motion.M" + std::to_string(n - 1) + ".";
        const std::string nameKey = window + "Name=";
        std::size_t at = 0;
        while (at < lines.size() && lines[at].find(nameKey) == std::string_view::npos)
            ++at;
        if (at == lines.size())
            continue;
        if (channelCount >= 2) {
            if (at + 1 >= lines.size())
                continue;
            const std::string_view next = lines[at + 1];
            if (next.find(window + "ImageSource=") == std::string_view::npos ||
                ValueAfterEquals(next) != std::to_string(channel - 1))
                continue;
        }
        const QString name = FromCp1252(ValueAfterEquals(lines[at]));
        items.push_back({LangText(319) + u' ' + QString::number(n) + QStringLiteral(" (") + name + u')', 6,
                         "SDMC" + std::to_string(69 + n)});
    }
    return items;
}

std::vector<std::string> DiscoveryPaths(std::string_view code)
{
    if (code == "SDMC")
        return {kMotionPath};
    if (code == "OTHC") {
        std::vector<std::string> paths;
        for (const OtherQuestion& question : kOtherQuestions)
            paths.emplace_back(question.Path);
        return paths;
    }
    return {};
}

std::vector<SourceItem> OtherSourceItems(int question, std::string_view reply)
{
    if (question < 0 || question >= static_cast<int>(std::size(kOtherQuestions)))
        return {};
    const OtherQuestion& q = kOtherQuestions[question];
    if (reply.find(q.Needle) == std::string_view::npos)
        return {};
    const QString text = q.FixedText ? QLatin1String(q.FixedText) : LangText(q.TextId);
    return {SourceItem{text, q.Image, q.Tag}};
}

DiscoveryResult DiscoverSources(std::string_view code, HttpClient& http, const DiscoveryTarget& target)
{
    DiscoveryResult result;
    const std::vector<std::string> paths = DiscoveryPaths(code);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const DeviceUrl url = DeviceUrl::Discovery(target.Camera, target.DeviceUserNotEmpty, paths[i]);
        const HttpResponse reply = http.Get(url, kTimeoutSeconds);
        if (reply.FailedState()) {
            result.Failed = true;
            result.ErrorText = reply.Completed()
                                   ? "HTTP " + std::to_string(reply.Status) + " " + reply.StatusText
                                   : url.Redacted(reply.ErrorText);
            break;
        }
        const std::vector<SourceItem> found =
            code == "SDMC" ? MotionWindowItems(reply.Body, target.ChannelCount, target.Channel)
                           : OtherSourceItems(static_cast<int>(i), reply.Body);
        result.Items.insert(result.Items.end(), found.begin(), found.end());
    }
    return result;
}

} // namespace kor
