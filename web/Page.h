#pragma once

#include <QByteArray>

#include <functional>
#include <span>

// The clock page and its files, kept as resources ":/web/<resource>".
namespace webpage {

// What the server answers with, one row a file: its path, its content type
// and its resource. A new file of the page is a row of this table and a file
// in web/page/ (all of which become resources).
struct Entry {
    const char* path;
    const char* type;
    const char* resource;
};
std::span<const Entry> files();

// The page with a state already in it, so that it shows the time before its
// live connection is up. The digit shapes are those of the program's
// stretched LED pictures, the separator blinks in the rhythm of the program's
// digital face. The analog page links the manifest that opens it again from
// a home screen.
QByteArray page(const QByteArray& stateJson, bool analog = false);

// The file at a path of the table ("/", "/clock.js") with its content type;
// an empty body when there is none. The page gets the state that `state`
// makes (asked only for the page); the page and the manifest start the face
// asked for.
struct File {
    QByteArray type;
    QByteArray body;
};
File file(const QByteArray& path, bool analog, const std::function<QByteArray()>& state);

} // namespace webpage
