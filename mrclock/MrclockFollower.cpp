#include "MrclockFollower.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>

MrclockFollower::MrclockFollower(const MrclockAddress& address, const QHostAddress& iface, QObject* parent)
    : QObject(parent), m_address(address), m_iface(iface), m_socket(this)
{
    m_clock.start();
    connect(&m_socket, &QUdpSocket::readyRead, this, &MrclockFollower::readPending);
}

bool MrclockFollower::start(QString* why)
{
    // several programs of this computer may hear the same group
    if (!m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), m_address.port,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        if (why)
            *why = m_socket.errorString();
        return false;
    }
    bool joined = false;
    if (!m_iface.isNull()) {
        for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
            for (const QNetworkAddressEntry& e : i.addressEntries())
                if (e.ip().isEqual(m_iface))
                    joined = m_socket.joinMulticastGroup(m_address.group, i);
    } else {
        joined = m_socket.joinMulticastGroup(m_address.group);
    }
    if (!joined) {
        if (why)
            *why = m_socket.errorString();
        return false;
    }
    return true;
}

void MrclockFollower::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        // read whole, so an oversized one is seen as such
        const qint64 size = m_socket.pendingDatagramSize();
        const QNetworkDatagram datagram = m_socket.receiveDatagram(qMax<qint64>(size, 0));
        if (datagram.isValid())
            take(datagram.data(), datagram.senderAddress().toString());
    }
}

void MrclockFollower::take(const QByteArray& bytes, const QString& sender)
{
    QString why;
    const auto d = mrclock::parse(bytes, &why);
    if (!d) {
        if (!m_saidMalformed.contains(sender)) {
            m_saidMalformed.insert(sender);
            emit malformed(sender, why);
        }
        return;
    }
    if (!m_address.name.isEmpty()) {
        if (d->name == m_address.name)
            emit datagramReceived(*d);
        return;
    }
    // no name given: the only clock heard
    const qint64 now = m_clock.elapsed();
    m_heard.insert(d->name, now);
    for (auto it = m_heard.begin(); it != m_heard.end();)
        it = now - it.value() > kForgetMs ? m_heard.erase(it) : std::next(it);
    if (m_heard.size() == 1) {
        m_saidSeveral.clear();
        emit datagramReceived(*d);
        return;
    }
    QStringList names = m_heard.keys();
    names.sort();
    if (names != m_saidSeveral) {
        m_saidSeveral = names;
        emit severalHeard(names);
    }
}
