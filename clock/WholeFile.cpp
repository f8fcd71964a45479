#include "WholeFile.h"

#include "RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace wholefile {

void write(const QString& path, const QByteArray& bytes, bool durable, bool inPlace)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(inPlace);
    if (!file.open(QIODevice::WriteOnly))
        throw RuntimeError::pathFileAccess();
    // the buffer is written out here, where a failure can still be seen: on
    // commit a failed write would not stop the old file being replaced
    const bool written = file.write(bytes) == bytes.size() && file.flush() &&
                         (!durable || ::fsync(file.handle()) == 0);
    if (!written) {
        file.cancelWriting();
        file.commit(); // removes the temporary file
        throw RuntimeError::pathFileAccess();
    }
    if (!file.commit())
        throw RuntimeError::pathFileAccess();
}

void removeLeftovers(const QString& path)
{
    const QFileInfo target(path);
    QDir dir = target.absoluteDir();
    const QString prefix = target.fileName() + u'.';
    const QStringList names = dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QStringView suffix = QStringView(name).mid(prefix.size());
        bool random = true;
        bool lowerOnly = true;
        for (QChar c : suffix) {
            random = random && c.unicode() < 128 && c.isLetterOrNumber();
            lowerOnly = lowerOnly && c.isLower();
        }
        if (random && !lowerOnly)
            dir.remove(name);
    }
}

} // namespace wholefile
