#pragma once

#include "app/CameraConfigRecord.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace kor {

class AppSession;

// The current camera's history, newest first, in LstHistory: CmdCompare shows what turns the
// selected configuration into the open document, CmdRestore makes it the document, and
// CmdRestoreSystem (behind a question) closes the screen with the system files chosen for the
// device link screen to put back. CmdClose closes it.
class FrmHistory : public QDialog
{
    Q_OBJECT

public:
    FrmHistory(AppSession& session, std::vector<HistoryEntry> entries, QWidget* parent = nullptr);

    // Once the screen has closed: the entry whose system files are to go back on the camera.
    const std::optional<HistoryEntry>& SystemFilesChosen() const { return m_systemFiles; }

private:
    const HistoryEntry* Selected() const;
    void ShowCommands();
    void Compare();
    void Restore();
    void RestoreSystemFiles();

    AppSession& m_session;
    std::vector<HistoryEntry> m_entries;
    std::optional<HistoryEntry> m_systemFiles;
    QListWidget* m_list = nullptr;
    QPushButton* m_cmdCompare = nullptr;
    QPushButton* m_cmdRestore = nullptr;
    QPushButton* m_cmdRestoreSystem = nullptr;
};

} // namespace kor
