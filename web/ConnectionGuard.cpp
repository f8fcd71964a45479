#include "ConnectionGuard.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <utility>

namespace {

constexpr const char* kHanded = "quendrasilHanded";
constexpr const char* kClosing = "quendrasilClosing";
constexpr const char* kReceived = "quendrasilReceived";

// The error answer for the start of a connection, or nothing: then *complete
// says whether the whole head is there and may pass.
const char* judge(const QByteArray& buffered, qsizetype limit, bool* complete)
{
    *complete = false;
    if (buffered.isEmpty())
        return nullptr;
    if (buffered.front() < 'A' || buffered.front() > 'Z')
        return "400 Bad Request";
    const qsizetype lineEnd = buffered.indexOf('\n');
    if (lineEnd < 0)
        return buffered.size() > limit ? "414 URI Too Long" : nullptr;
    static const QRegularExpression requestLine(QStringLiteral("^([A-Z]{1,20}) /[\\x21-\\x7e]* HTTP/1\\.[01]\\r?$"));
    const auto line = requestLine.match(QString::fromLatin1(buffered.left(lineEnd)));
    if (!line.hasMatch())
        return "400 Bad Request";
    qsizetype end = buffered.indexOf("\r\n\r\n");
    if (end < 0)
        end = buffered.indexOf("\n\n");
    if (end < 0)
        return buffered.size() > limit ? "431 Request Header Fields Too Large" : nullptr;
    if (end > limit)
        return "431 Request Header Fields Too Large";
    const QString method = line.captured(1);
    if (method != u"GET" && method != u"HEAD")
        return "405 Method Not Allowed";
    // a reading server takes no request bodies
    const QList<QByteArray> lines = buffered.left(end).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray field = lines[i].trimmed();
        const qsizetype colon = field.indexOf(':');
        if (colon <= 0)
            return "400 Bad Request";
        const QByteArray name = field.left(colon).trimmed().toLower();
        const QByteArray value = field.mid(colon + 1).trimmed();
        if ((name == "content-length" && value != "0") || name == "transfer-encoding")
            return "413 Payload Too Large";
    }
    *complete = true;
    return nullptr;
}

} // namespace

ConnectionGuard::ConnectionGuard(const WebLimits& limits, std::function<bool(const QTcpSocket&)> isPage,
                                 QObject* parent)
    : QTcpServer(parent), m_limits(limits), m_isPage(std::move(isPage))
{
}

int ConnectionGuard::openConnections()
{
    m_open.removeIf([this](const QPointer<QTcpSocket>& s) { return !s || m_isPage(*s); });
    return static_cast<int>(m_open.size());
}

void ConnectionGuard::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (openConnections() >= m_limits.connections) {
        refuse(socket, "503 Service Unavailable");
        return;
    }
    m_open.append(socket);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (!socket->isOpen())
            return;
        if (socket->property(kClosing).toBool())
            socket->readAll(); // an answer is on its way; the rest is not read
        else if (socket->property(kHanded).toBool())
            count(socket);
        else
            inspect(socket);
    });
    QTimer::singleShot(m_limits.headerMs, socket, [socket] {
        if (!socket->property(kHanded).toBool() && !socket->property(kClosing).toBool())
            refuse(socket, "408 Request Timeout");
    });
    QTimer::singleShot(m_limits.connectionMs, socket, [this, socket] { expire(socket); });
}

void ConnectionGuard::inspect(QTcpSocket* socket)
{
    bool complete = false;
    const QByteArray buffered = socket->peek(m_limits.headerBytes + 4);
    if (const char* status = judge(buffered, m_limits.headerBytes, &complete))
        refuse(socket, status);
    else if (complete)
        handOver(socket);
}

void ConnectionGuard::count(QTcpSocket* socket)
{
    // the HTTP server reads all that has come, so what waits here is new
    const qint64 received = socket->property(kReceived).toLongLong() + socket->bytesAvailable();
    socket->setProperty(kReceived, received);
    if (received > m_limits.connectionBytes)
        socket->abort();
}

void ConnectionGuard::handOver(QTcpSocket* socket)
{
    socket->setProperty(kHanded, true);
    addPendingConnection(socket);
    emit newConnection();
    // the head is waiting already; let the HTTP server read it
    QTimer::singleShot(0, socket, [socket] { emit socket->readyRead(); });
}

void ConnectionGuard::expire(QTcpSocket* socket)
{
    if (m_isPage(*socket) || socket->property(kClosing).toBool())
        return;
    if (!socket->property(kHanded).toBool()) {
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
    answer += "Content-Length: 0\r\nConnection: close\r\n\r\n";
    socket->readAll();
    socket->write(answer);
    socket->disconnectFromHost();
    // a peer that reads nothing does not keep the socket
    QTimer::singleShot(2000, socket, &QTcpSocket::abort);
}
