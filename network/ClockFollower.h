#pragma once

#include "BrokerAddress.h"
#include "MqttMessage.h"
#include "ClockState.h"
#include "SenderWatch.h"

#include <QList>
#include <QObject>

#include <cstdint>
#include <optional>

class MqttClient;

// The follower's ear: hears the clock NAME and passes on every sound state
// that is not a copy of one already heard; of several heard in one go (what a
// stopped broker held back) only the newest. A state with a lower number than
// the last one is taken all the same: one forged or stale message must not
// hold the follower off its master beyond the master's next state. Whatever
// arrives is untrusted; what is not a sound state is ignored (the first of
// them logged).
class ClockFollower : public QObject {
    Q_OBJECT

public:
    ClockFollower(const BrokerAddress& broker, QObject* parent = nullptr);
    void start();
    MqttClient& client() const { return *m_client; }

    // The heart of it, apart from the network: what arrived in one go.
    void take(const QList<MqttMessage>& messages);

    int ignored() const { return m_ignored; }

signals:
    void stateReceived(const ClockState& state);
    void masterOnline(bool online);
    // states of two senders (two sessions) are heard for this clock, or no more
    void twoSenders(bool two);
    void connectionLost(const QString& why, bool refused);
    void connectionBack();

private:
    void takeState(const QByteArray& payload, bool retained);
    void takeOnline(const QByteArray& payload);

    MqttClient* m_client;
    BrokerAddress m_broker;
    std::optional<ClockState> m_last;   // the last state passed on
    std::optional<ClockState> m_newest; // heard in this go, not yet passed on
    bool m_masterGone = false;    // went away since the last state
    bool m_masterOffline = false; // is away now
    int m_ignored = 0;
    SenderWatch m_senders;
};
