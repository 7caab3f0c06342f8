#pragma once

#include "device/DeviceTarget.h"

#include <string>
#include <string_view>

namespace kor {

// A device request address. Text() is the plain concatenation "http://" [user ":" password "@"]
// [relay prefix] address [":" port] path-and-query, which is what logs and tests compare; the
// transport takes TransportUrl() (no credentials) and hands the credentials over separately, so a
// user name or password holding "@", ":", "/" or a blank reaches the camera intact.
class DeviceUrl
{
public:
    DeviceUrl() = default;

    // The general rule; the named constructors below choose the pieces per operation.
    static DeviceUrl Build(const DeviceTarget& target, bool withCredentials, bool withPort,
                           std::string_view pathAndQuery);

    // Device link run sequence.
    static DeviceUrl Identification(const DeviceTarget& target);
    static DeviceUrl Reachability(const DeviceTarget& target);
    static DeviceUrl UploadFirst(const DeviceTarget& target, int channelCount, int channel);
    static DeviceUrl UploadAppend(const DeviceTarget& target, int channelCount, int channel);
    static DeviceUrl BufferConfig(const DeviceTarget& target, int channelCount, int channel);
    static DeviceUrl TaskListUpload(const DeviceTarget& target);
    static DeviceUrl HomeFile(const DeviceTarget& target);
    // camera: the camera record's address, port and credentials; the credentials are written when
    // the device-access object holds a user name.
    static DeviceUrl TaskListRead(const DeviceTarget& camera, bool deviceUserNotEmpty);
    // Without relay the credentials are always written (even ":@"); through the relay never, but
    // they still answer the camera's challenge, as the authenticated session did.
    static DeviceUrl Restart(const DeviceTarget& target);
    static DeviceUrl ReadinessPoll(const DeviceTarget& target);
    // Stop of the I/O check program before the check of the device link (credentials when the
    // trimmed user name is not empty).
    static DeviceUrl StopCheck(const DeviceTarget& target);

    // Start-up loop check: credentials always, port always.
    static DeviceUrl StartupStopCheck(const DeviceTarget& target);
    // Output, input and preset-list requests; pathAndQuery comes from the device-access object.
    static DeviceUrl DeviceIo(const DeviceTarget& target, std::string_view pathAndQuery);

    // Configuration download: credentials when any is set, port unless it is 80, channel query on
    // multi-channel models.
    static DeviceUrl DownloadConfig(const DeviceTarget& target, int channelCount, int channel);
    static DeviceUrl DownloadSettings(const DeviceTarget& target, int channelCount, int channel);

    // Event source discovery (param.cgi queries).
    static DeviceUrl Discovery(const DeviceTarget& target, bool deviceUserNotEmpty,
                               std::string_view pathAndQuery);

    std::string Text() const;
    // The text with the password and the relay password replaced by asterisks, for logs.
    std::string MaskedText() const;
    // The address without credentials; only bytes that cannot stand in a request line (blanks,
    // control bytes, bytes above 127, "#") are percent-encoded, everything else travels as built.
    std::string TransportUrl() const;

    // A text (a transport's error message, say) with the password of the address's credential
    // part ("user:password") and the relay password of its relay query replaced by asterisks.
    std::string Redacted(std::string_view text) const;

    // Whether the text holds the credentials.
    bool HasCredentials() const { return m_withCredentials; }
    // Whether the transport answers an authentication challenge with them.
    bool SendsCredentials() const { return m_sendCredentials; }
    const std::string& User() const { return m_user; }
    const std::string& Password() const { return m_password; }
    const std::string& PathAndQuery() const { return m_pathAndQuery; }
    bool IsEmpty() const { return m_address.empty() && m_pathAndQuery.empty(); }

private:
    std::string Compose(bool withCredentials, bool masked) const;

    bool m_withCredentials = false;
    bool m_sendCredentials = false;
    std::string m_user;
    std::string m_password;
    bool m_relay = false;
    std::string m_relayHost;
    std::string m_relayPort;
    std::string m_relayPwd;
    std::string m_address;
    bool m_withPort = true;
    std::string m_portText;
    std::string m_pathAndQuery;
};

// The numeric value of a port text: 0 when it does not read as a number.
int PortValue(std::string_view portText);

} // namespace kor
