#pragma once

#include <QString>
#include <QStringList>

// The command line: without options the program is the plain clock. The
// options share the clock with other computers (--publish, --follow) and with
// browsers (--web).
struct CommandLine {
    QString publish; // mqtt://[user:password@]host[:port]/NAME, or empty
    QString follow;  // mqtt://host[:port]/NAME, or empty
    QString web;     // [ADDRESS:]PORT, or empty
    QString publishMrclock; // mrclock://[GROUP[:PORT]]/NAME, or empty
    QString followMrclock;  // mrclock://[GROUP[:PORT]]/[NAME], or empty
    QString interface;      // --interface: the IPv4 address of the network interface for MRclock
    QString error;   // what was wrong with the command line, or empty
    bool help = false;
    QString helpText;
};

// Reads the arguments before the application object exists (so --help needs
// no desktop); Qt's own options such as -platform are let through. An unknown option, a missing value, or --publish
// together with --follow is an error, but for following an MRclock clock while
// publishing over MQTT (the bridge). --publish may be given once for MQTT and
// once for MRclock.
CommandLine parseCommandLine(const QStringList& arguments);
