#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// The application object: the program's folders and its version fields.
struct AppInfo {
    // The folder of the program's own files (settings, time file), without a
    // trailing separator: the binary's folder where it can be written (a
    // portable copy), otherwise the user's data folder (an installed copy).
    QString path;
    // Where the help file and its pages are looked up, in this order; empty
    // means the files folder.
    QStringList helpFolders;
    int major = 1;
    int minor = 2;
    int revision = 6;
    QString productName = QStringLiteral("Quendrasil-Uhr");
    QString legalCopyright = QStringLiteral("Tibor Quandel");
    QString comments = QStringLiteral("quendrasil@tquandel.de");
    QString fileVersion = QStringLiteral("1.02.0006");
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
        path = programDir;
        // the application's data folder, ~/.local/share/Quendrasil; named here
        // rather than taken from the application's names, so that it stays
        // where other programs look for the time file
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (!QFileInfo(programDir).isWritable() && !data.isEmpty()) {
            path = data + QStringLiteral("/Quendrasil");
            QDir().mkpath(path); // a folder that cannot be made shows at the first write (error 75)
        }
        helpFolders = {programDir, QDir::cleanPath(programDir + QStringLiteral("/../share/quendrasil")),
                       dataDir};
        helpFolders.removeDuplicates();
    }
};
