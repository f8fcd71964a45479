#pragma once

#include <QObject>

// What the clock tells those who share it (other computers, web pages): the
// state changed (Start, hold, continue, a new time base or title), or a fast
// minute passed. Receivers connect queued, so nothing of theirs runs inside a
// tick.
class ClockEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void stateChanged();
    void minutePassed();
};
