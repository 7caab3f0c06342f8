#include "rules/CameraDrift.h"

#include "config/ConfigText.h"
#include "device/DeviceDownload.h"

namespace kor {

Status ReadCompareText(std::string_view text, CompareInput& input)
{
    input.Doc.ResetConfig();
    input.Doc.InputOneAsSensor = 1;
    const LoadResult read = ParseConfigText(input.Doc, text);
    if (read.Outcome.failed())
        return Status::Fail("line " + std::to_string(read.Line) + ": " + read.Outcome.reason());
    input.Device = ReadDeviceLine(text);
    return Status::Ok();
}

Result<std::string> ReadCameraText(HttpClient& http, const DeviceTarget& camera, int channelCount,
                                   int channel, ConfigDocument* doc)
{
    ConfigDocument scratch;
    ConfigDocument& into = doc ? *doc : scratch;
    into.InitialiseForStartUp(1);
    const DownloadResult result = DownloadFromDevice(into, http, camera, channelCount, channel);
    if (result.Outcome == DownloadOutcome::NoConfiguration) {
        into.ResetConfig();
        return std::string();
    }
    if (!result.ConfigLoaded) {
        std::string reason = "the camera's configuration could not be read";
        if (!result.ErrorText.empty())
            reason += " (" + result.ErrorText + ")";
        return Status::Fail(reason);
    }
    if (result.Load.Outcome.failed())
        return Status::Fail("the camera's configuration is damaged at line " +
                            std::to_string(result.Load.Line) + ": " + result.Load.Outcome.reason());
    return result.ConfigText;
}

Result<CameraDrift> ReadCameraDrift(HttpClient& http, const DeviceTarget& camera, int channelCount,
                                    int channel, const CameraConfigRecord& history, std::int32_t cameraId,
                                    const LangTextLookup& langText)
{
    CameraDrift drift;
    Result<std::string> text = ReadCameraText(http, camera, channelCount, channel);
    if (text.failed())
        return text.status();
    drift.CameraText = std::move(*text);
    Result<std::optional<std::string>> kept = history.Recall(cameraId);
    if (kept.failed())
        return kept.status();
    drift.Kept = std::move(*kept);
    if (!drift.Kept || SameConfigurationText(*drift.Kept, drift.CameraText))
        return drift;
    CompareInput before;
    CompareInput now;
    if (const Status read = ReadCompareText(*drift.Kept, before); read.failed())
        drift.Unreadable = "the kept configuration does not read: " + read.reason();
    else if (const Status current = ReadCompareText(drift.CameraText, now); current.failed())
        drift.Unreadable = "the camera's configuration does not read: " + current.reason();
    else
        drift.Changes = DiffConfigs(before.Side(), now.Side(), langText);
    return drift;
}

std::string ChangeLines(const std::vector<ConfigChange>& changes, const LangTextLookup& langText)
{
    if (changes.empty())
        return langText(1210);
    std::string lines;
    for (const ConfigChange& c : changes)
        lines += (lines.empty() ? "" : "\n") + c.Text;
    return lines;
}

} // namespace kor
