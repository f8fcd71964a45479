#include "ExactTimer.h"

#include <QElapsedTimer>
#include <climits>
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

void ExactTimer::setInterval(int ms) { setExactInterval(qint64(ms) * 1'000'000); }

void ExactTimer::setExactInterval(qint64 ns)
{
    m_intervalNs = ns;
    m_interval = static_cast<int>(qBound<qint64>(qint64(INT_MIN), (ns >= 0 ? ns + 500'000 : ns - 500'000) / 1'000'000, qint64(INT_MAX)));
    if (m_enabled)
        arm();
}

qint64 ExactTimer::due(qint64 n) const
{
    // rounded up, so that no event comes before its exact moment
    return m_start + (n * m_intervalNs + 999'999) / 1'000'000;
}

std::optional<qint64> ExactTimer::lastDue() const
{
    if (!m_enabled || m_intervalNs <= 0)
        return std::nullopt;
    return due(m_next - 1); // due(0) is the start of the schedule
}

std::optional<qint64> ExactTimer::sinceLastDue() const
{
    const std::optional<qint64> at = lastDue();
    return at ? std::optional<qint64>(now() - *at) : std::nullopt;
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
    if (m_intervalNs > 0)
        schedule(due(1) - m_start);
    else
        m_wake.stop(); // an interval of 0 or less never fires
}

void ExactTimer::schedule(qint64 delayMs)
{
    m_wake.start(static_cast<int>(qBound<qint64>(0, delayMs, qint64(24) * 3600 * 1000)));
}

qint64 ExactTimer::poll()
{
    if (!m_enabled || m_intervalNs <= 0)
        return -1;
    const qint64 t = now();
    const qint64 at = due(m_next);
    if (m_delivering || t < at)
        return qMax<qint64>(0, at - t);

    if (t - at > kMaxBacklogMs) {
        // too far behind: drop the backlog and go on with the event due now
        m_next = qMax<qint64>(1, (t - m_start) * 1'000'000 / m_intervalNs);
    }
    ++m_next;
    ++m_delivered;
    m_delivering = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_delivering};
    emit timeout();
    if (!m_enabled || m_intervalNs <= 0)
        return -1;
    return qMax<qint64>(0, due(m_next) - now());
}
