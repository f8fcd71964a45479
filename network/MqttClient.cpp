#include "MqttClient.h"

#include <QHostInfo>
#include <QList>
#include <QPointer>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <vector>

namespace {

// Quick tries for this long after a connection is lost (a restarted broker
// is back at once), then slow ones at random within kSlowRetryMs to twice as
// long, so that many clients do not come back in one wave.
constexpr int kFirstRetryMs = 250;
constexpr int kQuickRetryMs = 500;
constexpr qint64 kQuickPhaseMs = 10'000;
constexpr int kSlowRetryMs = 5000;
// A name is looked up again at most this often (it may point elsewhere by
// now); in between its addresses are tried again.
constexpr qint64 kLookUpAgainMs = 60'000;
constexpr int kHousekeepingMs = 250;
constexpr int kPacketsPerRead = 64;

void initLibrary()
{
    static const bool done = [] {
        mosquitto_lib_init();
        return true;
    }();
    (void)done;
}

QString reason(int rc)
{
    switch (rc) {
    case MOSQ_ERR_SUCCESS:
        return QStringLiteral("Verbindung beendet");
    case MOSQ_ERR_KEEPALIVE:
        return QStringLiteral("der Broker antwortet nicht");
    case MOSQ_ERR_CONN_LOST:
        return QStringLiteral("Verbindung verloren");
    case MOSQ_ERR_ERRNO:
        return QString::fromLocal8Bit(strerror(errno));
    default:
        return QString::fromUtf8(mosquitto_strerror(rc));
    }
}

} // namespace

// What the library's callbacks leave for the client to act on once the
// library call has returned, so that no signal is emitted inside the library.
struct Pending {
    bool connected = false;
    QString refused;
    bool loginRefused = false;
    QList<MqttMessage> messages;
};

// What receivers are told once the event loop is back: in order.
struct Outbox {
    enum Kind { Connected, Disconnected, Messages };
    struct Event {
        int kind;
        QString why;
        bool refused;
        QList<MqttMessage> messages;
    };
    std::vector<Event> events;
};

