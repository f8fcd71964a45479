#pragma once

#include <QByteArray>
#include <QString>

namespace wholefile {

// Writes a file whole: the bytes go to a temporary file in the same folder,
// which replaces the old file only once every byte has been written. A reader
// sees the old content or the new one, never a part of it; a failure (a full
// disk, a folder or file that cannot be written) leaves the old file as it was
// and is the path/file access error. With durable the bytes are also on the
// disk before the old file goes. With inPlace a folder that takes no new file,
// while the file itself may be written, gets the file written in place. A link
// is followed: the file it names is replaced, with its permissions kept.
void write(const QString& path, const QByteArray& bytes, bool durable, bool inPlace = false);

// The name of a temporary file for path: hidden, and marked as the program's
// own, ".NAME.quendrasil-tmp-" and six random letters or digits.
QString temporaryPrefix(const QString& path);

// Removes the temporary files that a write cut short by a kill left beside
// path: only files of the program's own temporary name, owned by the user.
// Every other file stays, whatever its name.
void removeLeftovers(const QString& path);

} // namespace wholefile
