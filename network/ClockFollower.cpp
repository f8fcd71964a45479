#include "ClockFollower.h"

#include "MqttClient.h"

#include <QDebug>

ClockFollower::ClockFollower(const BrokerAddress& broker, QObject* parent)
    : QObject(parent), m_client(new MqttClient(broker, this)), m_broker(broker)
{
    connect(&m_senders, &SenderWatch::twoSenders, this, &ClockFollower::twoSenders);
    // online first: a master that is gone is known before its last state
    // (retained, and old by now) arrives
    m_client->subscribe(broker.onlineTopic());
    m_client->subscribe(broker.stateTopic());
    connect(m_client, &MqttClient::messagesReceived, this, &ClockFollower::take);
    connect(m_client, &MqttClient::disconnected, this, &ClockFollower::connectionLost);
    connect(m_client, &MqttClient::connected, this, &ClockFollower::connectionBack);
}

void ClockFollower::start() { m_client->start(); }

void ClockFollower::take(const QList<MqttMessage>& messages)
{
    for (const MqttMessage& m : messages) {
        if (m.topic == m_broker.stateTopic())
            takeState(m.payload, m.retained);
        else if (m.topic == m_broker.onlineTopic())
            takeOnline(m.payload);
    }
    // the client tells from the event loop: passed on at once
    if (m_newest) {
        m_last = *m_newest;
        m_newest.reset();
        emit stateReceived(*m_last);
    }
}

void ClockFollower::takeState(const QByteArray& payload, bool retained)
{
    if (payload.isEmpty())
        return; // a master without time yet cleared its state
    QString why;
    const std::optional<ClockState> s = clockstate::fromJson(payload, &why);
    if (!s) {
        if (m_ignored++ == 0)
            qWarning("quendrasil: Nachricht auf %s verworfen: %s (weitere werden nicht gemeldet)",
                     qPrintable(m_broker.stateTopic()), qPrintable(why));
        return;
    }
    if (!m_last && !m_newest && m_masterOffline)
        return; // the last word of a master that is gone: its time is old
    const bool sameSession = m_last && s->session == m_last->session;
    // the same one again (a retained copy after a reconnection), or an
    // older copy the broker kept; a master that went away may count anew
    if (sameSession && s->seq == m_last->seq)
        return;
    if (sameSession && retained && s->seq < m_last->seq && !m_masterGone)
        return;
    // of states heard at once only the newest of one sender: the older ones
    // would set the clock back for a moment
    if (m_newest && m_newest->session == s->session && s->seq <= m_newest->seq)
        return;
    if (!retained)
        m_senders.heard(s->session);
    m_masterGone = false;
    m_newest = *s;
}

void ClockFollower::takeOnline(const QByteArray& payload)
{
    const QByteArray p = payload.trimmed();
    if (p == "false") {
        // whatever comes next is from a master that started anew
        m_masterGone = true;
        m_masterOffline = true;
        m_senders.forget();
        emit masterOnline(false);
    } else if (p == "true") {
        m_masterOffline = false;
        emit masterOnline(true);
    }
}
