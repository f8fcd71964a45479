#pragma once

#include "BrokerAddress.h"
#include "MqttMessage.h"
#include "SenderWatch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <optional>

class ClockEvents;
struct TickPhase;
class MqttClient;
struct Module1;

// The master: publishes this program's clock as the clock NAME.
//   quendrasil/NAME/state   retained, the state as JSON, on every change, at
//                           every fast minute and at least every 10 real seconds
//   quendrasil/NAME/time    retained, "HH:MM", when the minute changes
//   quendrasil/NAME/online  retained, "true" while connected, "false" as the will
// Each start of the master has a session of its own, a random text in every
// state. The master hears its own state topic: a state of another session
// means a second sender of the clock.
// Before the first Start the clock has no time: the state and time topics are
// emptied (a retained state of an earlier run is removed).
// A state of a running clock is sent just after a tick (its timer tells when
// the ticks fall due), so a follower that starts its own tick at receipt is in
// phase with this one.
class ClockPublisher : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 kRefreshMs = 10'000;

    ClockPublisher(Module1& m, ClockEvents& events, const BrokerAddress& broker, QObject* parent = nullptr);
    ~ClockPublisher() override;

    void start();
    MqttClient& client() const { return *m_client; }

signals:
    // The broker could not be reached (first attempt) or was lost; and back.
    void connectionLost(const QString& why, bool refused);
    void connectionBack();
    // another sender's states are heard on this clock's topic, or no more
    void twoSenders(bool two);

private:
    void stateChanged();
    void publishState();
    // where the running clock stands between ticks, when a tick is worth
    // waiting for
    std::optional<TickPhase> tickPhase() const;
    void publishWhenTicked();
    void planRefresh();
    void hear(const QList<MqttMessage>& messages);

    Module1& m_module;
    QPointer<ClockEvents> m_events;
    MqttClient* m_client;
    BrokerAddress m_broker;
    std::int64_t m_seq;
    QString m_session;
    SenderWatch m_senders;
    bool m_clockStarted = false;
    QElapsedTimer m_clock;
    qint64 m_lastSent = 0;
    QByteArray m_lastTime;
    QTimer m_send; // the next state to send, planned just after a tick
};
