#pragma once

#include "ConnectionGuard.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include <cstdint>
#include <optional>

class ClockEvents;
class QWebSocket;
class QWebSocketServer;
struct Module1;

// Where the web page is served: an address (all interfaces when none is
// given) and a port.
struct ListenAddress {
    QHostAddress address = QHostAddress(QHostAddress::Any);
    quint16 port = 0;
};

// "[ADDRESS:]PORT": PORT alone, IPv4:PORT, [IPv6]:PORT or localhost:PORT.
// Nothing, and why in German, for anything else.
std::optional<ListenAddress> parseListenAddress(const QString& text, QString* why = nullptr);

// The clock as a web page. Read-only: it answers GET (and HEAD) for
//   the page and its files as webpage::files() lists them, "/" the page
//                          (/?style=analog for the analog face)
//   /state                 the clock's state as JSON
//   /live                  a WebSocket that sends the state at once, on every
//                          change of state and on every fast minute
// and 404, 405 or the guard's answers for everything else. It reads the state
// object when it answers and never writes it. A live page is dropped when it
// reads too little (more than the backlog unsent) or sends too much (bytes or
// messages in a second, or a message too large), checked whenever it sends
// something and once a second, so a held clock bounds it as well.
class WebServer : public QObject {
    Q_OBJECT

public:
    WebServer(const Module1& m, ClockEvents* events, const WebLimits& limits = {}, QObject* parent = nullptr);
    ~WebServer() override;

    bool listen(const ListenAddress& where, QString* why = nullptr);
    quint16 port() const;

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    int openConnections() const;

private:
    // The state as pages get it: the shared JSON, how many real
    // milliseconds of the current fast second have passed ("elapsed") and
    // whether the windows show a time yet ("started", ClockEvents::timeShown).
    QByteArray pageState();
    QByteArray sharedState();
    void push();
    http::Reply answer(const http::Request& request);
    bool offerPage(QTcpSocket* socket);
    void takePages();
    void checkPages();

    const Module1& m_module;
    QPointer<ClockEvents> m_events;
    WebLimits m_limits;
    std::int64_t m_seq = 0;
    QWebSocketServer* m_sockets;
    ConnectionGuard* m_guard;
    QList<QWebSocket*> m_pages;
    QList<QPointer<QTcpSocket>> m_upgrading; // handed to the WebSocket server, not yet pages
};
