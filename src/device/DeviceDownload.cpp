#include "device/DeviceDownload.h"

#include "config/ConfigFiles.h"
#include "config/LangTextId.h"
#include "device/FirmwareRelease.h"

namespace kor {

namespace {

constexpr int kRequestSeconds = 30;

enum class Reply
{
    NotFound,
    Unauthorized,
    Unreachable,
    Empty,
    Text
};

// Besides the texts the camera's pages hold, the status line tells the same; any other error
// status is no configuration text either.
Reply Classify(const DeviceText& r)
{
    if (r.ResponseCode != 0)
        return Reply::Unreachable;
    if (FindNoCase(r.Text, "404 Not Found") != std::string::npos || r.Status == 404)
        return Reply::NotFound;
    if (FindNoCase(r.Text, "401 Unauthorized") != std::string::npos || r.Status == 401)
        return Reply::Unauthorized;
    if (r.ResponseCode != 0 || r.Status >= 400)
        return Reply::Unreachable;
    return r.Text.empty() ? Reply::Empty : Reply::Text;
}

} // namespace

DeviceText FetchDeviceText(HttpClient& http, const DeviceUrl& url, int timeoutSeconds)
{
    const HttpResponse r = http.Get(url, timeoutSeconds);
    DeviceText text;
    text.ResponseCode = r.Error;
    text.Status = r.Status;
    text.ErrorText = r.Error != 0 ? url.Redacted(r.ErrorText) : std::string();
    if (r.Completed())
        text.Text = r.Body;
    return text;
}

int DownloadMessageText(DownloadOutcome outcome)
{
    switch (outcome) {
    case DownloadOutcome::Loaded:
        return LangTextId(190);
    case DownloadOutcome::ConfigNotFound:
    case DownloadOutcome::SettingsNotFound:
        return LangTextId(185);
    case DownloadOutcome::ConfigUnauthorized:
    case DownloadOutcome::SettingsUnauthorized:
        return LangTextId(187);
    case DownloadOutcome::ConfigUnreachable:
        return LangTextId(184);
    case DownloadOutcome::NoConfiguration:
        return LangTextId(182);
    case DownloadOutcome::SettingsUnreachable:
    case DownloadOutcome::SettingsUnreadable:
        return LangTextId(189);
    case DownloadOutcome::NoGeneralSettings:
        return LangTextId(188);
    }
    return 0;
}

DownloadResult DownloadFromDevice(ConfigDocument& doc, HttpClient& http, const DeviceTarget& camera,
                                  int channelCount, int channel, const DownloadNotice& notice)
{
    DownloadResult result;
    auto finish = [&result](DownloadOutcome outcome, const DeviceText* reply) {
        result.Outcome = outcome;
        result.MessageText = DownloadMessageText(outcome);
        if (reply)
            result.ErrorText = reply->ErrorText;
        return result;
    };

    const DeviceText config =
        FetchDeviceText(http, DeviceUrl::DownloadConfig(camera, channelCount, channel), kRequestSeconds);
    switch (Classify(config)) {
    case Reply::NotFound:
        return finish(DownloadOutcome::ConfigNotFound, &config);
    case Reply::Unauthorized:
        return finish(DownloadOutcome::ConfigUnauthorized, &config);
    case Reply::Unreachable:
        return finish(DownloadOutcome::ConfigUnreachable, &config);
    case Reply::Empty:
        return finish(DownloadOutcome::NoConfiguration, &config);
    case Reply::Text:
        break;
    }
    doc.ResetConfig();
    if (notice)
        notice(LangTextId(313));
    // A damaged configuration is reported through result.Load; what was read before the fault stays.
    (void)LoadConfig(doc, config.Text, true, &result.Load);
    result.ConfigLoaded = true;
    result.ConfigText = config.Text;

    const DeviceText settings =
        FetchDeviceText(http, DeviceUrl::DownloadSettings(camera, channelCount, channel), kRequestSeconds);
    switch (Classify(settings)) {
    case Reply::NotFound:
        return finish(DownloadOutcome::SettingsNotFound, &settings);
    case Reply::Unauthorized:
        return finish(DownloadOutcome::SettingsUnauthorized, &settings);
    case Reply::Unreachable:
        return finish(DownloadOutcome::SettingsUnreachable, &settings);
    case Reply::Empty:
        return finish(DownloadOutcome::NoGeneralSettings, &settings);
    case Reply::Text:
        break;
    }
    // An answer that is not the settings text leaves defaults that a later send would push to the
    // camera: it counts as settings not read.
    if (ParseGetConfigText(doc.GeneralSettings, settings.Text) < kGetConfigFields)
        return finish(DownloadOutcome::SettingsUnreadable, nullptr);
    return finish(DownloadOutcome::Loaded, nullptr);
}

} // namespace kor
