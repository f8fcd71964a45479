#pragma once

#include <QHostAddress>
#include <QImage>
#include <QList>
#include <QStringList>

// Where the web page can be opened from other computers and phones.

// The page's addresses for a server listening on BOUND:PORT. A server on
// every address is reached at each address of this computer's network
// interfaces (IPv4 first, then IPv6; loopback and link-local addresses only
// where there is nothing else); a server on one address only at that one.
QStringList pageUrls(const QHostAddress& bound, quint16 port, const QList<QHostAddress>& interfaceAddresses);

// The same for this computer's interfaces as they are now.
QStringList pageUrls(const QHostAddress& bound, quint16 port);

// TEXT as a QR code: one pixel a module, black on white, with the quiet zone
// of four modules around it; a null image where the text does not fit.
QImage qrCode(const QString& text);
