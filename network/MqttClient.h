#pragma once

#include "BrokerAddress.h"
#include "MqttMessage.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

struct mosquitto;
struct mosquitto_message;
struct Pending;
struct Outbox;

class QHostInfo;
class QSocketNotifier;

// An MQTT connection in Qt's event loop: libmosquitto's socket is watched by
// socket notifiers and its housekeeping (keep-alive, retries) runs on a timer,
// so no extra thread is needed and nothing here ever waits for the network.
// A lost connection is taken up again by itself: quickly (every half second)
// for the first seconds, then every 5 to 10 seconds, and slowly at once after
// a refused login or a TLS failure; subscriptions are renewed on every
// connection. A host name is looked up beside the event loop (QHostInfo) at
// most once a minute, and each address is tried in turn; only with TLS, which
// checks the certificate against the name, the library looks the name up
// once more as it connects.
// The signals are emitted from the event loop, never inside a call of the
// library or of this client: a receiver may publish, open a dialog or delete
// the client.
class MqttClient : public QObject {
    Q_OBJECT

public:
    // Seconds between signs of life; a broker that stays silent twice as long
    // is taken as lost, and the broker publishes the last will of a client
    // silent for one and a half times as long.
    static constexpr int kKeepAlive = 5;

    MqttClient(const BrokerAddress& broker, QObject* parent = nullptr);
    ~MqttClient() override;

    // The message the broker publishes when this client is gone without
    // saying goodbye; before start().
    void setWill(const QString& topic, const QByteArray& payload, bool retain);
    // Subscribed now (when connected) and on every connection.
    void subscribe(const QString& topic);
    // Begins connecting.
    void start();

    bool isConnected() const { return m_connected; }
    // Queues a message; false when not connected (it is then dropped, as a
    // stale message would be wrong later).
    bool publish(const QString& topic, const QByteArray& payload, bool retain, int qos = 0);

    const BrokerAddress& broker() const { return m_broker; }

signals:
    void connected();
    // why is a short reason in German, for the user; refused: the broker
    // refused the login (user or password)
    void disconnected(const QString& why, bool refused);
    // what arrived in one go (a burst a stopped broker held back comes whole)
    void messagesReceived(const QList<MqttMessage>& messages);

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* msg);

    void connectNow();
    void scheduleRetry();
    void deliver();
    void hostFound(const QHostInfo& info);
    Pending& pending();
    void runLoop(int (*step)(mosquitto*));
    void tell(int kind, const QString& why = {}, bool refused = false, QList<MqttMessage> messages = {});
    void afterLoop();
    void watchSocket();
    void updateWriteWatch();
    void readable();
    void writable();
    void housekeeping();

    BrokerAddress m_broker;
    mosquitto* m_mosq = nullptr;
    QStringList m_topics;
    QSocketNotifier* m_read = nullptr;
    QSocketNotifier* m_write = nullptr;
    int m_socket = -1;
    QTimer m_misc;      // keep-alive and retries
    QTimer m_retry;     // the next connection attempt
    int m_tries = 0;    // attempts since the connection was lost
    QElapsedTimer m_lost; // since the connection was lost (or the start)
    bool m_slow = false;  // a refused login or TLS failure: no quick tries
    bool m_started = false;
    bool m_everFailed = false;
    bool m_refused = false; // the last attempt's login was refused
    bool m_reportedRefused = false;
    bool m_connected = false;
    bool m_inLoop = false;
    std::unique_ptr<Pending> m_pending; // left by the library's callbacks
    std::unique_ptr<Outbox> m_outbox;   // to be told to receivers from the event loop
    QString m_lastError;
    QString m_tlsError; // set up for TLS failed: never connect
    QList<QHostAddress> m_addresses; // of the last lookup
    QElapsedTimer m_lookedUp;        // since the last lookup
    qsizetype m_nextAddress = 0;     // to try next; past the end: look up anew
    bool m_lookingUp = false;
};
