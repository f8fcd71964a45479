#pragma once

#include <QByteArray>
#include <QString>

// The clock page and its files, kept as resources ":/web/<name>".
namespace webpage {

// The page with a state already in it, so that it shows the time before its
// live connection is up. The digit shapes are those of the program's
// stretched LED pictures.
QByteArray page(const QByteArray& stateJson);

// A file of the page by its path ("/clock.js"), with its content type; an
// empty body when there is none.
struct File {
    QByteArray type;
    QByteArray body;
};
File file(const QString& path);

} // namespace webpage
