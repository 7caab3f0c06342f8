#include "Heartbeat.h"

#include <QFile>

#include <algorithm>
#include <ctime>

namespace kor::bench {

namespace {

long StatusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(qstrlen(field))).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// Processor time of the calling thread.
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

} // namespace

double MsSince(BenchClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

long RssKiB()
{
    return StatusKiB("VmRSS:");
}

long PeakRssKiB()
{
    return StatusKiB("VmHWM:");
}

Heartbeat::Heartbeat()
{
    m_timer.setInterval(5);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Beat(); });
}

void Heartbeat::Start()
{
    m_start = m_last = BenchClock::now();
    m_lastCpu = ThreadCpuMs();
    m_longest = m_longestBusy = m_longestWork = 0;
    m_longGaps.clear();
    m_timer.start();
}

void Heartbeat::SetBusy(bool busy)
{
    Beat();
    m_busy = busy;
}

void Heartbeat::Beat()
{
    const double gap = MsSince(m_last);
    m_last = BenchClock::now();
    const double cpu = ThreadCpuMs();
    m_longestWork = std::max(m_longestWork, cpu - m_lastCpu);
    m_lastCpu = cpu;
    m_longest = std::max(m_longest, gap);
    if (gap > 50)
        m_longGaps.emplace_back(MsSince(m_start), gap);
    if (m_busy)
        m_longestBusy = std::max(m_longestBusy, gap);
}

} // namespace kor::bench
