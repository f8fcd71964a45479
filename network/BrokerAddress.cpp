#include "BrokerAddress.h"

#include <QStringDecoder>
#include <QUrl>

QString BrokerAddress::shown() const { return QStringLiteral("%1:%2").arg(host).arg(port); }

QString maskedUrl(const QString& text)
{
    const qsizetype start = text.indexOf(QStringLiteral("://"));
    if (start < 0)
        return text;
    const qsizetype at = text.lastIndexOf(u'@');
    const qsizetype colon = text.indexOf(u':', start + 3);
    if (at < start || colon < 0 || colon > at)
        return text;
    return text.left(colon + 1) + QStringLiteral("***") + text.mid(at);
}

std::optional<BrokerAddress> parseBrokerUrl(const QString& text, QString* why)
{
    const auto refuse = [why](const QString& reason) -> std::optional<BrokerAddress> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return refuse(QStringLiteral("'%1' ist keine gültige Adresse").arg(maskedUrl(text)));
    BrokerAddress a;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mqtts"))
        a.tls = true;
    else if (scheme != QLatin1String("mqtt"))
        return refuse(QStringLiteral("die Adresse muss mit mqtt:// oder mqtts:// beginnen"));
    a.host = url.host();
    if (a.host.isEmpty())
        return refuse(QStringLiteral("der Adresse fehlt der Rechner (mqtt://rechner/NAME)"));
    a.port = url.port(a.tls ? 8883 : 1883);
    if (a.port < 1 || a.port > 65535)
        return refuse(QStringLiteral("der Port muss zwischen 1 und 65535 liegen"));
    a.user = url.userName();
    a.password = url.password();
    const QString forbidden = QStringLiteral("der Name der Uhr darf weder \"/\", \"+\", \"#\" noch \"?\" enthalten");
    // "#" and "?" would begin a fragment or a query: the name would be cut
    if (url.hasFragment() || url.hasQuery())
        return refuse(forbidden);
    // escapes such as %FF that are no UTF-8 would become U+FFFD
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString path = utf8(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    if (utf8.hasError())
        return refuse(QStringLiteral("der Name der Uhr ist kein gültiges UTF-8"));
    if (path.startsWith(u'/'))
        path.remove(0, 1);
    if (path.isEmpty())
        return refuse(QStringLiteral("der Adresse fehlt der Name der Uhr (mqtt://rechner/NAME)"));
    if (path.size() > 100)
        return refuse(QStringLiteral("der Name der Uhr ist länger als 100 Zeichen"));
    for (const QChar c : path) {
        if (c == u'/' || c == u'+' || c == u'#' || c.category() == QChar::Other_Control)
            return refuse(forbidden);
    }
    a.name = path;
    return a;
}
