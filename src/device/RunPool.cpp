#include "device/RunPool.h"

#include <cstdio>
#include <exception>
#include <thread>

namespace kor {

std::string DurationText(std::chrono::milliseconds duration)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(duration.count()) / 1000.0);
    return text;
}

void PoolRunHost::Log(const std::string& line, LogKind)
{
    Lines.push_back(line);
    if (m_sink)
        m_sink(line);
}

bool PoolRunHost::AskYesNo(const std::string& question, const std::string& title)
{
    // Nobody sits at this run: the answer given in advance, written down as the terminal does.
    Log(title + ": " + question + " " + (YesAnswer ? "yes" : "no"), LogKind::Plain);
    return YesAnswer;
}

void PoolRunHost::Fail(const std::string& line)
{
    Log(line, LogKind::Error);
    if (FailureLine.empty())
        FailureLine = line;
}

std::vector<PoolResult> RunPool::Run(std::vector<PoolJob> jobs, PoolObserver* observer)
{
    std::vector<PoolResult> results(jobs.size());
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++)
            results[i] = RunOne(jobs[i], observer);
    };
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(m_jobs), jobs.size());
    std::vector<std::thread> threads;
    threads.reserve(count);
    for (std::size_t t = 0; t < count; ++t)
        threads.emplace_back(worker);
    for (std::thread& thread : threads)
        thread.join();
    return results;
}

PoolResult RunPool::RunOne(PoolJob& job, PoolObserver* observer)
{
    PoolResult result;
    result.Id = job.Id;
    const auto notify = [&](const std::function<void()>& call) {
        if (observer) {
            std::lock_guard<std::mutex> lock(m_observerMutex);
            call();
        }
    };
    PoolRunHost host(m_cancel,
                     [&](const std::string& line) { notify([&] { observer->Line(job.Id, line); }); });
    host.YesAnswer = job.YesAnswer;
    host.Home = job.Home;

    const auto start = std::chrono::steady_clock::now();
    if (m_cancel) {
        result.Outcome = PoolOutcome::Cancelled;
    } else {
        notify([&] { observer->Started(job.Id); });
        try {
            result.Outcome = job.Work(host);
        } catch (const std::exception& e) {
            host.Fail(std::string("internal error: ") + e.what());
            result.Outcome = PoolOutcome::Failed;
        } catch (...) {
            host.Fail("internal error");
            result.Outcome = PoolOutcome::Failed;
        }
    }
    result.Duration =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    // A run sequence that failed has logged why just before its closing line.
    if (result.Outcome == PoolOutcome::Failed && host.FailureLine.empty() && host.Lines.size() >= 2)
        host.FailureLine = host.Lines[host.Lines.size() - 2];
    result.FailureLine = std::move(host.FailureLine);
    result.Lines = std::move(host.Lines);
    notify([&] { observer->Finished(result); });
    return result;
}

} // namespace kor
