#include "MrclockSender.h"

#include "ClockEvents.h"
#include "ClockState.h"
#include "Datagram.h"
#include "Module1.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <algorithm>

namespace {

// The address slave clocks see as the sender's: the chosen interface's, else
// the first of a working, multicast-capable interface other than loopback.
QString ownAddress(const QHostAddress& iface)
{
    if (!iface.isNull())
        return iface.toString();
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack) || !(flags & QNetworkInterface::CanMulticast))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return e.ip().toString();
    }
    return {};
}

} // namespace

MrclockSender::MrclockSender(Module1& m, ClockEvents& events, const MrclockAddress& address,
                             const QHostAddress& iface, QObject* parent)
    : QObject(parent), m_module(m), m_address(address), m_iface(iface), m_socket(this), m_refresh(this)
{
    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &MrclockSender::send);
    // never inside a tick: after it, from the event loop
    connect(&events, &ClockEvents::stateChanged, this, &MrclockSender::send, Qt::QueuedConnection);
    connect(&events, &ClockEvents::minutePassed, this, &MrclockSender::send, Qt::QueuedConnection);
}

bool MrclockSender::start(QString* why)
{
    if (!m_socket.bind(m_iface.isNull() ? QHostAddress(QHostAddress::AnyIPv4) : m_iface, 0)) {
        if (why)
            *why = m_socket.errorString();
        return false;
    }
    m_socket.setSocketOption(QAbstractSocket::MulticastTtlOption, m_address.ttl);
    // a follower on this computer hears it too
    m_socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 1);
    if (!m_iface.isNull())
        for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
            for (const QNetworkAddressEntry& e : i.addressEntries())
                if (e.ip().isEqual(m_iface))
                    m_socket.setMulticastInterface(i);
    m_ownAddress = ownAddress(m_iface).toLatin1();
    send();
    return true;
}

void MrclockSender::send()
{
    const Module1& m = m_module;
    const ClockState s = clockstate::of(m, 0);
    mrclock::Datagram d;
    d.name = m_address.name;
    d.address = QString::fromLatin1(m_ownAddress);
    d.port = QString::number(m_address.port);
    d.text = s.title;
    d.active = s.running;
    d.speed = mrclock::speedOfTimeBase(s.timeBase);
    d.time = s.time;
    // the next datagram comes at the next fast minute or the refresh,
    // whichever is sooner
    qint64 nextMs = kRefreshMs;
    if (s.running)
        nextMs = std::min<qint64>(nextMs, qint64(60 - s.time % 60) * s.timeBase);
    d.interval = static_cast<int>(std::max<qint64>(1, (nextMs + 999) / 1000));

    const qint64 sent = m_socket.writeDatagram(mrclock::build(d), m_address.group, m_address.port);
    if (sent < 0 && !m_failing) {
        m_failing = true;
        emit sendFailed(m_socket.errorString());
    } else if (sent >= 0 && m_failing) {
        m_failing = false;
        emit sendBack();
    }
    m_refresh.start(kRefreshMs);
}
