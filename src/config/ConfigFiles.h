#pragma once

#include "config/ConfigDocument.h"
#include "config/ConfigText.h"
#include "config/Result.h"

#include <QString>

#include <cstddef>
#include <string>

namespace kor {

// The largest configuration file read: far above the largest valid project (121 rules of many
// actions, a few megabytes), refused before it is read whole.
inline constexpr std::size_t kMaxConfigFileBytes = std::size_t{16} << 20;

// File name of the upload file in the work folder.
inline constexpr char kAlarmAppFileName[] = "alarm_app";

// Loads a project file, an upload file or a configuration text into the document (the caller
// resets it first). Fails for an unreadable or binary file, or a value that does not fit its field;
// what was read before the fault stays. The fault's line and whether anything was recognised go to
// detail when given.
Status LoadConfig(ConfigDocument& doc, const std::string& source, bool sourceIsText,
                  LoadResult* detail = nullptr);

// Writes the upload file into the work folder.
Status WriteAlarmAppFile(const ConfigDocument& doc, const QString& workFolder, const DeviceLine& device);

// Writes a project file, replacing the old one only once the new one is complete. The caller
// records the file name and the saved state on success.
Status SaveProjectFile(const ConfigDocument& doc, const QString& path);

} // namespace kor
