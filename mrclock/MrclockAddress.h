#pragma once

#include <QHostAddress>
#include <QString>
#include <optional>

// Where an MRclock clock is sent and heard:
//   mrclock://[GROUP[:PORT]]/NAME[?ttl=N]
// The group is an IPv4 multicast address (239.50.50.20 when left out), the
// port 2000 when left out. NAME may be left out when following: then the one
// clock heard is followed. ttl says how many routers a datagram may pass;
// 1, the default, keeps it inside the layout's own network segment.
struct MrclockAddress {
    QHostAddress group;
    quint16 port = 0;
    QString name;
    int ttl = 1;

    QString shown() const; // "239.50.50.20:2000"
};

bool isMrclockUrl(const QString& url);
std::optional<MrclockAddress> parseMrclockUrl(const QString& url, QString* why = nullptr);

// --interface: the address of one of this computer's IPv4 network interfaces,
// or nothing (why says what is wrong).
std::optional<QHostAddress> parseInterfaceAddress(const QString& text, QString* why = nullptr);
