// Sharing the clock over MQTT: the master's publisher and the follower,
// wired to the control window.

#include "Sharing.h"

#include "BrokerAddress.h"
#include "ClockFollower.h"
#include "ClockPublisher.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"

#include <QTime>

#include <memory>

namespace {

QString twoSendersNote(const BrokerAddress& broker)
{
    return QStringLiteral("Achtung: zwei Rechner geben die Uhr \u201e%1\u201c weiter").arg(broker.name);
}

QString brokerNote(const BrokerAddress& broker, bool refused)
{
    return refused ? QStringLiteral("Anmeldung am MQTT-Broker %1 abgelehnt").arg(broker.shown())
                   : QStringLiteral("MQTT-Broker %1 nicht erreichbar").arg(broker.shown());
}

void setNote(Program& program, const QString& text)
{
    if (FrmConfig* config = program.frmConfig())
        config->setNetworkNote(FrmConfig::Note::Mqtt, text);
}

} // namespace

// The client tells its receivers from the event loop, never inside a call of
// the network library: what follows may open a dialog or change the window.
std::function<void()> sharePublished(Program& program, Module1& m, Services& services, const BrokerAddress& broker)
{
    struct Status {
        QString connection;
        bool twoSenders = false;
        bool told = false; // the message box was shown (or the broker reached)
    };
    auto* publisher = new ClockPublisher(m, program.clockEvents(), broker, &program);
    auto status = std::make_shared<Status>();
    status->connection = QStringLiteral("verbindet mit dem MQTT-Broker %1 …").arg(broker.shown());
    auto note = [&program, status, broker] {
        setNote(program, status->twoSenders ? status->connection + QStringLiteral(" – ") + twoSendersNote(broker)
                                            : status->connection);
    };
    QObject::connect(publisher, &ClockPublisher::connectionBack, &program, [=] {
        status->told = true;
        status->connection = QStringLiteral("gibt die Uhr \u201e%1\u201c weiter").arg(broker.name);
        note();
    });
    QObject::connect(publisher, &ClockPublisher::twoSenders, &program, [=](bool two) {
        status->twoSenders = two;
        note();
    });
    QObject::connect(publisher, &ClockPublisher::connectionLost, &program,
                     [=, &services](const QString& why, bool refused) {
        status->connection = brokerNote(broker, refused);
        note();
        if (status->told)
            return;
        status->told = true; // said once
        if (refused)
            services.msgBox(QStringLiteral("Der MQTT-Broker %1 hat die Anmeldung abgelehnt (Anmeldung abgelehnt): "
                                           "Benutzer oder Passwort stimmen nicht, oder der Benutzer darf die Uhr "
                                           "nicht weitergeben.").arg(broker.shown()) +
                                QChar(0x0D) + QChar(0x0D) +
                                QStringLiteral("Die Uhr läuft ohne Weitergabe."),
                            Services::Warning, QStringLiteral(" Anmeldung abgelehnt"));
        else
            services.msgBox(QStringLiteral("Der MQTT-Broker %1 ist nicht erreichbar (%2).").arg(broker.shown(), why) +
                                QChar(0x0D) + QChar(0x0D) +
                                QStringLiteral("Die Uhr läuft ohne Weitergabe. Sobald der Broker erreichbar ist, "
                                               "wird sie von selbst weitergegeben."),
                            Services::Warning, QStringLiteral(" Broker nicht erreichbar"));
    });
    return [publisher, note] {
        note();
        publisher->start();
    };
}

std::function<void()> shareFollowed(Program& program, const BrokerAddress& broker)
{
    struct Status {
        QString master;
        QString brokerLost; // empty: connected
        bool twoSenders = false;
    };
    auto* follower = new ClockFollower(broker, &program);
    auto status = std::make_shared<Status>();
    const QString name = QStringLiteral("\u201e%1\u201c").arg(broker.name);
    status->master = QStringLiteral("wartet auf die Uhr %1").arg(name);
    // while the broker is lost, that is what counts: the clock runs on by itself
    auto note = [&program, status, broker] {
        QString text = status->brokerLost.isEmpty() ? status->master : status->brokerLost;
        if (status->twoSenders)
            text += QStringLiteral(" – ") + twoSendersNote(broker);
        setNote(program, text);
    };
    QObject::connect(follower, &ClockFollower::stateReceived, &program, [&program, status, note, name](const ClockState& s) {
        if (FrmConfig* config = program.frmConfig())
            config->applyFollowedState(s);
        status->master = QStringLiteral("folgt der Uhr %1 – %2").arg(name, s.running ? QStringLiteral("läuft")
                                                                                      : QStringLiteral("angehalten"));
        note();
    });
    // a lost master is said until its next state, or until it is back
    QObject::connect(follower, &ClockFollower::masterOnline, &program, [status, note, name](bool online) {
        const QString lost = QStringLiteral("Leitrechner der Uhr %1 verloren").arg(name);
        if (!online)
            status->master = lost + QStringLiteral(" seit %1").arg(QTime::currentTime().toString(QStringLiteral("HH:mm")));
        else if (status->master.startsWith(lost))
            status->master = QStringLiteral("wartet auf die Uhr %1").arg(name);
        note();
    });
    QObject::connect(follower, &ClockFollower::twoSenders, &program, [status, note](bool two) {
        status->twoSenders = two;
        note();
    });
    QObject::connect(follower, &ClockFollower::connectionLost, &program, [status, note, broker](const QString&, bool refused) {
        status->brokerLost = brokerNote(broker, refused);
        note();
    });
    QObject::connect(follower, &ClockFollower::connectionBack, &program, [status, note] {
        status->brokerLost.clear();
        note();
    });
    return [&program, follower, note] {
        if (FrmConfig* config = program.frmConfig())
            config->beginFollowing();
        note();
        follower->start();
    };
}
