#include "device/LinkRunner.h"

namespace kor {

LinkRunner::~LinkRunner()
{
    Cancel();
    Wait();
}

Status LinkRunner::Start(std::function<void()> work, std::function<void()> finished)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running)
        return Status::Fail("a device operation is still running");
    if (m_thread.joinable())
        m_thread.join();
    m_cancel = false;
    m_running = true;
    m_thread = std::thread([this, work = std::move(work), finished = std::move(finished)] {
        try {
            work();
        } catch (...) {
            // The operation reports its own failures; nothing may end the program from here.
        }
        m_running = false;
        if (finished)
            finished();
    });
    return Status::Ok();
}

void LinkRunner::Wait()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kor
