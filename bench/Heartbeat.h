#pragma once

#include <QTimer>

#include <chrono>
#include <utility>
#include <vector>

namespace kor::bench {

using BenchClock = std::chrono::steady_clock;

double MsSince(BenchClock::time_point start);

// Resident memory of this process now, and its peak so far (KiB; -1 when unknown).
long RssKiB();
long PeakRssKiB();

// Beats every 5 ms on the GUI thread and keeps the longest gap between two beats, overall and while
// marked busy: the longest time the event loop was held up.
class Heartbeat
{
public:
    Heartbeat();
    void Start();
    void Stop() { m_timer.stop(); }
    void SetBusy(bool busy);
    double Longest() const { return m_longest; }
    double LongestBusy() const { return m_longestBusy; }
    // The longest gap counted in the GUI thread's own processor time: what the thread itself did
    // between two beats, without the time a busy machine kept it waiting for a processor.
    double LongestWork() const { return m_longestWork; }
    // Gaps above 50 ms: when they ended (ms after Start) and how long they were.
    const std::vector<std::pair<double, double>>& LongGaps() const { return m_longGaps; }

private:
    void Beat();

    QTimer m_timer;
    BenchClock::time_point m_start;
    BenchClock::time_point m_last;
    std::vector<std::pair<double, double>> m_longGaps;
    double m_lastCpu = 0;
    double m_longestWork = 0;
    double m_longest = 0;
    double m_longestBusy = 0;
    bool m_busy = false;
};

} // namespace kor::bench
