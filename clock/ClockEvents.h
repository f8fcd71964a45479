#pragma once

#include "ExactTimer.h"

#include <QObject>
#include <QPointer>

#include <optional>

// Where the running clock stands between two ticks.
struct TickPhase {
    qint64 sinceLast = 0;  // real milliseconds since the last tick was due
    double intervalMs = 0; // real milliseconds from one tick to the next
};

// What the clock tells those who share it (other computers, web pages): the
// state changed (Start, hold, continue, a new time base or title), or a fast
// minute passed. Receivers connect queued, so nothing of theirs runs inside a
// tick; when they need to know where the clock stands between two ticks, they
// ask the timer that makes the ticks, which only reads it.
class ClockEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The timer that ticks the clock.
    void setTimer(const ExactTimer* timer) { m_timer = timer; }

    // When the last tick was due (Start or continue, before the first tick)
    // and how far apart the ticks are; nothing while the clock's timer does
    // not run or none was given.
    std::optional<TickPhase> tickPhase() const
    {
        const std::optional<qint64> since = m_timer ? m_timer->sinceLastDue() : std::nullopt;
        if (!since)
            return std::nullopt;
        return TickPhase{*since, static_cast<double>(m_timer->exactInterval()) / 1e6};
    }

    // The windows show a time: since the first Start, or since a followed
    // master's state put one there although this computer's clock was never
    // started. A web page shows that time then, held or running.
    void markTimeShown() { m_timeShown = true; }
    bool timeShown() const { return m_timeShown; }

signals:
    void stateChanged();
    void minutePassed();

private:
    QPointer<const ExactTimer> m_timer;
    bool m_timeShown = false;
};
