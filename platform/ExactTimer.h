#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

// A periodic timer that keeps exact time: its n-th event after enabling is due at
// n x interval on a monotonic clock, so delays never add up. Events that fell due
// while the thread was busy follow one another as soon as it is free, never
// overlapping; a backlog of more than one second is dropped, not replayed.
class ExactTimer : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<qint64()>; // monotonic milliseconds

    // Without a clock the timer uses the system's monotonic clock.
    explicit ExactTimer(QObject* parent = nullptr, Clock clock = {});

    static constexpr qint64 kMaxBacklogMs = 1000;

    // The interval in whole milliseconds (an exact one rounded).
    int interval() const { return m_interval; }
    // Setting the interval of an enabled timer starts its schedule anew.
    void setInterval(int ms);
    // An interval of any length in nanoseconds, such as 1/6 or 1/7 of a second:
    // the n-th event is due at n x interval, rounded up to the millisecond.
    void setExactInterval(qint64 ns);
    qint64 exactInterval() const { return m_intervalNs; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Delivers the event that is due now, if any and if no event is being
    // delivered already. Returns the milliseconds until the next event is due
    // (0 when another one is due at once), or -1 when the timer is disabled.
    qint64 poll();

    // Number of events delivered since the timer was last armed.
    qint64 delivered() const { return m_delivered; }

    // When the last event was due on the timer's clock: the one being
    // delivered or delivered last, or the moment the schedule began before
    // the first. An event that is due but not yet delivered does not count.
    // Nothing while the timer is disabled or never fires.
    std::optional<qint64> lastDue() const;
    // How many milliseconds ago that was.
    std::optional<qint64> sinceLastDue() const;

signals:
    void timeout();

private:
    void arm();
    void schedule(qint64 delayMs);
    qint64 now() const;
    qint64 due(qint64 n) const; // when the n-th event is due

    Clock m_clock;
    QTimer m_wake;
    int m_interval = 0;
    qint64 m_intervalNs = 0;
    bool m_enabled = false;
    bool m_delivering = false;
    qint64 m_start = 0;     // when the schedule began
    qint64 m_next = 1;      // number of the next event
    qint64 m_delivered = 0;
};
