#include "WholeFile.h"

#include "RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wholefile {

namespace {

constexpr int kRandomLength = 6;

bool isRandomPart(QStringView text)
{
    if (text.size() != kRandomLength)
        return false;
    for (QChar c : text)
        if (c.unicode() >= 128 || !c.isLetterOrNumber())
            return false;
    return true;
}

QString randomPart()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString part;
    for (int i = 0; i < kRandomLength; ++i)
        part += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return part;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The file itself, truncated and written, where its folder takes no new file.
void writeInPlace(const QString& path, const QByteArray& bytes, bool durable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        !writeAll(file.handle(), bytes) || (durable && ::fsync(file.handle()) != 0))
        throw RuntimeError::pathFileAccess();
}

} // namespace

QString temporaryPrefix(const QString& path)
{
    const QFileInfo target(path);
    return target.absoluteDir().filePath(u'.' + target.fileName() + QStringLiteral(".quendrasil-tmp-"));
}

void write(const QString& path, const QByteArray& bytes, bool durable, bool inPlace)
{
    QFileInfo target(path);
    for (int depth = 0; depth < 128 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    if (target.isDir() || (target.exists() && !target.isWritable()))
        throw RuntimeError::pathFileAccess();
    const QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    struct stat existing = {};
    const bool exists = ::stat(finalName.constData(), &existing) == 0;

    // a new file gets the usual permissions, an existing file keeps its own
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempName = QFile::encodeName(temporaryPrefix(target.absoluteFilePath()) + randomPart());
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        if (inPlace && exists && (errno == EACCES || errno == EROFS || errno == EPERM)) {
            writeInPlace(target.absoluteFilePath(), bytes, durable);
            return;
        }
        throw RuntimeError::pathFileAccess();
    }
    const bool written = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, bytes) &&
                         (!durable || ::fsync(fd) == 0);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(tempName.constData(), finalName.constData()) != 0) {
        ::unlink(tempName.constData());
        throw RuntimeError::pathFileAccess();
    }
}

void removeLeftovers(const QString& path)
{
    const QFileInfo prefix(temporaryPrefix(path));
    QDir dir = prefix.absoluteDir();
    const QString start = prefix.fileName();
    // compared by hand: a name filter would compile a pattern at every start
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (!name.startsWith(start))
            continue;
        const QFileInfo file(dir.filePath(name));
        if (isRandomPart(QStringView(name).mid(start.size())) && file.isFile() && !file.isSymLink() &&
            file.ownerId() == ::getuid())
            dir.remove(name);
    }
}

} // namespace wholefile
