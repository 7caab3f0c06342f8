#pragma once

#include "device/DeviceDownload.h"

#include <QObject>

#include <functional>
#include <optional>

namespace kor {

class AppSession;
class frmmain;

// The commands of the main window's tool bar: new, open, download, save, print and show the
// report, restart the workflow; each ends with the common ending (an interrupted command closes
// the notice window and says so with text 802; the window is enabled again).
class MainCommands : public QObject
{
    Q_OBJECT

public:
    MainCommands(frmmain& window, AppSession& session);

    // Runs the command of a tool bar position (frmmain::ToolButton).
    void Run(int position);

    void NewConfiguration();
    void OpenProject();
    // DownloadFromDevice on the engine's worker thread, with its questions, notice and messages.
    // Returns the outcome, or nothing when the command stopped at its question.
    std::optional<DownloadOutcome> Download();
    void SaveProject();
    void PrintReport();
    void ShowReport();
    void RestartWorkflow();

    // Asked when the window is about to close: unsaved changes are asked about (text 180).
    bool MayClose();

private:
    void Guarded(const std::function<void()>& command);
    void CommonEnding();
    void ReactToDownload(const DownloadResult& result);

    frmmain& m_window;
    AppSession& m_session;
};

} // namespace kor
