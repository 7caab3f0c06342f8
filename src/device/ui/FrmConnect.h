#pragma once

#include "config/Result.h"
#include "device/CompanionFiles.h"
#include "device/ConnectForm.h"
#include "device/PresetList.h"
#include "device/RunHost.h"
#include "device/RunSequence.h"

#include <QStringList>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace kor {

class AppSession;
class IPTxt;

// The device link screen: the connection fields IPTxt1, TxtPort, TxtUsr and TxtPwd, the option
// boxes Check4 (install), Check1 (update settings), Check2 (send configuration), Check3
// (input/output check) with its sub-options Check5 and Check6, Check7 (home position), the log
// txtMsg, the run button CmdAdd, and beside the run a progress bar ProgressBar1 and a cancel
// button CmdCancel.
//
// The run (ConnectAndApply) goes through the device link engine on a worker thread while this
// screen keeps answering; meanwhile the session is busy, so no other screen, command or close
// starts. The engine's questions come back here: the installation's yes/no question through the
// session's dialogs, the home position through FrmHome.
class FrmConnect : public QWidget
{
    Q_OBJECT

public:
    explicit FrmConnect(AppSession& session, QWidget* parent = nullptr);
    ~FrmConnect() override;

    // The run options of Check4, Check1, Check2 and Check3: kept while the program runs, so that a
    // screen opened again shows the boxes as they were left.
    static LinkOptions& RunOptions();

    // Appends one line to the log and keeps the end in view: kind 0 or 1 in black, any other kind
    // in red.
    void AddLogLine(const QString& text, LogKind kind);
    // The log's lines as plain text, without the empty one after the last line end.
    QStringList LogLines() const;

    // The run button. Nothing happens while a run is active or when the address is empty
    // ("0.0.0.0"); otherwise the log is cleared and the run starts, once the user chose to go on
    // past what the configuration checks found (when it is sent). Returns once the run has ended.
    void Run();
    // CmdCompare: what turns the camera's configuration (read as the download reads it) into the
    // open document, in a message.
    void CompareWithCamera();
    // CmdHistory: the camera's history (FrmHistory); system files chosen there go back on the camera
    // as korctl apply --restore-system-files puts them, logged here.
    void ShowHistory();
    // The cancel button: the run stops at its next step and takes its closing steps.
    void Cancel();
    bool Running() const { return m_running; }

    // The connection fields and option boxes as the run takes them.
    LinkFields Fields() const;
    LinkOptions Options() const;

    // The home-position question, answered by FrmHome over the main window (GUI thread).
    HomeChoice ChooseHome(const std::vector<CameraPosition>& positions,
                          const std::vector<NamedPreset>& presets);

    // Called by the run's host (GUI thread).
    void ShowBusy(bool busy);
    void ShowProgress(int done, int total);
    bool CancelRequested() const { return m_cancelRequested.load(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Fill();
    ConnectBoxes Boxes() const;
    void ShowBoxes(const ConnectBoxes& boxes);
    void OnCheck3Clicked(bool checked);
    void ShowRunning(bool running);
    // Before a run that sends the configuration: what the checks find is shown, and the user goes
    // on or stops there.
    bool ConfirmSend();
    // Before a run that sends the configuration: the camera's configuration is read and, when it is
    // not what this tool last sent or read (or cannot be read), the difference is shown and the user
    // goes on or stops there.
    bool ConfirmCameraUnchanged(const DeviceServices& services);
    Result<DeviceServices> RunServices() const;
    DeviceTarget FieldsTarget() const;
    // One run of the engine on the worker, with this screen as its host; the closing marks after it.
    RunOutcome RunEngine(const DeviceServices& services,
                         const std::function<RunOutcome(RunSequence&, const LinkFields&)>& run);

    AppSession& m_session;
    IPTxt* m_ipTxt1 = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QLineEdit* m_txtUsr = nullptr;
    QLineEdit* m_txtPwd = nullptr;
    QCheckBox* m_check1 = nullptr;
    QCheckBox* m_check2 = nullptr;
    QCheckBox* m_check3 = nullptr;
    QCheckBox* m_check4 = nullptr;
    QCheckBox* m_check5 = nullptr;
    QCheckBox* m_check6 = nullptr;
    QCheckBox* m_check7 = nullptr;
    QTextEdit* m_txtMsg = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdCompare = nullptr;
    QPushButton* m_cmdHistory = nullptr;
    bool m_running = false;
    std::atomic<bool> m_cancelRequested{false};
};

} // namespace kor
