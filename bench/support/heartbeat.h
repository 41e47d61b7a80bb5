#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <ctime>

// A 5 ms timer on the user-interface thread: the longest gap between its beats is the longest
// stall the user could feel, in wall time and in the thread's own processor time (which other
// work on the machine does not stretch).
class Heartbeat
{
public:
    static constexpr int interval = 5;

    Heartbeat()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { beat(); });
    }

    void start()
    {
        longestStall = 0;
        longestStallCpu = 0;
        m_clock.start();
        m_cpu = threadCpuMilliseconds();
        m_timer.start(interval);
    }

    // The gap up to now counts too: the work measured may end in a stall.
    void stop()
    {
        beat();
        m_timer.stop();
    }

    double longestStall = 0;
    double longestStallCpu = 0;

    static double threadCpuMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    }

private:
    void beat()
    {
        const double cpu = threadCpuMilliseconds();
        longestStall = std::max(longestStall, m_clock.nsecsElapsed() / 1e6);
        longestStallCpu = std::max(longestStallCpu, cpu - m_cpu);
        m_clock.start();
        m_cpu = cpu;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_cpu = 0;
};