MqttClient::MqttClient(const BrokerAddress& broker, QObject* parent) : QObject(parent), m_broker(broker)
{
    initLibrary();
    m_mosq = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(m_mosq, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(m_mosq, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(m_mosq, &MqttClient::onMessage);
    if (!broker.user.isEmpty())
        mosquitto_username_pw_set(m_mosq, broker.user.toUtf8().constData(),
                                  broker.password.isEmpty() ? nullptr : broker.password.toUtf8().constData());
    if (broker.tls) {
        // the system's certificates; a club's own authority is named as for
        // any program built on OpenSSL (SSL_CERT_FILE, SSL_CERT_DIR)
        const QByteArray file = qgetenv("SSL_CERT_FILE");
        const QByteArray dir = qEnvironmentVariableIsEmpty("SSL_CERT_DIR") ? QByteArrayLiteral("/etc/ssl/certs")
                                                                           : qgetenv("SSL_CERT_DIR");
        const int rc = mosquitto_tls_set(m_mosq, file.isEmpty() ? nullptr : file.constData(), dir.constData(), nullptr,
                                         nullptr, nullptr);
        // without it the password would go out as plain text: no connection then
        if (rc != MOSQ_ERR_SUCCESS)
            m_tlsError = QStringLiteral("Zertifikate %1 nicht lesbar").arg(QString::fromLocal8Bit(file));
    }

    m_misc.setInterval(kHousekeepingMs);
    connect(&m_misc, &QTimer::timeout, this, &MqttClient::housekeeping);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &MqttClient::connectNow);
}

MqttClient::~MqttClient()
{
    // never within their own signal: receivers run from the event loop
    delete m_read;
    delete m_write;
    m_read = m_write = nullptr;
    // closes the socket without a goodbye, so the broker publishes the will
    mosquitto_destroy(m_mosq);
}

void MqttClient::setWill(const QString& topic, const QByteArray& payload, bool retain)
{
    mosquitto_will_set(m_mosq, topic.toUtf8().constData(), static_cast<int>(payload.size()), payload.constData(), 1,
                       retain);
}

void MqttClient::subscribe(const QString& topic)
{
    m_topics << topic;
    if (m_connected) {
        mosquitto_subscribe(m_mosq, nullptr, topic.toUtf8().constData(), 1);
        updateWriteWatch();
    }
}

void MqttClient::start()
{
    if (m_started)
        return;
    m_started = true;
    m_lost.start();
    m_misc.start();
    connectNow();
}

void MqttClient::connectNow()
{
    if (m_connected || m_socket >= 0)
        return;
    if (m_lookingUp)
        return;
    if (!m_tlsError.isEmpty()) {
        m_lastError = m_tlsError;
        m_slow = true;
        afterLoop();
        return;
    }
    if (m_nextAddress >= m_addresses.size() && !m_addresses.isEmpty() && m_lookedUp.isValid() &&
        m_lookedUp.elapsed() < kLookUpAgainMs)
        m_nextAddress = 0; // every address tried: again, the name looked up lately
    if (m_nextAddress >= m_addresses.size()) {
        // none known yet, or the name may point elsewhere by now
        m_lookingUp = true;
        QHostInfo::lookupHost(m_broker.host, this, &MqttClient::hostFound);
        return;
    }
    // with TLS the library checks the broker's certificate against the name
    const QString target = m_broker.tls ? m_broker.host : m_addresses.at(m_nextAddress).toString();
    ++m_nextAddress;
    m_refused = false;
    const int rc = mosquitto_connect_async(m_mosq, target.toUtf8().constData(), m_broker.port, kKeepAlive);
    if (rc != MOSQ_ERR_SUCCESS)
        m_lastError = reason(rc);
    afterLoop();
}

void MqttClient::hostFound(const QHostInfo& info)
{
    m_lookingUp = false;
    m_lookedUp.start();
    m_addresses = info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>{};
    m_nextAddress = 0;
    if (m_addresses.isEmpty()) {
        m_lastError = QStringLiteral("Rechner \u201e%1\u201c nicht gefunden").arg(m_broker.host);
        afterLoop(); // tries again later
        return;
    }
    if (m_broker.tls)
        m_addresses = {m_addresses.first()}; // the library tries the name's addresses itself
    connectNow();
}

bool MqttClient::publish(const QString& topic, const QByteArray& payload, bool retain, int qos)
{
    if (!m_connected)
        return false;
    const int rc = mosquitto_publish(m_mosq, nullptr, topic.toUtf8().constData(), static_cast<int>(payload.size()),
                                     payload.constData(), qos, retain);
    afterLoop();
    return rc == MOSQ_ERR_SUCCESS;
}

void MqttClient::onConnect(mosquitto*, void* self, int rc)
{
    auto* c = static_cast<MqttClient*>(self);
    if (rc == 0) {
        c->pending().connected = true;
    } else {
        c->pending().refused = QString::fromUtf8(mosquitto_connack_string(rc));
        // 4: bad user name or password, 5: not authorised
        c->pending().loginRefused = rc == 4 || rc == 5;
    }
}

void MqttClient::onDisconnect(mosquitto*, void* self, int rc)
{
    // rc 0: this client said goodbye itself and has said why
    auto* c = static_cast<MqttClient*>(self);
    if (rc != MOSQ_ERR_SUCCESS)
        c->m_lastError = reason(rc);
    if ((rc == MOSQ_ERR_TLS || rc == MOSQ_ERR_TLS_HANDSHAKE) && !c->m_connected)
        c->m_slow = true; // the handshake failed: a broker not trusted stays so
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* msg)
{
    auto* c = static_cast<MqttClient*>(self);
    c->pending().messages.append({QString::fromUtf8(msg->topic),
                                  QByteArray(static_cast<const char*>(msg->payload), msg->payloadlen), msg->retain});
}

Pending& MqttClient::pending()
{
    if (!m_pending)
        m_pending = std::make_unique<Pending>();
    return *m_pending;
}

void MqttClient::readable()
{
    // The library reads one packet a call. What has arrived is read in one
    // go, so that a burst (what a stopped broker held back) is heard whole
    // before anything else runs; a flood still lets the event loop in.
    runLoop([](mosquitto* mosq) {
        const int fd = mosquitto_socket(mosq);
        int waiting = 0;
        int rc = MOSQ_ERR_SUCCESS;
        for (int i = 0; i < kPacketsPerRead; ++i) {
            if ((rc = mosquitto_loop_read(mosq, 1)) != MOSQ_ERR_SUCCESS)
                break;
            if (fd < 0 || ::ioctl(fd, FIONREAD, &waiting) != 0 || waiting <= 0)
                break;
        }
        return rc;
    });
}

void MqttClient::writable()
{
    runLoop([](mosquitto* mosq) { return mosquitto_loop_write(mosq, 16); });
}

void MqttClient::housekeeping()
{
    if (m_socket >= 0)
        runLoop([](mosquitto* mosq) { return mosquitto_loop_misc(mosq); });
}

void MqttClient::runLoop(int (*step)(mosquitto*))
{
    // one library call at a time; what it reported is handled after it returns
    if (m_inLoop)
        return;
    m_inLoop = true;
    const int rc = step(m_mosq);
    m_inLoop = false;
    if ((rc == MOSQ_ERR_TLS || rc == MOSQ_ERR_TLS_HANDSHAKE) && !m_connected)
        m_slow = true; // the handshake failed: a broker not trusted stays so
    afterLoop();
}

void MqttClient::afterLoop()
{
    watchSocket();
    Pending p;
    if (m_pending)
        std::swap(p, *m_pending);

    if (!p.refused.isEmpty()) {
        // the broker said no: tried again slowly, its configuration may change
        m_lastError = p.loginRefused ? QStringLiteral("Anmeldung abgelehnt")
                                     : QStringLiteral("der Broker lehnt ab: %1").arg(p.refused);
        m_refused = p.loginRefused;
        m_slow = true;
        mosquitto_disconnect(m_mosq);
        watchSocket();
    }
    if (p.connected && !m_connected) {
        m_connected = true;
        m_tries = 0;
        m_slow = m_refused = false;
        m_lastError.clear();
        for (const QString& topic : std::as_const(m_topics))
            mosquitto_subscribe(m_mosq, nullptr, topic.toUtf8().constData(), 1);
        updateWriteWatch();
        tell(Outbox::Connected);
    }
    if (!p.messages.isEmpty())
        tell(Outbox::Messages, {}, false, std::move(p.messages));

    if (m_socket < 0 && m_started && !m_retry.isActive()) {
        const bool was = m_connected;
        m_connected = false;
        if (was) {
            m_lost.restart();
            m_tries = 0;
        }
        scheduleRetry();
        if (was || !m_everFailed || m_refused != m_reportedRefused) {
            m_everFailed = true;
            m_reportedRefused = m_refused;
            tell(Outbox::Disconnected, m_lastError.isEmpty() ? QStringLiteral("keine Verbindung") : m_lastError,
                 m_refused);
        }
    }
}

void MqttClient::scheduleRetry()
{
    const bool quick = !m_slow && m_lost.elapsed() < kQuickPhaseMs;
    const int ms = quick ? (m_tries == 0 ? kFirstRetryMs : kQuickRetryMs)
                         : kSlowRetryMs + static_cast<int>(QRandomGenerator::global()->bounded(kSlowRetryMs + 1));
    ++m_tries;
    m_retry.start(ms);
}

void MqttClient::tell(int kind, const QString& why, bool refused, QList<MqttMessage> messages)
{
    if (!m_outbox)
        m_outbox = std::make_unique<Outbox>();
    std::vector<Outbox::Event>& events = m_outbox->events;
    const bool posted = !events.empty();
    if (kind == Outbox::Messages && posted && events.back().kind == Outbox::Messages)
        events.back().messages += messages;
    else
        events.push_back({kind, why, refused, std::move(messages)});
    if (!posted)
        QMetaObject::invokeMethod(this, &MqttClient::deliver, Qt::QueuedConnection);
}

void MqttClient::deliver()
{
    if (!m_outbox)
        return;
    std::vector<Outbox::Event> events;
    std::swap(events, m_outbox->events);
    // a receiver may delete this client, or run an event loop of its own in
    // which more is told (then in a delivery of its own)
    const QPointer<MqttClient> self(this);
    for (const Outbox::Event& e : events) {
        if (!self)
            return;
        if (e.kind == Outbox::Connected)
            emit connected();
        else if (e.kind == Outbox::Disconnected)
            emit disconnected(e.why, e.refused);
        else
            emit messagesReceived(e.messages);
    }
}

void MqttClient::watchSocket()
{
    const int fd = mosquitto_socket(m_mosq);
    if (fd != m_socket) {
        // this may run within one of their own signals
        for (QSocketNotifier* n : {m_read, m_write}) {
            if (n) {
                n->setEnabled(false);
                n->deleteLater();
            }
        }
        m_read = m_write = nullptr;
        m_socket = fd;
        if (fd >= 0) {
            m_read = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(m_read, &QSocketNotifier::activated, this, &MqttClient::readable);
            m_write = new QSocketNotifier(fd, QSocketNotifier::Write, this);
            connect(m_write, &QSocketNotifier::activated, this, &MqttClient::writable);
        }
    }
    updateWriteWatch();
}

void MqttClient::updateWriteWatch()
{
    if (m_write)
        m_write->setEnabled(mosquitto_want_write(m_mosq));
}
