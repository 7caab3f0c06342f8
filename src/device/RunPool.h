#pragma once

#include "device/RunHost.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kor {

// How one camera's run ended.
enum class PoolOutcome
{
    Succeeded,
    Failed,
    Skipped,  // never started: the camera cannot take the configuration
    Cancelled // never started, or ended early, because the runs were cancelled
};

// What a finished run leaves: the outcome, how long it took, the line that says why it failed
// (empty otherwise) and every line it logged, one per line.
struct PoolResult
{
    std::int32_t Id = 0;
    PoolOutcome Outcome = PoolOutcome::Cancelled;
    std::chrono::milliseconds Duration{0};
    std::string FailureLine;
    std::vector<std::string> Lines;
};

// A run's duration as the front ends show it: "12.3 s".
std::string DurationText(std::chrono::milliseconds duration);

// The front end of one run in the pool: it keeps the run's lines, answers its questions from the
// answers given in advance and reports cancellation of the whole pool.
class PoolRunHost final : public RunHost
{
public:
    using LineSink = std::function<void(const std::string&)>;

    PoolRunHost(const std::atomic<bool>& cancel, LineSink sink) : m_cancel(cancel), m_sink(std::move(sink)) {}

    void Log(const std::string& line, LogKind kind) override;
    bool AskYesNo(const std::string& question, const std::string& title) override;
    HomeChoice ChooseHome(const std::vector<CameraPosition>&) override { return Home; }
    void SetBusy(bool) override {}
    void Progress(int, int) override {}
    bool Cancelled() override { return m_cancel; }

    // Logs the line that says why the run could not go on; it becomes the run's failure line.
    void Fail(const std::string& line);

    bool YesAnswer = false;
    HomeChoice Home;
    std::vector<std::string> Lines;
    std::string FailureLine;

private:
    const std::atomic<bool>& m_cancel;
    LineSink m_sink;
};

// One camera's work: it builds its own transports, clock and state on the worker thread, logs
// through the host and says how it ended.
struct PoolJob
{
    std::int32_t Id = 0;
    std::function<PoolOutcome(PoolRunHost& host)> Work;
    // Answers to the run's questions, given in advance.
    bool YesAnswer = false;
    HomeChoice Home;
};

// What the pool tells its front end while the runs go on. Calls come from the worker threads, one
// at a time.
class PoolObserver
{
public:
    virtual ~PoolObserver() = default;
    virtual void Started(std::int32_t id) = 0;
    virtual void Line(std::int32_t id, const std::string& line) = 0;
    virtual void Finished(const PoolResult& result) = 0;
};

// Runs many cameras' runs, at most `jobs` at once, each on its own thread with its own host. One
// run's failure, exception or hang reaches no other run. Cancel reaches every run at its next step
// (which ends through its closing steps); runs not yet started are not started.
class RunPool
{
public:
    explicit RunPool(int jobs) : m_jobs(jobs < 1 ? 1 : jobs) {}

    // Blocks until every job has ended; the results are in the order of the jobs.
    std::vector<PoolResult> Run(std::vector<PoolJob> jobs, PoolObserver* observer = nullptr);
    // Safe to call from a signal handler: it only sets a flag.
    void Cancel() { m_cancel = true; }
    bool CancelRequested() const { return m_cancel; }

private:
    PoolResult RunOne(PoolJob& job, PoolObserver* observer);

    int m_jobs;
    std::atomic<bool> m_cancel{false};
    std::mutex m_observerMutex;
};

} // namespace kor
