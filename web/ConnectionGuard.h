#pragma once

#include "Http.h"

#include <QList>
#include <QPointer>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// What the web server lets a visitor cost it.
struct WebLimits {
    int connections = 64;              // plain HTTP connections open at once
    int connectionsPerAddress = 16;    // of them from one client address
    int pages = 100;                   // live pages (WebSockets) at once
    int pagesPerAddress = 20;          // of them from one client address
    qsizetype headerBytes = 8 * 1024;  // request line and headers of a request
    qint64 connectionBytes = 64 * 1024; // all a plain HTTP connection may send
    int headerMs = 5000;               // to send the first request's head
    int connectionMs = 30000;          // lifetime of a plain HTTP connection
    qint64 pageBacklog = 64 * 1024;    // unsent bytes before a connection is dropped
    qint64 pageBytesPerSecond = 4096;  // what a page may send in a second
    int pageMessagesPerSecond = 10;    // messages a page may send in a second
    int pageSilenceMs = 60000;         // a page that answers no ping so long is dropped
};

// The listening socket and the HTTP/1.1 of the web server. It reads each
// connection's requests in order; a request that is complete, small, a GET or
// HEAD without a body is answered by `answer`, anything else gets its error
// answer and the connection is closed. Pipelined requests are answered in
// order, the next only when the answers before it have mostly left; HTTP/1.0
// and "Connection: close" close after the answer. A valid WebSocket upgrade
// of /live goes to `takePage`, which may refuse it (503) when pages are full.
// The guard bounds the open connections, in all and per client address, the
// bytes a connection may send and how long it may stay open, so neither a
// flood nor a slow client holds anything for long. A connection that became
// a WebSocket is no longer its business.
class ConnectionGuard : public QTcpServer {
    Q_OBJECT

public:
    ConnectionGuard(const WebLimits& limits, std::function<http::Reply(const http::Request&)> answer,
                    std::function<bool(QTcpSocket*)> takePage, QObject* parent = nullptr);

    // plain HTTP connections open now
    int openConnections();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void serve(QTcpSocket* socket);
    void expire(QTcpSocket* socket);
    static void refuse(QTcpSocket* socket, const char* status);

    WebLimits m_limits;
    std::function<http::Reply(const http::Request&)> m_answer;
    std::function<bool(QTcpSocket*)> m_takePage;
    QList<QPointer<QTcpSocket>> m_open;
};
