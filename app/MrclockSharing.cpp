// Sharing the clock by MRclock multicast: the sender and the follower, wired
// to the control window.

#include "MrclockSharing.h"

#include "ClockState.h"
#include "Datagram.h"
#include "FrmConfig.h"
#include "MrclockAddress.h"
#include "MrclockFollower.h"
#include "MrclockSender.h"
#include "Program.h"

#include <QTimer>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

void sayOnConsole(const QString& text) { std::fprintf(stderr, "quendrasil: %s\n", qPrintable(text)); }

} // namespace

std::function<void()> shareMrclockPublished(Program& program, Module1& m, const MrclockAddress& address,
                                            const QHostAddress& iface)
{
    auto* sender = new MrclockSender(m, program.clockEvents(), address, iface, &program);
    auto note = [&program](const QString& text) {
        if (FrmConfig* config = program.frmConfig())
            config->setNetworkNote(FrmConfig::Note::Mrclock, text);
        sayOnConsole(text);
    };
    const QString sending = QStringLiteral("sendet die MRclock-Uhr \u201e%1\u201c an %2").arg(address.name, address.shown());
    QObject::connect(sender, &MrclockSender::sendFailed, &program, [note, address](const QString& why) {
        note(QStringLiteral("MRclock an %1 nicht gesendet (%2)").arg(address.shown(), why));
    });
    QObject::connect(sender, &MrclockSender::sendBack, &program, [note, sending] { note(sending); });
    return [sender, note, sending, address] {
        QString why;
        if (sender->start(&why))
            note(sending);
        else
            note(QStringLiteral("MRclock an %1 nicht möglich (%2)").arg(address.shown(), why));
    };
}

std::function<void()> shareMrclockFollowed(Program& program, const MrclockAddress& address, const QHostAddress& iface)
{
    auto* follower = new MrclockFollower(address, iface, &program);
    auto* silence = new QTimer(&program); // nothing heard for a minute
    silence->setSingleShot(true);
    silence->setInterval(static_cast<int>(MrclockFollower::kForgetMs));
    auto note = [&program](const QString& text) {
        if (FrmConfig* config = program.frmConfig())
            config->setNetworkNote(FrmConfig::Note::Mrclock, text);
    };
    const QString whom = address.name.isEmpty() ? QString()
                                                : QStringLiteral(" \u201e%1\u201c").arg(address.name);
    auto followed = std::make_shared<QString>(); // the note of the last datagram taken
    QObject::connect(follower, &MrclockFollower::datagramReceived, &program,
                     [&program, note, followed, silence, address](const mrclock::Datagram& d) {
        ClockState s;
        s.time = d.time;
        s.timeBase = mrclock::timeBaseOfSpeed(d.speed);
        s.running = d.active;
        s.title = d.text.left(clockstate::kMaxTitle);
        // the timer runs at the exact rate, not the rounded time base
        const qint64 exactNs = mrclock::exactIntervalOfSpeed(d.speed);
        if (FrmConfig* config = program.frmConfig())
            config->applyFollowedState(s, exactNs);
        const QString text = address.name.isEmpty()
                                 ? QStringLiteral("folgt der einzigen gehörten MRclock-Uhr \u201e%1\u201c (%2)")
                                 : QStringLiteral("folgt der MRclock-Uhr \u201e%1\u201c (%2)");
        const QString now = text.arg(d.name.left(mrclock::kMaxNameBytes), mrclock::ratioText(d.speed));
        if (now != *followed) {
            *followed = now;
            note(now);
            if (address.name.isEmpty())
                sayOnConsole(now);
        }
        silence->start();
    }, Qt::QueuedConnection);
    QObject::connect(follower, &MrclockFollower::severalHeard, &program, [note, followed](const QStringList& names) {
        const QString text = QStringLiteral("hört mehrere MRclock-Uhren (%1) und folgt keiner; "
                                            "bitte eine mit Namen wählen").arg(names.join(QStringLiteral(", ")));
        followed->clear();
        note(text);
        sayOnConsole(text);
    }, Qt::QueuedConnection);
    QObject::connect(follower, &MrclockFollower::malformed, &program, [](const QString& from, const QString& why) {
        sayOnConsole(QStringLiteral("MRclock-Datagramm von %1 verworfen: %2 (weitere werden nicht gemeldet)").arg(from, why));
    });
    QObject::connect(silence, &QTimer::timeout, &program, [note, followed, whom] {
        followed->clear();
        note(QStringLiteral("MRclock-Uhr%1 seit einer Minute nicht gehört").arg(whom));
    });
    return [&program, follower, note, whom, address] {
        if (FrmConfig* config = program.frmConfig())
            config->beginFollowing();
        QString why;
        if (follower->start(&why))
            note(QStringLiteral("wartet auf die MRclock-Uhr%1 (%2)").arg(whom, address.shown()));
        else
            note(QStringLiteral("MRclock-Gruppe %1 nicht erreichbar (%2)").arg(address.shown(), why));
    };
}

std::optional<MrclockOptions> readMrclockOptions(const QString& publish, const QString& follow, const QString& iface,
                                                 QString* why)
{
    MrclockOptions o;
    if (!publish.isEmpty()) {
        if (!(o.publish = parseMrclockUrl(publish, why)))
            return std::nullopt;
        if (o.publish->name.isEmpty()) {
            *why = QStringLiteral("%1: die Uhr braucht einen Namen (mrclock://[GRUPPE[:PORT]]/NAME)").arg(publish);
            return std::nullopt;
        }
    }
    if (!follow.isEmpty() && !(o.follow = parseMrclockUrl(follow, why)))
        return std::nullopt;
    if (!iface.isEmpty()) {
        const auto address = parseInterfaceAddress(iface, why);
        if (!address)
            return std::nullopt;
        o.iface = *address;
    }
    return o;
}

std::function<void()> withMrclock(Program& program, Module1& m, const MrclockOptions& options,
                                  std::function<void()> share)
{
    std::function<void()> mrclock;
    if (options.publish)
        mrclock = shareMrclockPublished(program, m, *options.publish, options.iface);
    else if (options.follow)
        mrclock = shareMrclockFollowed(program, *options.follow, options.iface);
    if (!mrclock)
        return share;
    if (!share)
        return mrclock;
    return [share, mrclock] {
        share();
        mrclock();
    };
}
