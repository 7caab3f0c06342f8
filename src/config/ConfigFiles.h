#pragma once

#include "config/ConfigDocument.h"
#include "config/ConfigText.h"

#include <QString>

#include <string>

namespace kor {

// File name of the upload file in the work folder.
inline constexpr char kAlarmAppFileName[] = "alarm_app";

// Loads a project file, an upload file or a configuration text into the document (the caller
// resets it first). Returns true on failure: unreadable or binary file, or a value that does not
// fit its field; what was read before the fault stays. Details go to result when given.
bool LoadConfig(ConfigDocument& doc, const std::string& source, bool sourceIsText,
                LoadResult* result = nullptr);

// Writes the upload file into the work folder. Returns true on failure.
bool WriteAlarmAppFile(const ConfigDocument& doc, const QString& workFolder, const DeviceLine& device,
                       std::string* error = nullptr);

// Writes a project file, replacing the old one only once the new one is complete. Returns true on
// failure. The caller records the file name and the saved state on success.
bool SaveProjectFile(const ConfigDocument& doc, const QString& path, std::string* error = nullptr);

} // namespace kor
