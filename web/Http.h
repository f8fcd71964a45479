#pragma once

#include <QByteArray>
#include <QList>

#include <utility>

// The little of HTTP/1.1 that a read-only server needs, as plain functions.
namespace http {

using Fields = QList<std::pair<QByteArray, QByteArray>>;

struct Request {
    QByteArray method; // GET or HEAD
    QByteArray target; // path and query: "/?style=analog"
    int minor = 1;     // HTTP/1.minor
    Fields fields;     // names in lower case, values trimmed

    QByteArray value(const QByteArray& name) const;
    QByteArray path() const { return target.contains('?') ? target.left(target.indexOf('?')) : target; }
    bool isHead() const { return method == "HEAD"; }
    // the client asked to close after the answer (HTTP/1.0 without
    // keep-alive, or "Connection: close")
    bool wantsClose() const;
    bool hasToken(const QByteArray& name, const QByteArray& token) const;
};

// What the start of a connection's unread bytes holds.
struct Head {
    const char* error = nullptr; // an error status ("400 Bad Request") to answer and close with
    qsizetype length = 0;        // bytes of a complete head, 0 while it is incomplete
    Request request;
};
Head parseHead(const QByteArray& buffered, qsizetype limit);

struct Reply {
    int status = 200;
    QByteArray type;
    QByteArray body;
    Fields fields = {};
};
// The answer's bytes: the real length, no body after HEAD, and
// "Connection: close" when the connection ends after it.
QByteArray serialize(const Reply& reply, bool head, bool close);

// Why a WebSocket upgrade cannot be taken ("400 Bad Request", "426 Upgrade
// Required"), or nothing when it can.
const char* refuseUpgrade(const Request& request);

} // namespace http
