#pragma once

#include "BrokerAddress.h"
#include "ClockState.h"

#include <QObject>

#include <cstdint>
#include <optional>

class MqttClient;

// The follower's ear: hears the clock NAME and passes on every state that is
// sound and newer than the last one, after the event loop's turn in which it
// came; of several in one turn only the newest. Whatever arrives is
// untrusted; what is not a sound state is ignored (the first of them logged).
class ClockFollower : public QObject {
    Q_OBJECT

public:
    // Steps back of the sequence number larger than this mean a master that
    // started anew (with a clock set back), not an old message.
    static constexpr std::int64_t kRestartDrop = 1000;

    ClockFollower(const BrokerAddress& broker, QObject* parent = nullptr);
    void start();
    MqttClient& client() const { return *m_client; }

    // The heart of it, apart from the network: a payload from the state topic.
    void takeState(const QByteArray& payload);
    // A payload from the online topic: "true" or "false".
    void takeOnline(const QByteArray& payload);

    int ignored() const { return m_ignored; }

signals:
    void stateReceived(const ClockState& state);
    void masterOnline(bool online);
    void connectionLost(const QString& why);
    void connectionBack();

private:
    void passOnNewest();

    MqttClient* m_client;
    BrokerAddress m_broker;
    std::optional<std::int64_t> m_lastSeq;
    std::optional<ClockState> m_newest; // heard, not yet passed on
    bool m_masterGone = false;    // went away since the last state
    bool m_masterOffline = false; // is away now
    int m_ignored = 0;
};
