#pragma once

#include "AppVersion.h"
#include "FilesFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// The application object: the program's folders and its version fields.
struct AppInfo {
    // The folder of the program's own files (settings, time file), without a
    // trailing separator: the user's data folder for an installed copy; the
    // binary's folder for a portable copy, where that folder can be written.
    QString path;
    // Where the help file and its pages are looked up, in this order; empty
    // means the files folder.
    QStringList helpFolders;
    int major = appversion::kMajor;
    int minor = appversion::kMinor;
    int revision = appversion::kRevision;
    QString productName = QStringLiteral("Quendrasil-Uhr");
    QString legalCopyright = QStringLiteral("Tibor Quandel");
    QString comments = QStringLiteral("quendrasil@tquandel.de");
    QString fileVersion = QString::fromLatin1(appversion::kFileVersion);
    QString helpFile;

    // The folder of the help pages beside the help file.
    static QString helpPagesFolder() { return QStringLiteral("Quendrasil-Hilfe"); }

    // A file in the program's files folder.
    QString file(const QString& name) const { return path + u'/' + name; }

    // The help file in the first help folder that holds it or its pages.
    QString helpPath(const QString& name) const
    {
        for (const QString& folder : helpFolders) {
            const QDir dir(folder);
            if (QFileInfo(dir.filePath(name)).isFile()
                || QFileInfo(dir.filePath(helpPagesFolder() + QStringLiteral("/index.html"))).isFile())
                return dir.filePath(name);
        }
        return helpFolders.isEmpty() ? file(name) : QDir(helpFolders.first()).filePath(name);
    }

    // Sets the folders for a binary in programDir whose installed data lie in
    // dataDir. The user's data folder is created when it is needed.
    void locate(const QString& programDir, const QString& dataDir)
    {
        using namespace filesfolder;
        path = choose(programDir, isInstalledPlace(programDir, installedBinDir(), dataFromBin()));
        helpFolders = {programDir, QDir::cleanPath(programDir + QStringLiteral("/../share/quendrasil")),
                       dataDir};
        helpFolders.removeDuplicates();
    }
};
