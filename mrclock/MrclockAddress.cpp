#include "MrclockAddress.h"

#include "Datagram.h"

#include <QNetworkInterface>
#include <QUrl>
#include <QUrlQuery>

QString MrclockAddress::shown() const { return QStringLiteral("%1:%2").arg(group.toString()).arg(port); }

bool isMrclockUrl(const QString& url) { return url.startsWith(QLatin1String("mrclock://"), Qt::CaseInsensitive); }

std::optional<MrclockAddress> parseMrclockUrl(const QString& url, QString* why)
{
    const auto refuse = [why, &url](const QString& reason) -> std::optional<MrclockAddress> {
        if (why)
            *why = QStringLiteral("%1: %2").arg(url, reason);
        return std::nullopt;
    };
    const QUrl u(url, QUrl::StrictMode);
    if (!u.isValid() || u.scheme().compare(QLatin1String("mrclock"), Qt::CaseInsensitive) != 0)
        return refuse(QStringLiteral("keine Adresse der Form mrclock://[GRUPPE[:PORT]]/NAME"));
    if (!u.userInfo().isEmpty() || u.hasFragment())
        return refuse(QStringLiteral("keine Adresse der Form mrclock://[GRUPPE[:PORT]]/NAME"));
    MrclockAddress a;
    a.group = QHostAddress(u.host().isEmpty() ? QString::fromLatin1(mrclock::kDefaultGroup) : u.host());
    if (a.group.protocol() != QAbstractSocket::IPv4Protocol || !a.group.isMulticast())
        return refuse(QStringLiteral("%1 ist keine IPv4-Multicast-Gruppe (224.0.0.0 bis 239.255.255.255)").arg(u.host()));
    const int port = u.port(mrclock::kDefaultPort);
    if (port < 1 || port > 65535)
        return refuse(QStringLiteral("ungültiger Port"));
    a.port = static_cast<quint16>(port);
    QString path = u.path(QUrl::FullyDecoded);
    if (path.startsWith(u'/'))
        path.remove(0, 1);
    if (path.contains(u'/') || path.size() > mrclock::kMaxNameBytes)
        return refuse(QStringLiteral("der Name darf keinen Schrägstrich enthalten und höchstens %1 Zeichen lang sein")
                          .arg(mrclock::kMaxNameBytes));
    a.name = path;
    const QUrlQuery query(u);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key != QLatin1String("ttl"))
            return refuse(QStringLiteral("unbekannter Parameter %1").arg(key));
        bool ok = false;
        a.ttl = value.toInt(&ok);
        if (!ok || a.ttl < 1 || a.ttl > 255)
            return refuse(QStringLiteral("ttl ist keine Zahl von 1 bis 255"));
    }
    return a;
}

std::optional<QHostAddress> parseInterfaceAddress(const QString& text, QString* why)
{
    const QHostAddress address(text);
    if (address.protocol() != QAbstractSocket::IPv4Protocol) {
        if (why)
            *why = QStringLiteral("--interface %1: keine IPv4-Adresse").arg(text);
        return std::nullopt;
    }
    for (const QHostAddress& own : QNetworkInterface::allAddresses())
        if (own.isEqual(address))
            return address;
    if (why)
        *why = QStringLiteral("--interface %1: keine Adresse dieses Rechners").arg(text);
    return std::nullopt;
}
