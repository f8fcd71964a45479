#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>

// The wall clock in nanoseconds, as `date +%s%N` and Python's time.time_ns() give it.
inline qint64 realtimeNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Prints the milliseconds since QUENDRASIL_LAUNCH_NS, the wall clock in
// nanoseconds that bench/startup.sh takes just before it starts a program.
inline void printSinceLaunch()
{
    const qint64 launch = qgetenv("QUENDRASIL_LAUNCH_NS").toLongLong();
    std::printf("%.1f\n", (realtimeNs() - launch) / 1e6);
    std::fflush(stdout);
}

// Calls back once when the watched window is first painted.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> done, QObject* parent = nullptr)
        : QObject(parent), m_done(std::move(done)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            auto done = std::move(m_done);
            m_done = nullptr;
            QTimer::singleShot(0, done);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_done;
};
