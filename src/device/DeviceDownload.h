#pragma once

#include "config/ConfigDocument.h"
#include "config/ConfigText.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"

#include <functional>
#include <string>

namespace kor {

// How a download from the camera ended. The front ends turn each into its message.
enum class DownloadOutcome
{
    Loaded,               // configuration and general settings read (text 190)
    ConfigNotFound,       // getaapp.cgi: "404 Not Found" (185)
    ConfigUnauthorized,   // getaapp.cgi: "401 Unauthorized" (187)
    ConfigUnreachable,    // getaapp.cgi: no answer or an error answer (184)
    NoConfiguration,      // getaapp.cgi: empty, the camera holds no configuration (182)
    SettingsNotFound,     // getconfig.cgi: 185
    SettingsUnauthorized, // getconfig.cgi: 187
    SettingsUnreachable,  // getconfig.cgi: 189
    NoGeneralSettings,    // getconfig.cgi: empty (188)
    SettingsUnreadable,   // getconfig.cgi: an answer cut short or of another kind (189)
};

struct DownloadResult
{
    DownloadOutcome Outcome = DownloadOutcome::ConfigUnreachable;
    int MessageText = 0;       // the language text of the outcome's message
    bool ConfigLoaded = false; // the configuration text was read into the document
    LoadResult Load;           // how that read went
    std::string ConfigText;    // the configuration text as the camera gave it
    std::string ErrorText;     // the transport's reason for an unreachable camera, no credentials
};

// The reply of one synchronous request for a device text.
struct DeviceText
{
    std::string Text;
    int ResponseCode = 0; // 0 when the exchange completed
    long Status = 0;
    std::string ErrorText;
};

DeviceText FetchDeviceText(HttpClient& http, const DeviceUrl& url, int timeoutSeconds = 30);

// Tells the front end which language text its notice shows now; called on the download's thread.
using DownloadNotice = std::function<void(int text)>;

// Downloads the camera's configuration (getaapp.cgi) into the document, which is reset first, then
// its general settings (getconfig.cgi). Between the two the notice turns to text 313 while the
// configuration is read.
DownloadResult DownloadFromDevice(ConfigDocument& doc, HttpClient& http, const DeviceTarget& camera,
                                  int channelCount, int channel, const DownloadNotice& notice = {});

// The language text of an outcome's message and its icon kind (true = information).
int DownloadMessageText(DownloadOutcome outcome);

} // namespace kor
