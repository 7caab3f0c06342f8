#pragma once

#include "app/CameraConfigRecord.h"
#include "config/ActionSummary.h"
#include "config/Result.h"

#include <QString>

#include <functional>
#include <string>

namespace kor {

class AppSession;

// The rules of the camera's history list in the device link screen, free of widgets.

// One line of the list: number, time, what happened (texts 1610-1612) and the firmware when known.
std::string HistoryRowText(const HistoryEntry& entry, const LangTextLookup& langText);

// What the list's commands may do with the selected entry (none: nothing selected).
struct HistoryCommands
{
    bool Compare = false;            // a configuration, against the open document
    bool Restore = false;            // a configuration, as the document
    bool RestoreSystemFiles = false; // system files, over FTP: a direct connection only

    bool operator==(const HistoryCommands&) const = default;
};
HistoryCommands HistoryCommandsFor(const HistoryEntry* selected, bool relayEnabled);

// The entry's configuration becomes the document, once the unsaved changes are kept or discarded
// (the usual question); it counts as unsaved and has no file yet. False when the user stopped.
Result<bool> LoadHistoryEntry(AppSession& session, const HistoryEntry& entry,
                              std::function<QString()> caption);

// The history kept under a work folder, as the device link keeps it.
CameraConfigRecord HistoryIn(const QString& workFolder);

} // namespace kor
