#include "device/DeviceUrl.h"

#include "config/TextNumber.h"

namespace kor {

namespace {

constexpr std::string_view kRecordings = "/cgi-bin/recordings/";
constexpr std::string_view kMask = "********";

bool AnyCredential(const DeviceTarget& t)
{
    return !t.User.empty() || !t.Password.empty();
}

bool PortIsNot80(const DeviceTarget& t)
{
    return PortValue(t.PortText) != 80;
}

std::string TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string ChannelQuery(int channelCount, int channel)
{
    return channelCount >= 2 ? "?" + DecimalText(channel) : std::string();
}

} // namespace

int PortValue(std::string_view portText)
{
    const auto value = ReadNumber(portText);
    if (!value || *value < 0 || *value > 65535)
        return 0;
    return static_cast<int>(*value);
}

DeviceUrl DeviceUrl::Build(const DeviceTarget& target, bool withCredentials, bool withPort,
                           std::string_view pathAndQuery)
{
    DeviceUrl url;
    url.m_withCredentials = withCredentials;
    url.m_sendCredentials = withCredentials;
    url.m_user = target.User;
    url.m_password = target.Password;
    url.m_relay = target.Relay.Enabled;
    url.m_relayHost = target.Relay.Host;
    url.m_relayPort = DecimalText(target.Relay.Port);
    url.m_relayPwd = target.Relay.Pwd;
    url.m_address = target.Address;
    url.m_withPort = withPort;
    url.m_portText = target.PortText;
    url.m_pathAndQuery = std::string(pathAndQuery);
    return url;
}

DeviceUrl DeviceUrl::Identification(const DeviceTarget& t)
{
    return Build(t, AnyCredential(t), PortIsNot80(t), "/axis-cgi/admin/serverreport.cgi");
}

DeviceUrl DeviceUrl::Reachability(const DeviceTarget& t)
{
    return Build(t, AnyCredential(t), true, "");
}

DeviceUrl DeviceUrl::UploadFirst(const DeviceTarget& t, int channelCount, int channel)
{
    return Build(t, AnyCredential(t), true,
                 std::string(kRecordings) + "setaapp.cgi" + ChannelQuery(channelCount, channel));
}

DeviceUrl DeviceUrl::UploadAppend(const DeviceTarget& t, int channelCount, int channel)
{
    return Build(t, AnyCredential(t), true,
                 std::string(kRecordings) + "appendaapp.cgi" + ChannelQuery(channelCount, channel));
}

DeviceUrl DeviceUrl::BufferConfig(const DeviceTarget& t, int channelCount, int channel)
{
    return Build(t, AnyCredential(t), true,
                 std::string(kRecordings) + "setconfig.cgi" + ChannelQuery(channelCount, channel));
}

DeviceUrl DeviceUrl::TaskListUpload(const DeviceTarget& t)
{
    return Build(t, AnyCredential(t), PortIsNot80(t), std::string(kRecordings) + "settasklist.cgi");
}

DeviceUrl DeviceUrl::HomeFile(const DeviceTarget& t)
{
    return Build(t, AnyCredential(t), PortIsNot80(t), std::string(kRecordings) + "setmovetohomed.cgi");
}

DeviceUrl DeviceUrl::TaskListRead(const DeviceTarget& camera, bool deviceUserNotEmpty)
{
    return Build(camera, deviceUserNotEmpty, true, std::string(kRecordings) + "gettasklist.cgi");
}

DeviceUrl DeviceUrl::Restart(const DeviceTarget& t)
{
    DeviceUrl url = Build(t, !t.Relay.Enabled, true, "/axis-cgi/admin/restart.cgi");
    url.m_sendCredentials = true;
    return url;
}

DeviceUrl DeviceUrl::ReadinessPoll(const DeviceTarget& t)
{
    return Build(t, AnyCredential(t), true, "");
}

DeviceUrl DeviceUrl::StopCheck(const DeviceTarget& t)
{
    return Build(t, !TrimBlanks(t.User).empty(), true, std::string(kRecordings) + "stopchkiod.cgi");
}

DeviceUrl DeviceUrl::StartupStopCheck(const DeviceTarget& t)
{
    return Build(t, true, true, std::string(kRecordings) + "stopchkiod.cgi");
}

DeviceUrl DeviceUrl::DeviceIo(const DeviceTarget& t, std::string_view pathAndQuery)
{
    return Build(t, AnyCredential(t), true, pathAndQuery);
}

DeviceUrl DeviceUrl::DownloadConfig(const DeviceTarget& t, int channelCount, int channel)
{
    return Build(t, AnyCredential(t), PortIsNot80(t),
                 std::string(kRecordings) + "getaapp.cgi" +
                     (channelCount > 1 ? "?" + DecimalText(channel) : ""));
}

DeviceUrl DeviceUrl::DownloadSettings(const DeviceTarget& t, int channelCount, int channel)
{
    return Build(t, AnyCredential(t), PortIsNot80(t),
                 std::string(kRecordings) + "getconfig.cgi" +
                     (channelCount > 1 ? "?" + DecimalText(channel) : ""));
}

DeviceUrl DeviceUrl::Discovery(const DeviceTarget& t, bool deviceUserNotEmpty, std::string_view pathAndQuery)
{
    return Build(t, deviceUserNotEmpty, true, pathAndQuery);
}

std::string DeviceUrl::Compose(bool withCredentials, bool masked) const
{
    std::string text = "http://";
    if (withCredentials)
        text += m_user + ":" + (masked && !m_password.empty() ? std::string(kMask) : m_password) + "@";
    if (m_relay) {
        text += m_relayHost + ":" + m_relayPort +
                "/query.cgi?pwd=" + (masked && !m_relayPwd.empty() ? std::string(kMask) : m_relayPwd) +
                "&URL=http://";
    }
    text += m_address;
    if (m_withPort)
        text += ":" + m_portText;
    text += m_pathAndQuery;
    return text;
}

std::string DeviceUrl::Text() const
{
    return Compose(m_withCredentials, false);
}

std::string DeviceUrl::MaskedText() const
{
    return Compose(m_withCredentials, true);
}

namespace {

void ReplaceAll(std::string& text, const std::string& piece, const std::string& by)
{
    for (std::size_t pos = text.find(piece); pos != std::string::npos;
         pos = text.find(piece, pos + by.size()))
        text.replace(pos, piece.size(), by);
}

} // namespace

std::string DeviceUrl::Redacted(std::string_view text) const
{
    // Only where a password stands as a credential: on its own it may be an ordinary word of the
    // text ("pass" in "password").
    std::string out(text);
    if (!m_password.empty()) {
        if (m_user.empty())
            ReplaceAll(out, ":" + m_password + "@", ":" + std::string(kMask) + "@");
        else
            ReplaceAll(out, m_user + ":" + m_password, m_user + ":" + std::string(kMask));
    }
    if (!m_relayPwd.empty())
        ReplaceAll(out, "pwd=" + m_relayPwd, "pwd=" + std::string(kMask));
    return out;
}

std::string DeviceUrl::TransportUrl() const
{
    static const char hex[] = "0123456789ABCDEF";
    const std::string plain = Compose(false, false);
    std::string out;
    out.reserve(plain.size());
    for (const char ch : plain) {
        const auto b = static_cast<unsigned char>(ch);
        if (b <= 0x20 || b >= 0x7F || ch == '#') {
            out.push_back('%');
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

} // namespace kor
