#pragma once

#include <QString>
#include <QStringList>

class Program;
class Services;
struct CommandLine;
struct Module1;

// Sharing the clock (--publish, --follow, --web): a module of its own, which
// the program loads only when the command line asks for sharing, so that a
// plain start maps none of the network libraries. The module runs inside the
// program and uses its control window and clock.
class Sharing {
public:
    virtual ~Sharing() = default;
    // Once the program object exists: makes the publisher, the followers and
    // the web server; false, and why, when the web server cannot listen.
    virtual bool prepare(Program& program, Module1& m, Services& services, QString* why) = 0;
    // Once the control window is loaded: begins sharing.
    virtual void begin(Program& program) = 0;
};

// The module's one entry, called before the application object exists: reads
// the sharing options of the command line. Nothing, and why in German, when
// they are wrong; else the caller owns the result.
extern "C" Sharing* quendrasilSharing(const CommandLine& options, QString* why);
using SharingEntry = Sharing* (*)(const CommandLine& options, QString* why);
inline constexpr char kSharingEntry[] = "quendrasilSharing";

// The module's file name, and where it is looked for: in the installed
// layout's library folder relative to the binary's folder, then beside the
// binary (a build or a portable copy).
QString sharingModuleName();
QStringList sharingModulePlaces(const QString& programDir);
