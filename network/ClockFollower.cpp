#include "ClockFollower.h"

#include "MqttClient.h"

#include <QDebug>

ClockFollower::ClockFollower(const BrokerAddress& broker, QObject* parent)
    : QObject(parent), m_client(new MqttClient(broker, this)), m_broker(broker)
{
    // online first: a master that is gone is known before its last state
    // (retained, and old by now) arrives
    m_client->subscribe(broker.onlineTopic());
    m_client->subscribe(broker.stateTopic());
    connect(m_client, &MqttClient::messageReceived, this, [this](const QString& topic, const QByteArray& payload) {
        if (topic == m_broker.stateTopic())
            takeState(payload);
        else if (topic == m_broker.onlineTopic())
            takeOnline(payload);
    });
    connect(m_client, &MqttClient::disconnected, this, &ClockFollower::connectionLost);
    connect(m_client, &MqttClient::connected, this, &ClockFollower::connectionBack);
}

void ClockFollower::start() { m_client->start(); }

void ClockFollower::takeState(const QByteArray& payload)
{
    if (payload.isEmpty())
        return; // a master without time yet cleared its state
    QString why;
    const std::optional<ClockState> s = clockstate::fromJson(payload, &why);
    if (!s) {
        if (m_ignored++ == 0)
            qWarning("quendrasil: ignored a message on %s: %s (further ones are ignored silently)",
                     qPrintable(m_broker.stateTopic()), qPrintable(why));
        return;
    }
    if (!m_lastSeq && m_masterOffline)
        return; // the last word of a master that is gone: its time is old
    if (m_lastSeq) {
        // the same one again (a retained copy), or an older one; a master
        // that went away and came back may count anew
        if (s->seq == *m_lastSeq)
            return;
        if (s->seq < *m_lastSeq && !m_masterGone && *m_lastSeq - s->seq <= kRestartDrop)
            return;
    }
    m_lastSeq = s->seq;
    m_masterGone = false;
    // of states heard at once (what a stopped broker held back) only the
    // newest is passed on: the older ones would set the clock back for a moment
    const bool posted = m_newest.has_value();
    m_newest = *s;
    if (!posted)
        QMetaObject::invokeMethod(this, &ClockFollower::passOnNewest, Qt::QueuedConnection);
}

void ClockFollower::passOnNewest()
{
    if (!m_newest)
        return;
    const ClockState s = *m_newest;
    m_newest.reset();
    emit stateReceived(s);
}

void ClockFollower::takeOnline(const QByteArray& payload)
{
    const QByteArray p = payload.trimmed();
    if (p == "false") {
        // whatever comes next is from a master that started anew
        m_masterGone = true;
        m_masterOffline = true;
        emit masterOnline(false);
    } else if (p == "true") {
        m_masterOffline = false;
        emit masterOnline(true);
    }
}
