#pragma once

#include "MrclockAddress.h"

#include <QHostAddress>

#include <functional>
#include <optional>

class Program;
class QString;
struct Module1;

// The MRclock options of the command line, read before the application exists.
struct MrclockOptions {
    std::optional<MrclockAddress> publish;
    std::optional<MrclockAddress> follow;
    QHostAddress iface; // null: the system chooses
};
// Nothing (why says what is wrong) for a bad address, a publish address
// without a name, or an interface address that is not this computer's.
std::optional<MrclockOptions> readMrclockOptions(const QString& publish, const QString& follow, const QString& iface,
                                                 QString* why);

// share with the MRclock sharing the options ask for added; share itself
// when they ask for none.
std::function<void()> withMrclock(Program& program, Module1& m, const MrclockOptions& options,
                                  std::function<void()> share);

// Each returns what begins the sharing once the control window is loaded.

// --publish mrclock://…: the clock goes to the room's slave clocks and apps.
std::function<void()> shareMrclockPublished(Program& program, Module1& m, const MrclockAddress& address,
                                            const QHostAddress& iface);

// --follow mrclock://…: the clock comes from a command station, a meeting's
// clock server or another copy of this program. The control window's caption
// says whom it follows and at which ratio, or which clocks it hears.
std::function<void()> shareMrclockFollowed(Program& program, const MrclockAddress& address, const QHostAddress& iface);
