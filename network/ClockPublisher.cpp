#include "ClockPublisher.h"

#include "ClockEvents.h"
#include "ClockState.h"
#include "FastTime.h"
#include "Module1.h"
#include "MqttClient.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {

// Sent this long after the tick it follows, so that the tick is done.
constexpr qint64 kAfterTickMs = 2;
// A tick further away than this is not waited for.
constexpr qint64 kLongestWaitMs = 2000;

// the text of the time file, without its line end
QByteArray hoursMinutes(std::int32_t time)
{
    const TimeParts p = splitTime(time);
    return timeFileLine(p.std, p.min).chopped(2);
}

} // namespace

ClockPublisher::ClockPublisher(Module1& m, ClockEvents& events, const BrokerAddress& broker, QObject* parent)
    : QObject(parent), m_module(m), m_events(&events), m_client(new MqttClient(broker, this)), m_broker(broker),
      // a restarted master goes on with larger numbers than its last run
      m_seq(QDateTime::currentMSecsSinceEpoch()),
      m_session(QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, u'0'))
{
    m_clock.start();
    connect(&m_senders, &SenderWatch::twoSenders, this, &ClockPublisher::twoSenders);
    m_send.setSingleShot(true);
    m_send.setTimerType(Qt::PreciseTimer);
    connect(&m_send, &QTimer::timeout, this, &ClockPublisher::publishState);
    // never inside a tick: after it, from the event loop
    connect(&events, &ClockEvents::stateChanged, this, &ClockPublisher::stateChanged, Qt::QueuedConnection);
    connect(&events, &ClockEvents::minutePassed, this, &ClockPublisher::publishState, Qt::QueuedConnection);

    m_client->setWill(broker.onlineTopic(), "false", true);
    m_client->subscribe(broker.stateTopic());
    connect(m_client, &MqttClient::messagesReceived, this, &ClockPublisher::hear);
    connect(m_client, &MqttClient::connected, this, [this] {
        m_client->publish(m_broker.onlineTopic(), "true", true, 1);
        m_lastTime.clear();
        publishWhenTicked();
        emit connectionBack();
    });
    connect(m_client, &MqttClient::disconnected, this, &ClockPublisher::connectionLost);
}

ClockPublisher::~ClockPublisher()
{
    // a goodbye of our own; should it not get through, the will says the same
    m_client->publish(m_broker.onlineTopic(), "false", true, 0);
}

void ClockPublisher::start() { m_client->start(); }

void ClockPublisher::stateChanged()
{
    // until the first Start the clock has no time to share
    m_clockStarted = m_clockStarted || m_module.running;
    publishState();
}

void ClockPublisher::publishState()
{
    m_send.stop();
    if (!m_client->isConnected())
        return; // sent again once connected
    if (!m_clockStarted) {
        // no time yet: the state of an earlier run is cleared
        m_client->publish(m_broker.stateTopic(), QByteArray(), true);
        m_client->publish(m_broker.timeTopic(), QByteArray(), true);
        return;
    }
    // the state at this very moment
    ClockState s = clockstate::of(m_module, ++m_seq);
    s.session = m_session;
    m_client->publish(m_broker.stateTopic(), clockstate::toJson(s), true);
    const QByteArray time = hoursMinutes(s.time);
    if (time != m_lastTime && m_client->publish(m_broker.timeTopic(), time, true))
        m_lastTime = time;
    m_lastSent = m_clock.elapsed();
    planRefresh();
}

std::optional<TickPhase> ClockPublisher::tickPhase() const
{
    if (!m_module.running || !m_events)
        return std::nullopt;
    const std::optional<TickPhase> tick = m_events->tickPhase();
    if (!tick || tick->intervalMs > kLongestWaitMs)
        return std::nullopt;
    return tick;
}

void ClockPublisher::publishWhenTicked()
{
    const std::optional<TickPhase> tick = tickPhase();
    if (!tick) {
        publishState();
        return;
    }
    // just after the next tick; one that is due already comes at once
    const double next = std::max(0.0, tick->intervalMs - static_cast<double>(tick->sinceLast));
    m_send.start(static_cast<int>(std::ceil(next)) + static_cast<int>(kAfterTickMs));
}

void ClockPublisher::planRefresh()
{
    // the last tick before the refresh falls due, or the moment itself
    const qint64 now = m_clock.elapsed();
    const qint64 due = m_lastSent + kRefreshMs;
    qint64 at = due;
    if (const std::optional<TickPhase> tick = tickPhase()) {
        const double lastTick = static_cast<double>(now - tick->sinceLast);
        const double before = lastTick + std::floor((static_cast<double>(due) - lastTick) / tick->intervalMs) * tick->intervalMs;
        const qint64 after = static_cast<qint64>(std::ceil(before)) + kAfterTickMs;
        if (after > now)
            at = after;
    }
    m_send.start(static_cast<int>(std::max<qint64>(0, at - now)));
}

void ClockPublisher::hear(const QList<MqttMessage>& messages)
{
    for (const MqttMessage& m : messages) {
        // a retained copy is an earlier run's or this one's, not a sender now
        if (m.retained || m.topic != m_broker.stateTopic() || m.payload.isEmpty())
            continue;
        // whatever is not a state of this program is no sender of the clock
        const std::optional<ClockState> s = clockstate::fromJson(m.payload);
        if (s)
            m_senders.heard(s->session);
    }
}

