#pragma once

#include "MrclockAddress.h"

#include <QObject>
#include <QTimer>
#include <QUdpSocket>

class ClockEvents;
struct Module1;

// Sends this program's clock as the MRclock clock NAME: on Start, hold,
// continue, every change of the time base or title, every fast minute and at
// least every 20 real seconds. Slave clocks and apps of the room follow it.
// Sends from the event loop, after the clock's events, never inside a tick.
class MrclockSender : public QObject {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 20'000;

    // iface: the network interface to send from; a null address lets the
    // system choose.
    MrclockSender(Module1& m, ClockEvents& events, const MrclockAddress& address, const QHostAddress& iface,
                  QObject* parent = nullptr);

    // Opens the socket and sends the first datagram; false (why says why)
    // when no socket could be made.
    bool start(QString* why);

signals:
    // A datagram could not be sent (said once until one gets through again).
    void sendFailed(const QString& why);
    void sendBack();

private:
    void send();

    Module1& m_module;
    MrclockAddress m_address;
    QHostAddress m_iface;
    QByteArray m_ownAddress;
    QUdpSocket m_socket;
    QTimer m_refresh;
    bool m_failing = false;
};
