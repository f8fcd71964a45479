#include "WebServer.h"

#include "ClockEvents.h"
#include "ClockState.h"
#include "Module1.h"
#include "Page.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

#include <algorithm>

namespace {

// What a live page costs: it watches the page's socket from before the page
// reads it, and drops the page that reads too little or sends too much.
class PageWatch : public QObject {
public:
    PageWatch(QTcpSocket* socket, const WebLimits& limits) : QObject(socket), m_socket(socket), m_limits(limits)
    {
        connect(socket, &QTcpSocket::readyRead, this, [this] { check(m_socket->bytesAvailable(), 0); });
    }

    void attach(QWebSocket* page)
    {
        m_page = page;
        // a page sends nothing but the protocol's own frames
        page->setMaxAllowedIncomingFrameSize(1024);
        page->setMaxAllowedIncomingMessageSize(1024);
        connect(page, &QWebSocket::textMessageReceived, this, [this] { check(0, 1); });
        connect(page, &QWebSocket::binaryMessageReceived, this, [this] { check(0, 1); });
        connect(page, &QWebSocket::pong, this, [this] { m_answered = true; });
        m_window.start();
        m_sincePing.start();
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &PageWatch::tick);
        timer->start(std::min(1000, m_limits.pageSilenceMs / 2));
    }

private:
    void check(qint64 bytes, int messages)
    {
        if (!m_page || m_dropped)
            return;
        if (m_socket->bytesToWrite() > m_limits.pageBacklog) {
            m_dropped = true;
            m_page->abort(); // it reads nothing, so it would not read a close frame either
            return;
        }
        if (m_window.elapsed() >= 1000) {
            m_window.restart();
            m_bytes = 0;
            m_messages = 0;
        }
        m_bytes += bytes;
        m_messages += messages;
        if (m_bytes > m_limits.pageBytesPerSecond || m_messages > m_limits.pageMessagesPerSecond) {
            m_dropped = true;
            m_page->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("zu viel gesendet"));
            QTimer::singleShot(1000, m_page, &QWebSocket::abort);
        }
    }

    void tick()
    {
        check(0, 0);
        // a page that answers no ping (a phone gone to sleep, a lost network)
        // is dropped rather than kept until the network gives up on it
        if (m_dropped || m_sincePing.elapsed() < m_limits.pageSilenceMs / 2)
            return;
        if (!m_answered) {
            m_dropped = true;
            m_page->abort();
            return;
        }
        m_answered = false;
        m_sincePing.restart();
        m_page->ping();
    }

    QTcpSocket* m_socket;
    QWebSocket* m_page = nullptr;
    WebLimits m_limits;
    QElapsedTimer m_window; // the current second
    QElapsedTimer m_sincePing;
    qint64 m_bytes = 0;
    int m_messages = 0;
    bool m_answered = true;
    bool m_dropped = false;
};

PageWatch* watchOf(QTcpSocket* socket)
{
    for (QObject* child : socket->children())
        if (auto* watch = dynamic_cast<PageWatch*>(child))
            return watch;
    return nullptr;
}

} // namespace

std::optional<ListenAddress> parseListenAddress(const QString& text, QString* why)
{
    // [IPv6]:PORT, IPv4:PORT, localhost:PORT or PORT
    static const QRegularExpression form(QStringLiteral(
        "^(?:(?:\\[([0-9A-Fa-f:.]+)\\]|([0-9]{1,3}(?:\\.[0-9]{1,3}){3}|localhost)):)?([0-9]{1,5})$"));
    const auto match = form.match(text);
    auto refuse = [why, &text](const QString& reason) -> std::optional<ListenAddress> {
        if (why)
            *why = QStringLiteral("--web %1: %2").arg(text, reason);
        return std::nullopt;
    };
    if (!match.hasMatch())
        return refuse(QStringLiteral("erwartet wird [ADRESSE:]PORT, etwa 8080 oder 127.0.0.1:8080."));
    ListenAddress where;
    const int port = match.captured(3).toInt();
    if (port < 1 || port > 65535)
        return refuse(QStringLiteral("der Port muss zwischen 1 und 65535 liegen."));
    where.port = static_cast<quint16>(port);
    const QString host = match.hasCaptured(1) ? match.captured(1) : match.captured(2);
    if (host.isEmpty())
        return where;
    if (host == u"localhost")
        where.address = QHostAddress(QHostAddress::LocalHost);
    else if (!where.address.setAddress(host)
             || match.hasCaptured(1) != (where.address.protocol() == QAbstractSocket::IPv6Protocol))
        return refuse(QStringLiteral("„%1“ ist keine IP-Adresse dieses Rechners.").arg(host));
    return where;
}

WebServer::WebServer(const Module1& m, ClockEvents* events, const WebLimits& limits, QObject* parent)
    : QObject(parent), m_module(m), m_events(events), m_limits(limits),
      m_sockets(new QWebSocketServer(QStringLiteral("Quendrasil"), QWebSocketServer::NonSecureMode, this)),
      m_guard(new ConnectionGuard(
          limits, [this](const http::Request& r) { return answer(r); },
          [this](QTcpSocket* s) { return offerPage(s); }, this))
{
    if (events) {
        // queued: nothing of this runs inside a tick
        connect(events, &ClockEvents::stateChanged, this, &WebServer::push, Qt::QueuedConnection);
        connect(events, &ClockEvents::minutePassed, this, &WebServer::push, Qt::QueuedConnection);
    }
    connect(m_sockets, &QWebSocketServer::newConnection, this, &WebServer::takePages);
}

