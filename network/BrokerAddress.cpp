#include "BrokerAddress.h"

#include <QUrl>

QString BrokerAddress::shown() const { return QStringLiteral("%1:%2").arg(host).arg(port); }

std::optional<BrokerAddress> parseBrokerUrl(const QString& text, QString* why)
{
    const auto refuse = [why](const QString& reason) -> std::optional<BrokerAddress> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return refuse(QStringLiteral("'%1' ist keine gültige Adresse").arg(text));
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
    QString path = url.path();
    if (path.startsWith(u'/'))
        path.remove(0, 1);
    if (path.isEmpty())
        return refuse(QStringLiteral("der Adresse fehlt der Name der Uhr (mqtt://rechner/NAME)"));
    if (path.size() > 100)
        return refuse(QStringLiteral("der Name der Uhr ist länger als 100 Zeichen"));
    for (const QChar c : path) {
        if (c == u'/' || c == u'+' || c == u'#' || c.category() == QChar::Other_Control)
            return refuse(QStringLiteral("der Name der Uhr darf weder \"/\", \"+\" noch \"#\" enthalten"));
    }
    a.name = path;
    return a;
}
