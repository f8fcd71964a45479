#include "MqttClient.h"

#include <QHostInfo>
#include <QList>
#include <QPair>
#include <QSocketNotifier>
#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>

namespace {

constexpr int kFirstRetryMs = 250;
constexpr int kLongestRetryMs = 500;
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
    QList<QPair<QString, QByteArray>> messages;
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
        afterLoop();
        return;
    }
    if (m_nextAddress >= m_addresses.size()) {
        // every address tried (or none known yet): the name may point
        // elsewhere by now
        m_lookingUp = true;
        QHostInfo::lookupHost(m_broker.host, this, &MqttClient::hostFound);
        return;
    }
    // with TLS the library checks the broker's certificate against the name
    const QString target = m_broker.tls ? m_broker.host : m_addresses.at(m_nextAddress).toString();
    ++m_nextAddress;
    const int rc = mosquitto_connect_async(m_mosq, target.toUtf8().constData(), m_broker.port, kKeepAlive);
    if (rc != MOSQ_ERR_SUCCESS)
        m_lastError = reason(rc);
    afterLoop();
}

void MqttClient::hostFound(const QHostInfo& info)
{
    m_lookingUp = false;
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
    if (rc == 0)
        c->pending().connected = true;
    else
        c->pending().refused = QString::fromUtf8(mosquitto_connack_string(rc));
}

void MqttClient::onDisconnect(mosquitto*, void* self, int rc)
{
    // rc 0: this client said goodbye itself and has said why
    if (rc != MOSQ_ERR_SUCCESS)
        static_cast<MqttClient*>(self)->m_lastError = reason(rc);
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* msg)
{
    auto* c = static_cast<MqttClient*>(self);
    c->pending().messages.append({QString::fromUtf8(msg->topic),
                                  QByteArray(static_cast<const char*>(msg->payload), msg->payloadlen)});
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
        for (int i = 0; i < kPacketsPerRead; ++i) {
            if (mosquitto_loop_read(mosq, 1) != MOSQ_ERR_SUCCESS)
                break;
            if (fd < 0 || ::ioctl(fd, FIONREAD, &waiting) != 0 || waiting <= 0)
                break;
        }
    });
}

void MqttClient::writable()
{
    runLoop([](mosquitto* mosq) { mosquitto_loop_write(mosq, 16); });
}

void MqttClient::housekeeping()
{
    if (m_socket >= 0)
        runLoop([](mosquitto* mosq) { mosquitto_loop_misc(mosq); });
}

void MqttClient::runLoop(void (*step)(mosquitto*))
{
    // one library call at a time; what it reported is handled after it returns
    if (m_inLoop)
        return;
    m_inLoop = true;
    step(m_mosq);
    m_inLoop = false;
    afterLoop();
}

void MqttClient::afterLoop()
{
    watchSocket();
    Pending p;
    if (m_pending)
        std::swap(p, *m_pending);

    if (!p.refused.isEmpty()) {
        // the broker said no (user or password): try again later, the
        // broker's configuration may change
        m_lastError = QStringLiteral("der Broker lehnt ab: %1").arg(p.refused);
        mosquitto_disconnect(m_mosq);
        watchSocket();
    }
    if (p.connected && !m_connected) {
        m_connected = true;
        m_backoff = 0;
        m_lastError.clear();
        for (const QString& topic : std::as_const(m_topics))
            mosquitto_subscribe(m_mosq, nullptr, topic.toUtf8().constData(), 1);
        updateWriteWatch();
        emit connected();
    }
    for (const auto& [topic, payload] : std::as_const(p.messages))
        emit messageReceived(topic, payload);

    if (m_socket < 0 && m_started && !m_retry.isActive()) {
        const bool was = m_connected;
        m_connected = false;
        m_backoff = m_backoff == 0 ? kFirstRetryMs : std::min(kLongestRetryMs, m_backoff * 2);
        m_retry.start(m_backoff);
        if (was || !m_everFailed) {
            m_everFailed = true;
            emit disconnected(m_lastError.isEmpty() ? QStringLiteral("keine Verbindung") : m_lastError);
        }
    }
}

void MqttClient::watchSocket()
{
    const int fd = mosquitto_socket(m_mosq);
    if (fd != m_socket) {
        delete m_read;
        delete m_write;
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
