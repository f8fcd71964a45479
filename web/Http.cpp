#include "Http.h"

#include <QRegularExpression>

namespace http {

QByteArray Request::value(const QByteArray& name) const
{
    for (const auto& [key, value] : fields)
        if (key == name)
            return value;
    return {};
}

bool Request::hasToken(const QByteArray& name, const QByteArray& token) const
{
    for (const auto& [key, value] : fields)
        if (key == name)
            for (const QByteArray& part : value.split(','))
                if (part.trimmed().compare(token, Qt::CaseInsensitive) == 0)
                    return true;
    return false;
}

bool Request::wantsClose() const
{
    return hasToken("connection", "close") || (minor == 0 && !hasToken("connection", "keep-alive"));
}

Head parseHead(const QByteArray& buffered, qsizetype limit)
{
    Head head;
    if (buffered.isEmpty())
        return head;
    auto fail = [&head](const char* status) {
        head.error = status;
        return head;
    };
    if (buffered.front() < 'A' || buffered.front() > 'Z')
        return fail("400 Bad Request");
    const qsizetype lineEnd = buffered.indexOf('\n');
    if (lineEnd < 0)
        return buffered.size() > limit ? fail("414 URI Too Long") : head;
    static const QRegularExpression requestLine(
        QStringLiteral("^([A-Z]{1,20}) (/[\\x21-\\x7e]*) HTTP/1\\.([01])\\r?$"));
    const auto line = requestLine.match(QString::fromLatin1(buffered.left(lineEnd)));
    if (!line.hasMatch())
        return fail("400 Bad Request");
    // the head ends at the first empty line, with or without carriage returns
    const qsizetype crlf = buffered.indexOf("\r\n\r\n", lineEnd - 1);
    const qsizetype lf = buffered.indexOf("\n\n", lineEnd);
    qsizetype end = crlf;
    qsizetype terminator = 4;
    if (lf >= 0 && (crlf < 0 || lf < crlf)) {
        end = lf;
        terminator = 2;
    }
    if (end < 0)
        return buffered.size() > limit ? fail("431 Request Header Fields Too Large") : head;
    if (end > limit)
        return fail("431 Request Header Fields Too Large");
    head.request.method = line.captured(1).toLatin1();
    if (head.request.method != "GET" && head.request.method != "HEAD")
        return fail("405 Method Not Allowed");
    head.request.target = line.captured(2).toLatin1();
    head.request.minor = line.captured(3).toInt();
    const QList<QByteArray> lines = buffered.left(end).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray field = lines[i].trimmed();
        const qsizetype colon = field.indexOf(':');
        if (colon <= 0)
            return fail("400 Bad Request");
        const QByteArray name = field.left(colon).trimmed().toLower();
        const QByteArray value = field.mid(colon + 1).trimmed();
        // a reading server takes no request bodies
        if ((name == "content-length" && value != "0") || name == "transfer-encoding")
            return fail("413 Payload Too Large");
        head.request.fields.append({name, value});
    }
    head.length = end + terminator;
    return head;
}

QByteArray serialize(const Reply& reply, bool head, bool close)
{
    static const QList<std::pair<int, const char*>> reasons = {
        {200, "OK"}, {400, "Bad Request"}, {404, "Not Found"}, {405, "Method Not Allowed"},
        {426, "Upgrade Required"}, {503, "Service Unavailable"}};
    const char* reason = "";
    for (const auto& [status, text] : reasons)
        if (status == reply.status)
            reason = text;
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reason + "\r\n";
    if (!reply.type.isEmpty())
        bytes += "Content-Type: " + reply.type + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    for (const auto& [name, value] : reply.fields)
        bytes += name + ": " + value + "\r\n";
    if (close)
        bytes += "Connection: close\r\n";
    bytes += "\r\n";
    if (!head)
        bytes += reply.body;
    return bytes;
}

const char* refuseUpgrade(const Request& request)
{
    if (request.path() != "/live" || request.method != "GET" || request.minor != 1
        || !request.hasToken("connection", "upgrade"))
        return "400 Bad Request";
    const QByteArray key = request.value("sec-websocket-key");
    const auto decoded = QByteArray::fromBase64Encoding(key, QByteArray::AbortOnBase64DecodingErrors);
    if (key.size() != 24 || !decoded || decoded.decoded.size() != 16)
        return "400 Bad Request";
    if (request.value("sec-websocket-version") != "13")
        return "426 Upgrade Required";
    return nullptr;
}

} // namespace http
