#pragma once

#include <QString>

// The application object: the program's folder and its version fields.
struct AppInfo {
    QString path; // the binary's folder, without a trailing separator
    int major = 1;
    int minor = 2;
    int revision = 6;
    QString productName = QStringLiteral("Quendrasil-Uhr");
    QString legalCopyright = QStringLiteral("Tibor Quandel");
    QString comments = QStringLiteral("quendrasil@tquandel.de");
    QString fileVersion = QStringLiteral("1.02.0006");
    QString helpFile;

    // A file in the program's folder.
    QString file(const QString& name) const { return path + u'/' + name; }
};
