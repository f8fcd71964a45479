#pragma once

#include <QString>
#include <optional>

// Where a shared clock lives: the broker and the clock's name, from a URL
//   mqtt://[user:password@]host[:port]/NAME   (mqtts:// for TLS)
struct BrokerAddress {
    bool tls = false;
    QString host;
    int port = 1883;
    QString user;
    QString password; // from the URL, the environment or a file; never shown
    QString name; // the clock's name, one topic level

    // host:port, for messages; never the password
    QString shown() const;

    // The topics of the clock NAME.
    QString stateTopic() const { return QStringLiteral("quendrasil/%1/state").arg(name); }
    QString timeTopic() const { return QStringLiteral("quendrasil/%1/time").arg(name); }
    QString onlineTopic() const { return QStringLiteral("quendrasil/%1/online").arg(name); }
};

// The address in a URL, or nothing with why set: another scheme, no host, a
// port outside 1 to 65535, or a name that is empty, longer than 100
// characters, holds "/", "+", "#", "?" or control characters, or escapes
// that are not UTF-8. A text in why never holds the password.
std::optional<BrokerAddress> parseBrokerUrl(const QString& url, QString* why);

// The URL as it may be shown: a password in it replaced by "***".
QString maskedUrl(const QString& url);
