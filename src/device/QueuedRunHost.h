#pragma once

#include "device/RunHost.h"

#include <QPointer>

#include <atomic>

class QObject;

namespace kor {

// The engine's side of a front end that lives on another thread (the window's): log lines, busy
// and progress are queued to the context object's thread, questions wait there for their answer.
// Cancellation is read from the runner's flag. When the context is gone, lines are dropped and
// questions answer no.
class QueuedRunHost final : public RunHost
{
public:
    QueuedRunHost(QObject* context, RunHost& target, const std::atomic<bool>& cancel);

    void Log(const std::string& line, LogKind kind) override;
    bool AskYesNo(const std::string& question, const std::string& title) override;
    HomeChoice ChooseHome(const std::vector<CameraPosition>& positions) override;
    void SetBusy(bool busy) override;
    void Progress(int done, int total) override;
    bool Cancelled() override { return m_cancel; }

private:
    bool OnContextThread() const;

    QPointer<QObject> m_context;
    RunHost& m_target;
    const std::atomic<bool>& m_cancel;
};

} // namespace kor
