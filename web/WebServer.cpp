#include "WebServer.h"

#include "ClockEvents.h"
#include "ClockState.h"
#include "Module1.h"
#include "Page.h"

#include <QHttpServer>
#include <QRegularExpression>
#include <QTimer>
#include <QWebSocket>

namespace {

bool isHead(const QHttpServerRequest& r)
{
    return r.method() == QHttpServerRequest::Method::Head;
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
    : QObject(parent), m_module(m), m_limits(limits), m_http(new QHttpServer(this)),
      m_guard(new ConnectionGuard(
          limits, [this](const QTcpSocket& s) {
              for (const QWebSocket* page : std::as_const(m_pages))
                  if (page->peerPort() == s.peerPort() && page->peerAddress() == s.peerAddress())
                      return true;
              return false;
          }, m_http))
{
    m_secondStart.start();
    if (events) {
        // queued: nothing of this runs inside a tick
        connect(events, &ClockEvents::stateChanged, this, [this] { clockChanged(false); }, Qt::QueuedConnection);
        connect(events, &ClockEvents::minutePassed, this, [this] { clockChanged(true); }, Qt::QueuedConnection);
    }

    m_http->route(QStringLiteral("/"), [this](const QHttpServerRequest& r) {
        return answer(r, "text/html; charset=utf-8", webpage::page(pageState()));
    });
    m_http->route(QStringLiteral("/state"), [this](const QHttpServerRequest& r) {
        return answer(r, "application/json", sharedState());
    });
    // The HTTP server hands a WebSocket request over only when a route takes
    // it and writes nothing; any other request here learns what this path is.
    m_http->route(QStringLiteral("/live"), [](const QHttpServerRequest& r, QHttpServerResponder&& responder) {
        if (r.value("upgrade").compare("websocket", Qt::CaseInsensitive) != 0)
            responder.write(isHead(r) ? "" : "Nur als WebSocket.\n", "text/plain; charset=utf-8",
                            QHttpServerResponder::StatusCode::UpgradeRequired);
    });
    for (const char* path : {"/clock.js", "/clock.css", "/manifest.webmanifest"}) {
        m_http->route(QString::fromLatin1(path), [this, path](const QHttpServerRequest& r) {
            webpage::File f = webpage::file(QString::fromLatin1(path));
            return answer(r, f.type, std::move(f.body));
        });
    }
    m_http->setMissingHandler([](const QHttpServerRequest& r, QHttpServerResponder&& responder) {
        responder.write(isHead(r) ? "" : "Nicht gefunden.\n", "text/plain; charset=utf-8",
                        QHttpServerResponder::StatusCode::NotFound);
    });
    connect(m_http, &QHttpServer::newWebSocketConnection, this, &WebServer::takePages);
}

WebServer::~WebServer()
{
    // pages first: their sockets may still be children of the guard
    for (QWebSocket* page : std::as_const(m_pages)) {
        page->disconnect(this);
        delete page;
    }
    m_pages.clear();
    delete m_http;
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
    m_http->bind(m_guard);
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

QHttpServerResponse WebServer::answer(const QHttpServerRequest& request, const QByteArray& type, QByteArray body,
                                      QHttpServerResponse::StatusCode status)
{
    const auto method = request.method();
    if (method != QHttpServerRequest::Method::Get && method != QHttpServerRequest::Method::Head) {
        QHttpServerResponse refused("text/plain; charset=utf-8", "Nur Lesen.\n",
                                    QHttpServerResponse::StatusCode::MethodNotAllowed);
        refused.addHeader("Allow", "GET, HEAD");
        return refused;
    }
    // the HTTP server would send a body after HEAD too, which breaks the
    // next answer on the connection; HEAD gets the headers only
    if (method == QHttpServerRequest::Method::Head)
        body.clear();
    QHttpServerResponse response(type, std::move(body), status);
    response.addHeader("Cache-Control", "no-cache");
    response.addHeader("X-Content-Type-Options", "nosniff");
    response.addHeader("Referrer-Policy", "no-referrer");
    if (type.startsWith("text/html"))
        response.addHeader("Content-Security-Policy",
                           "default-src 'self'; connect-src 'self'; img-src 'self' data:; frame-ancestors 'none'");
    return response;
}

QByteArray WebServer::sharedState()
{
    return clockstate::toJson(clockstate::of(m_module, ++m_seq));
}

QByteArray WebServer::pageState()
{
    const ClockState s = clockstate::of(m_module, ++m_seq);
    QByteArray json = clockstate::toJson(s);
    const qint64 elapsed = s.running ? m_secondStart.elapsed() % s.timeBase : 0;
    json.chop(1); // the closing brace
    return json + ",\"elapsed\":" + QByteArray::number(elapsed) + '}';
}

void WebServer::clockChanged(bool minute)
{
    // a fast minute begins with a tick; Start and continue arm the timer
    if (minute || m_module.running)
        m_secondStart.restart();
    push();
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

void WebServer::takePages()
{
    while (m_http->hasPendingWebSocketConnections()) {
        QWebSocket* page = m_http->nextPendingWebSocketConnection().release();
        if (!page)
            break;
        page->setParent(this);
        if (page->requestUrl().path() != u"/live" || m_pages.size() >= m_limits.pages) {
            connect(page, &QWebSocket::disconnected, page, &QObject::deleteLater);
            page->close(QWebSocketProtocol::CloseCodePolicyViolated);
            QTimer::singleShot(2000, page, [page] { page->abort(); page->deleteLater(); });
            continue;
        }
        // a page sends nothing but the protocol's own frames
        page->setMaxAllowedIncomingFrameSize(1024);
        page->setMaxAllowedIncomingMessageSize(1024);
        connect(page, &QWebSocket::disconnected, this, [this, page] {
            m_pages.removeOne(page);
            page->deleteLater();
        });
        // a page that answers no ping (a phone gone to sleep, a lost network)
        // is dropped rather than kept until the network gives up on it
        page->setProperty("answered", true);
        connect(page, &QWebSocket::pong, page, [page] { page->setProperty("answered", true); });
        auto* watch = new QTimer(page);
        connect(watch, &QTimer::timeout, page, [page] {
            if (!page->property("answered").toBool()) {
                page->abort();
                return;
            }
            page->setProperty("answered", false);
            page->ping();
        });
        watch->start(m_limits.pageSilenceMs / 2);
        m_pages.append(page);
        page->sendTextMessage(QString::fromUtf8(pageState()));
    }
}
