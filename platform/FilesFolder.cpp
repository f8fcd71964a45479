#include "FilesFolder.h"

#include "Services.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace filesfolder {

bool isInstalledPlace(const QString& programDir, const QString& installedBinDir, const QString& dataFromBin)
{
    // a path that does not exist has no canonical form
    const QString here = QFileInfo(programDir).canonicalFilePath();
    if (here.isEmpty())
        return false;
    if (here == QFileInfo(installedBinDir).canonicalFilePath())
        return true;
    return !dataFromBin.isEmpty() &&
           QFileInfo(QDir(here).filePath(dataFromBin + QStringLiteral("/Quendrasil-Hilfe"))).isDir();
}

QString choose(const QString& programDir, bool installed)
{
    // the application's data folder, ~/.local/share/Quendrasil; named here
    // rather than taken from the application's names, so that it stays
    // where other programs look for the time file
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || (!installed && QFileInfo(programDir).isWritable()))
        return programDir;
    const QString path = data + QStringLiteral("/Quendrasil");
    QDir().mkpath(path); // a folder that cannot be made shows at the first write (error 75)
    return path;
}

QString installedBinDir() { return QStringLiteral(QUENDRASIL_BINDIR); }
QString dataFromBin() { return QStringLiteral(QUENDRASIL_DATA_FROM_BIN); }

} // namespace filesfolder

FilesFolderLock::FilesFolderLock(const QString& folder)
    : m_folder(folder), m_lock(QDir(folder).filePath(fileName()))
{
    // a running copy's lock never grows stale with age; only one of a copy
    // that no longer runs is taken over
    m_lock.setStaleLockTime(0);
}

bool FilesFolderLock::claim(Services& services)
{
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError)
        return true;
    services.msgBox(QStringLiteral("Quendrasil läuft schon mit den Dateien im Ordner '%1' !")
                            .arg(QDir::toNativeSeparators(m_folder)) +
                        QChar(0x0D) + QChar(0x0D) +
                        QStringLiteral("Ein zweites Programm würde dessen Einstellungen überschreiben; "
                                       "es wird beendet, ohne etwas zu speichern ."),
                    Services::Warning, QStringLiteral(" Quendrasil läuft schon..."));
    return false;
}
