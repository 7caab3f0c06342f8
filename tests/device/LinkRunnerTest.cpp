// The worker thread of device operations: the engine's host calls reach the front end on its own
// thread and one operation runs at a time (a cancel between steps is the device link screen's).
#include "CameraFixture.h"

#include "device/LinkRunner.h"
#include "device/QueuedRunHost.h"
#include "device/RunPool.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <stdexcept>
#include <thread>

namespace kor::test {
namespace {

// Records whether every host call arrives on the main thread.
class ThreadHost final : public RunHost
{
public:
    void Log(const std::string& line, LogKind) override
    {
        Lines.push_back(line);
        Note();
    }
    bool AskYesNo(const std::string&, const std::string&) override { return Note(), true; }
    HomeChoice ChooseHome(const std::vector<CameraPosition>&) override
    {
        return Note(), HomeChoice{true, "Gate", 0, 0, 0, true};
    }
    void SetBusy(bool busy) override { Busy.push_back(busy); }
    void Progress(int, int) override {}
    bool Cancelled() override { return false; }
    void Note() { OnMain = OnMain && QThread::currentThread() == QCoreApplication::instance()->thread(); }

    std::vector<std::string> Lines;
    std::vector<bool> Busy;
    bool OnMain = true;
};

class LinkRunnerTest : public CameraFixture
{
protected:
    // Runs the options on the worker, spinning the event loop until it is done and its queued
    // calls have arrived.
    RunOutcome RunOnWorker(const LinkOptions& options)
    {
        int argc = 1;
        char name[] = "test";
        char* argv[] = {name, nullptr};
        std::unique_ptr<QCoreApplication> app;
        if (!QCoreApplication::instance())
            app = std::make_unique<QCoreApplication>(argc, argv);
        QObject context;
        LinkRunner runner;
        QueuedRunHost queued(&context, Front, runner.CancelFlag());
        RunSequence run(Services(), queued, Subject);
        RunOutcome outcome = RunOutcome::NotStarted;
        EXPECT_TRUE(runner.Start([&] { outcome = run.ConnectAndApply(Doc, Fields, options, false); }).ok());
        EXPECT_TRUE(runner.Start([] {}).failed()); // one operation at a time
        QElapsedTimer timer;
        timer.start();
        while (runner.Running() && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        runner.Wait();
        QCoreApplication::processEvents();
        return outcome;
    }

    ThreadHost Front;
};

TEST_F(LinkRunnerTest, HostCallsArriveOnTheFrontEndThread)
{
    Subject.Camera.Positions = {{"Gate", 1, 2, 3}};
    EXPECT_EQ(RunOnWorker(Ticked({&LinkOptions::Home})), RunOutcome::Completed);
    EXPECT_TRUE(Front.OnMain);
    EXPECT_EQ(Front.Busy, (std::vector<bool>{true, false}));
    ASSERT_FALSE(Front.Lines.empty());
    EXPECT_EQ(Front.Lines.back(), "[808]");
    EXPECT_EQ(Http.Matching("setmovetohomed.cgi")[0]->Body, std::string("1\nPRESET=Gate\n30\n") + '\0');
}

// Many runs: never more at once than asked, a throwing run fails alone, a cancel reaches the
// running ones at their next step and starts no more.
TEST(RunPoolTest, RunsAreBoundedIndependentAndCancelledTogether)
{
    RunPool pool(2);
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::vector<PoolJob> jobs(6);
    for (int id = 1; id <= 6; ++id) {
        jobs[static_cast<std::size_t>(id - 1)].Id = id;
        jobs[static_cast<std::size_t>(id - 1)].Work = [&, id](PoolRunHost& host) {
            const int now = ++running;
            for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
            }
            host.Log("step 1", LogKind::Plain);
            if (id == 2) {
                --running;
                throw std::runtime_error("boom");
            }
            if (id == 3)
                pool.Cancel();
            for (int wait = 0; wait < 10000 && !host.Cancelled(); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            host.Log("closing", LogKind::Plain);
            --running;
            return host.Cancelled() ? PoolOutcome::Cancelled : PoolOutcome::Succeeded;
        };
    }
    const std::vector<PoolResult> results = pool.Run(std::move(jobs));
    EXPECT_EQ(most, 2);
    const struct
    {
        PoolOutcome Outcome;
        std::size_t Lines;
        const char* FailureLine;
    } expected[] = {
        {PoolOutcome::Cancelled, 2, ""}, {PoolOutcome::Failed, 2, "internal error: boom"},
        {PoolOutcome::Cancelled, 2, ""}, {PoolOutcome::Cancelled, 0, ""},
        {PoolOutcome::Cancelled, 0, ""}, {PoolOutcome::Cancelled, 0, ""},
    };
    ASSERT_EQ(results.size(), std::size(expected));
    for (std::size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(results[i].Id, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(results[i].Outcome, expected[i].Outcome);
        EXPECT_EQ(results[i].Lines.size(), expected[i].Lines);
        EXPECT_EQ(results[i].FailureLine, expected[i].FailureLine);
    }
}

} // namespace
} // namespace kor::test
