#pragma once

#include "Datagram.h"
#include "MrclockAddress.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QUdpSocket>

// Hears the MRclock clocks of the room and passes on the datagrams of the one
// followed: the clock NAME, or, with no name given, the only clock heard.
// Malformed datagrams are dropped and said once per sender.
class MrclockFollower : public QObject {
    Q_OBJECT

public:
    // A clock not heard for this long no longer counts as heard.
    static constexpr qint64 kForgetMs = 60'000;

    MrclockFollower(const MrclockAddress& address, const QHostAddress& iface, QObject* parent = nullptr);

    // Joins the group; false (why says why) when that fails.
    bool start(QString* why);

    // Reads one datagram's bytes as if received from sender (the socket's
    // path, open for tests).
    void take(const QByteArray& bytes, const QString& sender);

signals:
    // A datagram of the clock followed, and its name.
    void datagramReceived(const mrclock::Datagram& d);
    // With no name given: the names heard when they are not one (sorted).
    void severalHeard(const QStringList& names);
    // A malformed datagram from sender, said once per sender.
    void malformed(const QString& sender, const QString& why);

private:
    void readPending();

    MrclockAddress m_address;
    QHostAddress m_iface;
    QUdpSocket m_socket;
    QElapsedTimer m_clock;
    QHash<QString, qint64> m_heard; // name -> when last heard
    QStringList m_saidSeveral;
    QSet<QString> m_saidMalformed; // senders of malformed datagrams, said once
};