WebServer::~WebServer()
{
    // pages first, then the sockets they came on
    for (QWebSocket* page : std::as_const(m_pages)) {
        page->disconnect(this);
        delete page;
    }
    m_pages.clear();
    delete m_guard;
    delete m_sockets;
}

bool WebServer::listen(const ListenAddress& where, QString* why)
{
    if (!m_guard->listen(where.address, where.port)) {
        if (why) {
            switch (m_guard->serverError()) {
            case QAbstractSocket::AddressInUseError:
                *why = QStringLiteral("Der Port ist schon belegt.");
                break;
            case QAbstractSocket::SocketAddressNotAvailableError:
                *why = QStringLiteral("Die Adresse gehört nicht zu diesem Rechner.");
                break;
            case QAbstractSocket::SocketAccessError:
                *why = QStringLiteral("Keine Berechtigung für diesen Port.");
                break;
            default:
                *why = m_guard->errorString();
            }
        }
        return false;
    }
    return true;
}

quint16 WebServer::port() const
{
    return m_guard->serverPort();
}

int WebServer::openConnections() const
{
    return m_guard->openConnections();
}

namespace {

// the page asked for with its analog face ("/?style=analog")
bool analog(const http::Request& request)
{
    return request.target.contains("?style=analog") || request.target.contains("&style=analog");
}

} // namespace

http::Reply WebServer::answer(const http::Request& request)
{
    const QByteArray path = request.path();
    http::Reply reply;
    if (path == "/state") {
        reply = {200, "application/json", sharedState()};
    } else if (path == "/live") {
        return {426, "text/plain; charset=utf-8", "Nur als WebSocket.\n", {{"Upgrade", "websocket"}}};
    } else {
        webpage::File f = webpage::file(path, analog(request), [this] { return pageState(); });
        if (f.body.isEmpty())
            return {404, "text/plain; charset=utf-8", "Nicht gefunden.\n"};
        if (f.type.startsWith("text/html"))
            reply.fields.emplaceBack("Content-Security-Policy", "default-src 'self'; connect-src 'self'; "
                                                                "img-src 'self' data:; frame-ancestors 'none'");
        reply.status = 200;
        reply.type = f.type;
        reply.body = std::move(f.body);
    }
    reply.fields.emplaceBack("Cache-Control", "no-cache");
    reply.fields.emplaceBack("X-Content-Type-Options", "nosniff");
    reply.fields.emplaceBack("Referrer-Policy", "no-referrer");
    return reply;
}

QByteArray WebServer::sharedState()
{
    return clockstate::toJson(clockstate::of(m_module, ++m_seq));
}

QByteArray WebServer::pageState()
{
    const ClockState s = clockstate::of(m_module, ++m_seq);
    // how far the current fast second has gone, as the clock's timer knows
    // it; a tick that is due but not yet made ends the second, rather than
    // letting the page run ahead of the program
    qint64 elapsed = 0;
    const std::optional<TickPhase> tick = s.running && m_events ? m_events->tickPhase() : std::nullopt;
    if (tick)
        elapsed = std::clamp<qint64>(tick->sinceLast, 0, s.timeBase - 1);
    // before the first Start the page shows that the clock has not started;
    // a follower's page shows its master's time, held or running
    QJsonObject o = clockstate::toObject(s);
    o.insert(QLatin1StringView("elapsed"), elapsed);
    o.insert(QLatin1StringView("started"), s.running || (m_events && m_events->timeShown()));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

void WebServer::push()
{
    if (m_pages.isEmpty())
        return;
    const QString message = QString::fromUtf8(pageState());
    const QList<QWebSocket*> pages = m_pages;
    for (QWebSocket* page : pages) {
        if (page->bytesToWrite() > m_limits.pageBacklog)
            page->abort(); // a page that reads nothing is dropped
        else
            page->sendTextMessage(message);
    }
}

bool WebServer::offerPage(QTcpSocket* socket)
{
    m_upgrading.removeIf([](const QPointer<QTcpSocket>& s) { return !s || s->state() != QAbstractSocket::ConnectedState; });
    const QHostAddress from = socket->peerAddress();
    qsizetype fromThere = 0;
    for (const QWebSocket* page : std::as_const(m_pages))
        fromThere += page->peerAddress() == from;
    for (const QPointer<QTcpSocket>& s : std::as_const(m_upgrading))
        fromThere += s->peerAddress() == from;
    if (m_pages.size() + m_upgrading.size() >= m_limits.pages || fromThere >= m_limits.pagesPerAddress)
        return false;
    m_upgrading.append(socket);
    new PageWatch(socket, m_limits); // before the WebSocket reads anything
    m_sockets->handleConnection(socket);
    return true;
}

void WebServer::takePages()
{
    while (m_sockets->hasPendingConnections()) {
        QWebSocket* page = m_sockets->nextPendingConnection();
        if (!page)
            break;
        page->setParent(this);
        PageWatch* watch = nullptr;
        for (qsizetype i = 0; i < m_upgrading.size(); ++i) {
            QTcpSocket* s = m_upgrading[i];
            if (s && s->peerPort() == page->peerPort() && s->peerAddress() == page->peerAddress()) {
                watch = watchOf(s);
                m_upgrading.removeAt(i);
                break;
            }
        }
        connect(page, &QWebSocket::disconnected, this, [this, page] {
            m_pages.removeOne(page);
            page->deleteLater();
        });
        if (!watch) { // not one of ours: cannot happen, but would not be watched
            page->abort();
            continue;
        }
        watch->attach(page);
        m_pages.append(page);
        page->sendTextMessage(QString::fromUtf8(pageState()));
    }
}
