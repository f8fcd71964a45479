#include "WebAddresses.h"

#include <QNetworkInterface>
#include <QUrl>

#include <qrencode.h>

#include <algorithm>
#include <memory>

namespace {

QString urlFor(const QHostAddress& address, quint16 port)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(address.toString(), QUrl::StrictMode); // IPv6 gets its brackets
    url.setPort(port);
    url.setPath(QStringLiteral("/"));
    return url.toString();
}

// A phone on the layout's network can reach these; loopback and link-local
// addresses only serve where nothing else is there.
bool reachableFromOthers(const QHostAddress& a)
{
    return !a.isLoopback() && !a.isLinkLocal() && !a.isNull();
}

} // namespace

QStringList pageUrls(const QHostAddress& bound, quint16 port, const QList<QHostAddress>& interfaceAddresses)
{
    const bool anyV4 = bound == QHostAddress(QHostAddress::Any) || bound == QHostAddress(QHostAddress::AnyIPv4);
    const bool anyV6 = bound == QHostAddress(QHostAddress::Any) || bound == QHostAddress(QHostAddress::AnyIPv6);
    if (!anyV4 && !anyV6)
        return {urlFor(bound, port)};
    QList<QHostAddress> v4, v6;
    for (QHostAddress a : interfaceAddresses) {
        a.setScopeId(QString());
        const bool isV4 = a.protocol() == QAbstractSocket::IPv4Protocol;
        if (!reachableFromOthers(a) || (isV4 ? !anyV4 : !anyV6))
            continue;
        QList<QHostAddress>& list = isV4 ? v4 : v6;
        if (!list.contains(a))
            list << a;
    }
    QStringList urls;
    for (const QHostAddress& a : v4 + v6)
        urls << urlFor(a, port);
    if (urls.isEmpty())
        urls << urlFor(anyV4 ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(QHostAddress::LocalHostIPv6), port);
    return urls;
}

QStringList pageUrls(const QHostAddress& bound, quint16 port)
{
    return pageUrls(bound, port, QNetworkInterface::allAddresses());
}

QImage qrCode(const QString& text)
{
    const QByteArray data = text.toUtf8();
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(data.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return {};
    constexpr int quiet = 4;
    const int width = code->width;
    QImage image(width + 2 * quiet, width + 2 * quiet, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x)
            if (code->data[y * width + x] & 1) // the lowest bit is the module's colour
                image.setPixel(x + quiet, y + quiet, 1);
    return image;
}
