#pragma once

#include <QString>
#include <QStringList>

// The command line: without options the program is the plain clock. The
// options share the clock with other computers (--publish, --follow) and with
// browsers (--web).
struct CommandLine {
    QString publish; // mqtt://[user[:password]@]host[:port]/NAME, or empty
    QString follow;  // the same, or empty
    QString web;     // [ADDRESS:]PORT, or empty
    QString passwordFile; // the broker's password in a file, or empty
    QString publishMrclock; // mrclock://[GROUP[:PORT]]/NAME, or empty
    QString followMrclock;  // mrclock://[GROUP[:PORT]]/[NAME], or empty
    QString interface;      // --interface: the IPv4 address of the network interface for MRclock
    QString error;   // what was wrong with the command line, or empty
    bool help = false;
    QString helpText; // German, within 80 columns
    bool version = false; // --version: versionText() is printed
};

// Reads the arguments before the application object exists (so --help needs
// no desktop); Qt's own options such as -platform are let through. An unknown option, a missing value, or --publish
// together with --follow is an error, but for following an MRclock clock while
// publishing over MQTT (the bridge). --publish may be given once for MQTT and
// once for MRclock.
CommandLine parseCommandLine(const QStringList& arguments);

// "Quendrasil 1.2.6" and a line end, from the program's version fields.
QString versionText();

// The broker's password: from the file named by --password-file, else from
// the environment (QUENDRASIL_MQTT_PASSWORD), else from the URL. Warnings (in
// German, for stderr) when the URL holds one, which every user of the
// computer can read, or when others may read the file; an error when the
// file cannot be read or there is a password but no user. No text holds the
// password.
struct BrokerPassword {
    QString password;
    QStringList warnings;
    QString error;
};
BrokerPassword brokerPassword(const QString& user, const QString& urlPassword, const QString& passwordFile,
                              const QString& fromEnvironment);
