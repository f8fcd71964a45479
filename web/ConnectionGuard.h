#pragma once

#include <QList>
#include <QPointer>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// What the web server lets a visitor cost it.
struct WebLimits {
    int connections = 64;              // plain HTTP connections open at once
    int pages = 100;                   // live pages (WebSockets) at once
    qsizetype headerBytes = 8 * 1024;  // request line and headers of a request
    qint64 connectionBytes = 64 * 1024; // all a plain HTTP connection may send
    int headerMs = 5000;               // to send the first request's head
    int connectionMs = 30000;          // lifetime of a plain HTTP connection
    qint64 pageBacklog = 64 * 1024;    // unsent bytes before a page is dropped
    int pageSilenceMs = 60000;         // a page that answers no ping so long is dropped
};

// The listening socket in front of the HTTP server. It hands a connection on
// only when its first request head is complete, small, a GET or HEAD without
// a body; anything else gets its error answer and is closed here. It bounds
// the number of open connections, the bytes a connection may send and how
// long it may stay open, so neither a flood nor a slow client holds anything
// for long. A connection that became a WebSocket is no longer its business;
// isPage tells which those are.
class ConnectionGuard : public QTcpServer {
    Q_OBJECT

public:
    ConnectionGuard(const WebLimits& limits, std::function<bool(const QTcpSocket&)> isPage,
                    QObject* parent = nullptr);

    // plain HTTP connections open now
    int openConnections();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void inspect(QTcpSocket* socket);
    void count(QTcpSocket* socket);
    void handOver(QTcpSocket* socket);
    void expire(QTcpSocket* socket);
    static void refuse(QTcpSocket* socket, const char* status);

    WebLimits m_limits;
    std::function<bool(const QTcpSocket&)> m_isPage;
    QList<QPointer<QTcpSocket>> m_open;
};
