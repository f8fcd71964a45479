#include "ConnectionGuard.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kAnswered = "quendrasilAnswered"; // a request of it was answered
constexpr const char* kClosing = "quendrasilClosing";   // its last answer is on its way
constexpr const char* kPage = "quendrasilPage";         // it became a WebSocket
constexpr const char* kReceived = "quendrasilReceived"; // bytes of requests read

bool flagged(const QTcpSocket* socket, const char* name)
{
    return socket->property(name).toBool();
}

} // namespace

ConnectionGuard::ConnectionGuard(const WebLimits& limits, std::function<http::Reply(const http::Request&)> answer,
                                 std::function<bool(QTcpSocket*)> takePage, QObject* parent)
    : QTcpServer(parent), m_limits(limits), m_answer(std::move(answer)), m_takePage(std::move(takePage))
{
}

int ConnectionGuard::openConnections()
{
    m_open.removeIf([](const QPointer<QTcpSocket>& s) { return !s || flagged(s, kPage); });
    return static_cast<int>(m_open.size());
}

void ConnectionGuard::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    // what waits unread stays in the network's buffers, not in ours
    socket->setReadBufferSize(2 * m_limits.headerBytes);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    const QHostAddress from = socket->peerAddress();
    const int open = openConnections(); // also forgets the closed ones
    const auto fromThere = std::count_if(m_open.cbegin(), m_open.cend(),
                                         [&from](const QPointer<QTcpSocket>& s) { return s->peerAddress() == from; });
    if (open >= m_limits.connections || fromThere >= m_limits.connectionsPerAddress) {
        refuse(socket, "503 Service Unavailable");
        return;
    }
    m_open.append(socket);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { serve(socket); });
    QTimer::singleShot(m_limits.headerMs, socket, [socket] {
        if (!flagged(socket, kAnswered) && !flagged(socket, kClosing) && !flagged(socket, kPage))
            refuse(socket, "408 Request Timeout");
    });
    QTimer::singleShot(m_limits.connectionMs, socket, [this, socket] { expire(socket); });
}

void ConnectionGuard::serve(QTcpSocket* socket)
{
    if (!socket->isOpen() || flagged(socket, kPage))
        return;
    if (flagged(socket, kClosing)) {
        socket->readAll(); // an answer is on its way; the rest is not read
        return;
    }
    // one request after the other, the next when the answers before it have
    // mostly left: a client that asks and never reads holds little
    while (socket->bytesToWrite() < m_limits.pageBacklog) {
        const http::Head head = http::parseHead(socket->peek(m_limits.headerBytes + 4), m_limits.headerBytes);
        if (head.error) {
            refuse(socket, head.error);
            return;
        }
        if (head.length == 0)
            return; // the rest of the head has not come yet
        const qint64 received = socket->property(kReceived).toLongLong() + head.length;
        socket->setProperty(kReceived, received);
        if (received > m_limits.connectionBytes) {
            socket->abort();
            return;
        }
        socket->setProperty(kAnswered, true);
        const http::Request& request = head.request;
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
            if (const char* why = http::refuseUpgrade(request)) {
                refuse(socket, why);
                return;
            }
            // the WebSocket server reads the head itself
            socket->setProperty(kPage, true);
            if (!m_takePage(socket)) {
                socket->setProperty(kPage, false);
                refuse(socket, "503 Service Unavailable");
                return;
            }
            socket->disconnect(this);
            disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            m_open.removeOne(socket);
            return;
        }
        socket->skip(head.length);
        const bool close = request.wantsClose();
        socket->write(http::serialize(m_answer(request), request.isHead(), close));
        if (close) {
            socket->setProperty(kClosing, true);
            socket->readAll();
            socket->disconnectFromHost();
            QTimer::singleShot(2000, socket, &QTcpSocket::abort); // a peer that reads nothing
            return;
        }
    }
}

void ConnectionGuard::expire(QTcpSocket* socket)
{
    if (flagged(socket, kPage) || flagged(socket, kClosing))
        return;
    if (!flagged(socket, kAnswered)) {
        refuse(socket, "408 Request Timeout");
        return;
    }
    socket->setProperty(kClosing, true);
    socket->disconnectFromHost();
    QTimer::singleShot(2000, socket, &QTcpSocket::abort);
}

void ConnectionGuard::refuse(QTcpSocket* socket, const char* status)
{
    socket->setProperty(kClosing, true);
    QByteArray answer = QByteArray("HTTP/1.1 ") + status + "\r\n";
    if (QByteArray(status).startsWith("405"))
        answer += "Allow: GET, HEAD\r\n";
    if (QByteArray(status).startsWith("426"))
        answer += "Sec-WebSocket-Version: 13\r\n";
    answer += "Content-Length: 0\r\nConnection: close\r\n\r\n";
    socket->readAll();
    socket->write(answer);
    socket->disconnectFromHost();
    // a peer that reads nothing does not keep the socket
    QTimer::singleShot(2000, socket, &QTcpSocket::abort);
}
