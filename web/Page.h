#pragma once

#include <QByteArray>
#include <QString>

// The clock page and its files, kept as resources ":/web/<name>".
namespace webpage {

// The page with a state already in it, so that it shows the time before its
// live connection is up. The digit shapes are those of the program's
// stretched LED pictures. The analog page links the manifest that opens it
// again from a home screen.
QByteArray page(const QByteArray& stateJson, bool analog = false);

// A file of the page by its path ("/clock.js"), with its content type; an
// empty body when there is none. The manifest starts the face asked for.
struct File {
    QByteArray type;
    QByteArray body;
};
File file(const QString& path, bool analog = false);

} // namespace webpage
