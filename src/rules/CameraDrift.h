#pragma once

#include "app/CameraConfigRecord.h"
#include "config/ConfigDocument.h"
#include "config/ConfigTextWriter.h"
#include "config/Result.h"
#include "device/DeviceUrl.h"
#include "device/HttpClient.h"
#include "rules/ConfigDiff.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// A configuration to compare: the document and, for an upload file or a camera's text, the device
// line.
struct CompareInput
{
    ConfigDocument Doc;
    std::optional<DeviceLine> Device;

    ConfigSide Side() const { return ConfigSide{&Doc, Device ? &*Device : nullptr}; }
};

// Reads a configuration text as the camera gives it (or as this tool kept it).
Status ReadCompareText(std::string_view text, CompareInput& input);

// The camera's configuration text as the download reads it, into doc when given (general settings
// included); "" when the camera holds no configuration. Blocking: on a worker in the window.
Result<std::string> ReadCameraText(HttpClient& http, const DeviceTarget& camera, int channelCount,
                                   int channel, ConfigDocument* doc = nullptr);

// What a camera holds now against what this tool last sent to it or read from it.
struct CameraDrift
{
    std::string CameraText;            // "" when the camera holds no configuration
    std::optional<std::string> Kept;   // none when nothing was kept for the camera yet
    std::vector<ConfigChange> Changes; // from the kept configuration to the camera's
    std::string Unreadable;            // why the two texts differ but one of them does not read

    // Someone changed the camera's configuration behind this tool's back. Texts that differ only
    // where the configurations do not (the order of the types, say) count as unchanged.
    bool Changed() const { return !Changes.empty() || !Unreadable.empty(); }
};

// Reads the camera's configuration and compares it with the newest one its history keeps: what a
// send asks about first, in the window and in korctl apply. Blocking.
Result<CameraDrift> ReadCameraDrift(HttpClient& http, const DeviceTarget& camera, int channelCount,
                                    int channel, const CameraConfigRecord& history, std::int32_t cameraId,
                                    const LangTextLookup& langText);

// The changes one a line, text 1210 when there are none.
std::string ChangeLines(const std::vector<ConfigChange>& changes, const LangTextLookup& langText);

} // namespace kor
