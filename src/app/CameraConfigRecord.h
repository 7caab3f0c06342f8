#pragma once

#include "config/Result.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// What put an entry into a camera's history.
enum class HistoryOperation
{
    Read,       // the configuration as read from the camera
    Sent,       // the configuration the camera kept after an upload
    SystemFiles // the start-up table and web-server configuration before an installation patched them
};

struct HistoryEntry
{
    int Number = 0;   // stable: later entries get higher numbers, pruning renumbers nothing
    std::string Time; // UTC, ISO 8601
    HistoryOperation Operation = HistoryOperation::Read;
    std::string ToolVersion;
    std::string Firmware; // empty when the operation did not learn it
    std::string Config;   // Read and Sent
    std::string Inittab;  // SystemFiles
    std::string BoaConf;  // SystemFiles
};

const char* OperationName(HistoryOperation operation);

// Every configuration this tool read from or sent to each camera, and every pair of system files
// fetched before an installation patched them, so that a later run can tell whether someone changed
// the camera behind its back and an installer can go back. One folder per camera under the per-user
// data folder, one file an entry; the texts hold device passwords, so the files are 0600 in 0700
// folders. The last kMaxEntries entries are kept, and always the newest entry of each kind: the
// newest system files are the only copy of what the last installation replaced.
class CameraConfigRecord
{
public:
    static constexpr int kMaxEntries = 50;

    // The folder "cameras" of the work folder.
    CameraConfigRecord();
    explicit CameraConfigRecord(QString folder) : m_folder(std::move(folder)) {}

    Status Remember(std::int32_t camera, HistoryOperation operation, std::string_view text,
                    const std::string& firmware = {}) const;
    Status KeepSystemFiles(std::int32_t camera, std::string_view inittab, std::string_view boaConf,
                           const std::string& firmware) const;
    // The configuration of the newest Read or Sent entry; none when nothing was kept yet.
    Result<std::optional<std::string>> Recall(std::int32_t camera) const;
    // Oldest first.
    Result<std::vector<HistoryEntry>> List(std::int32_t camera) const;
    Result<HistoryEntry> Entry(std::int32_t camera, int number) const;

private:
    QString FolderOf(std::int32_t camera) const;
    Status Add(std::int32_t camera, const HistoryEntry& entry) const;
    Status Prune(std::int32_t camera) const;

    QString m_folder;
};

// What the device link calls to keep the camera's system files before an installation patches them,
// in the history under the work folder.
std::function<Status(const std::string& inittab, const std::string& boaConf, const std::string& firmware)>
SystemFilesKeeper(const QString& workFolder, std::int32_t camera);

} // namespace kor
