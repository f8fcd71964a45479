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

#include <memory>

std::function<void()> sharePublished(Program& program, Module1& m, Services& services, const BrokerAddress& broker)
{
    auto* publisher = new ClockPublisher(m, program.clockEvents(), broker, &program);
    auto everConnected = std::make_shared<bool>(false);
    auto note = [&program](const QString& text) {
        if (FrmConfig* config = program.frmConfig())
            config->setNetworkNote(text);
    };
    QObject::connect(publisher, &ClockPublisher::connectionBack, &program, [=] {
        *everConnected = true;
        note(QStringLiteral("gibt die Uhr \u201e%1\u201c weiter").arg(broker.name));
    });
    QObject::connect(publisher, &ClockPublisher::connectionLost, &program, [=, &services](const QString& why) {
        note(QStringLiteral("MQTT-Broker %1 nicht erreichbar").arg(broker.shown()));
        if (*everConnected)
            return;
        *everConnected = true; // said once
        services.msgBox(QStringLiteral("Der MQTT-Broker %1 ist nicht erreichbar (%2).").arg(broker.shown(), why) +
                            QChar(0x0D) + QChar(0x0D) +
                            QStringLiteral("Die Uhr läuft ohne Weitergabe. Sobald der Broker erreichbar ist, "
                                           "wird sie von selbst weitergegeben."),
                        Services::Warning, QStringLiteral(" Broker nicht erreichbar"));
    });
    return [publisher] { publisher->start(); };
}

std::function<void()> shareFollowed(Program& program, const BrokerAddress& broker)
{
    struct Status {
        QString master;
        bool brokerLost = false;
    };
    auto* follower = new ClockFollower(broker, &program);
    auto status = std::make_shared<Status>();
    const QString name = QStringLiteral("\u201e%1\u201c").arg(broker.name);
    status->master = QStringLiteral("wartet auf die Uhr %1").arg(name);
    auto note = [&program, status, broker] {
        if (FrmConfig* config = program.frmConfig())
            config->setNetworkNote(status->brokerLost
                                       ? QStringLiteral("MQTT-Broker %1 nicht erreichbar, %2").arg(broker.shown(), status->master)
                                       : status->master);
    };
    QObject::connect(follower, &ClockFollower::stateReceived, &program, [&program, status, note, name](const ClockState& s) {
        if (FrmConfig* config = program.frmConfig())
            config->applyFollowedState(s);
        status->master = QStringLiteral("folgt der Uhr %1").arg(name);
        note();
    }, Qt::QueuedConnection);
    QObject::connect(follower, &ClockFollower::masterOnline, &program, [status, note, name](bool online) {
        if (!online) {
            status->master = QStringLiteral("Leitrechner der Uhr %1 verloren").arg(name);
            note();
        }
    }, Qt::QueuedConnection);
    QObject::connect(follower, &ClockFollower::connectionLost, &program, [status, note] {
        status->brokerLost = true;
        note();
    });
    QObject::connect(follower, &ClockFollower::connectionBack, &program, [status, note] {
        status->brokerLost = false;
        note();
    });
    return [&program, follower, note] {
        if (FrmConfig* config = program.frmConfig())
            config->beginFollowing();
        note();
        follower->start();
    };
}
