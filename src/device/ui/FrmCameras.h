#pragma once

#include "device/CamerasForm.h"
#include "device/RunPool.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <map>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kor {

class AppSession;

// The many-camera screen: the companion database's cameras in LvwCameras (a tick box each,
// filtered by the group of CboGroup), the device link screen's option boxes Check4, Check1, Check2,
// Check3 with Check5 and Check6, and Check7, the run button CmdAdd and the cancel button CmdCancel.
// The open configuration goes to every ticked camera that is shown, each with its own header
// values and channel, several at once; each row shows its camera's state and duration, and txtMsg
// the log of the selected row.
//
// The runs go through the run pool on the session's worker thread (the session is busy meanwhile,
// so no other screen, command or close starts); their news comes back queued, so the window keeps
// answering.
class FrmCameras : public QWidget
{
    Q_OBJECT

public:
    explicit FrmCameras(AppSession& session, QWidget* parent = nullptr);
    ~FrmCameras() override;

    // The run button: the open configuration to the cameras taken. Returns once every run has
    // ended.
    void Run();
    // The cancel button: every run stops at its next step and takes its closing steps; cameras not
    // yet started are not started.
    void Cancel();
    bool Running() const { return m_running; }

    // The run pool's news, on the GUI thread.
    void ShowStarted(std::int32_t id);
    void ShowLine(std::int32_t id, const QString& line);
    void ShowFinished(const PoolResult& result);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Fill();
    void FillList();
    ConnectBoxes Boxes() const;
    void ShowBoxes(const ConnectBoxes& boxes);
    void ShowRunning(bool running);
    void ShowState(std::int32_t id, CameraRowState state, const QString& duration = {});
    void ShowLog();
    void TakeTicks();
    std::optional<std::string> Group() const;
    QTreeWidgetItem* ItemOf(std::int32_t id) const;

    AppSession& m_session;
    std::vector<CameraRow> m_rows;
    std::map<std::int32_t, QStringList> m_logs;
    RunPool* m_pool = nullptr;
    bool m_running = false;

    QComboBox* m_cboGroup = nullptr;
    QTreeWidget* m_lvwCameras = nullptr;
    std::vector<QCheckBox*> m_checks; // Check4, Check1, Check2, Check3, Check5, Check6, Check7
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QTextEdit* m_txtMsg = nullptr;
};

} // namespace kor
