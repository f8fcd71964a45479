#include "ExactTimer.h"

#include <QElapsedTimer>
#include <memory>

ExactTimer::ExactTimer(QObject* parent, Clock clock)
    : QObject(parent), m_clock(std::move(clock))
{
    if (!m_clock) {
        auto elapsed = std::make_shared<QElapsedTimer>();
        elapsed->start();
        m_clock = [elapsed] { return elapsed->elapsed(); };
    }
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, [this] {
        const qint64 wait = poll();
        if (wait >= 0)
            schedule(wait);
    });
}

qint64 ExactTimer::now() const { return m_clock(); }

void ExactTimer::setInterval(int ms)
{
    m_interval = ms;
    if (m_enabled)
        arm();
}

void ExactTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        arm();
    else
        m_wake.stop();
}

void ExactTimer::arm()
{
    m_start = now();
    m_next = 1;
    m_delivered = 0;
    if (m_interval > 0)
        schedule(m_interval);
    else
        m_wake.stop(); // an interval of 0 or less never fires
}

void ExactTimer::schedule(qint64 delayMs)
{
    m_wake.start(static_cast<int>(qBound<qint64>(0, delayMs, qint64(24) * 3600 * 1000)));
}

qint64 ExactTimer::poll()
{
    if (!m_enabled || m_interval <= 0)
        return -1;
    const qint64 t = now();
    qint64 due = m_start + m_next * m_interval;
    if (m_delivering || t < due)
        return qMax<qint64>(0, due - t);

    if (t - due > kMaxBacklogMs) {
        // too far behind: drop the backlog and go on with the event due now
        m_next = (t - m_start) / m_interval;
        due = m_start + m_next * m_interval;
    }
    ++m_next;
    ++m_delivered;
    m_delivering = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_delivering};
    emit timeout();
    if (!m_enabled || m_interval <= 0)
        return -1;
    return qMax<qint64>(0, m_start + m_next * m_interval - now());
}
