#pragma once

#include "config/Result.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kor {

// The configuration text this tool last sent to or read from each camera, so that a later run can
// tell whether someone changed the camera behind its back. One file per camera under the per-user
// data folder; the texts hold device passwords, so the files are 0600 in a 0700 folder.
class CameraConfigRecord
{
public:
    // The folder "cameras" of the work folder.
    CameraConfigRecord();
    explicit CameraConfigRecord(QString folder) : m_folder(std::move(folder)) {}

    Status Remember(std::int32_t camera, std::string_view text) const;
    // None when nothing was kept for the camera yet.
    Result<std::optional<std::string>> Recall(std::int32_t camera) const;

private:
    QString FileOf(std::int32_t camera) const;

    QString m_folder;
};

} // namespace kor
