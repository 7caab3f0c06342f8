#include "app/HistoryForm.h"

#include "app/AppSession.h"
#include "app/ProjectFiles.h"
#include "config/ConfigText.h"

#include <QDir>

namespace kor {

std::string HistoryRowText(const HistoryEntry& entry, const LangTextLookup& langText)
{
    const int operation = entry.Operation == HistoryOperation::Read   ? 1610
                          : entry.Operation == HistoryOperation::Sent ? 1611
                                                                      : 1612;
    std::string row = std::to_string(entry.Number) + "  " + entry.Time + "  " + langText(operation);
    if (!entry.Firmware.empty())
        row += "  " + entry.Firmware;
    return row;
}

HistoryCommands HistoryCommandsFor(const HistoryEntry* selected, bool relayEnabled)
{
    if (!selected)
        return {};
    if (selected->Operation == HistoryOperation::SystemFiles)
        return {false, false, !relayEnabled};
    return {true, true, false};
}

Result<bool> LoadHistoryEntry(AppSession& session, const HistoryEntry& entry,
                              std::function<QString()> caption)
{
    // Read aside first: a text that does not read leaves the document as it is.
    ConfigDocument doc = session.Document();
    doc.ResetConfig();
    if (const LoadResult read = ParseConfigText(doc, entry.Config); read.Outcome.failed())
        return Status::Fail("line " + std::to_string(read.Line) + ": " + read.Outcome.reason());
    if (!ProjectFiles(session, std::move(caption)).KeepOrDiscardChanges())
        return false;
    // Not the open file's content: a save asks for a name.
    doc.Saved = false;
    doc.CurrentFileName.clear();
    session.Document() = std::move(doc);
    session.History().Restart();
    return true;
}

CameraConfigRecord HistoryIn(const QString& workFolder)
{
    return CameraConfigRecord(QDir(workFolder).filePath(QStringLiteral("cameras")));
}

} // namespace kor
