#pragma once

#include "config/Result.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace kor {

// Runs one device operation (a run of the device link, a download, a discovery) on a worker thread,
// so that the window never freezes while the blocking transports wait. One operation at a time;
// Cancel asks the operation to stop between its steps.
class LinkRunner
{
public:
    LinkRunner() = default;
    ~LinkRunner();
    LinkRunner(const LinkRunner&) = delete;
    LinkRunner& operator=(const LinkRunner&) = delete;

    // Starts work on the worker thread; finished runs there after it. Fails while an operation is
    // still running.
    Status Start(std::function<void()> work, std::function<void()> finished = {});
    void Cancel() { m_cancel = true; }
    bool CancelRequested() const { return m_cancel; }
    const std::atomic<bool>& CancelFlag() const { return m_cancel; }
    bool Running() const { return m_running; }
    // Blocks until the operation has ended.
    void Wait();

private:
    std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_cancel{false};
};

} // namespace kor
