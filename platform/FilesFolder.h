#pragma once

#include <QLockFile>
#include <QString>

class Services;

namespace filesfolder {

// Whether a binary in programDir runs from its installed place: the folder the
// program is installed to (bindir, known when it is built), or the same
// layout under another prefix (a package, an install with another prefix),
// recognised by the installed help pages in dataFromBin (relative to the
// binary's folder). Paths are compared canonically.
bool isInstalledPlace(const QString& programDir, const QString& installedBinDir, const QString& dataFromBin);

// The folder for the program's own files: the user's data folder for an
// installed program; beside the binary for a portable copy or the build
// folder, unless that folder cannot be written.
QString choose(const QString& programDir, bool installed);

// The bindir and the installed data relative to it, as the program was built.
QString installedBinDir();
QString dataFromBin();

} // namespace filesfolder

// Keeps a second copy of the program out of a files folder in use: a lock file
// ".Quendrasil.lock", made and removed by the program. A lock left by a copy
// that no longer runs is taken over; a folder without room for the lock (one
// that cannot be written) is used unlocked, as before.
class FilesFolderLock {
public:
    explicit FilesFolderLock(const QString& folder);

    static QString fileName() { return QStringLiteral(".Quendrasil.lock"); }

    // Takes the folder; false when another copy uses it, after telling the
    // user so in a message box. The folder is left as it was then.
    bool claim(Services& services);

private:
    QString m_folder;
    QLockFile m_lock;
};
