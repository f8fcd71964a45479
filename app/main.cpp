#include "Application.h"
#include "BrokerAddress.h"
#include "ClockFollower.h"
#include "ClockPublisher.h"
#include "CommandLine.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"
#include "WebServer.h"

#ifdef QUENDRASIL_NET_PROBE
#include "NetProbe.h"
#endif

#include <QFont>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

// --publish: the clock goes to the broker. A broker out of reach at start is
// told once in a message box, then in the control window's caption; the clock
// runs on as a plain one and publishes once the broker is back.
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

// --follow: the clock comes from the broker; states reach the control window
// queued, never inside a call of the network library or a drawing routine.
// The caption says whom it follows, or that the master or the broker is lost.
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

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine options = parseCommandLine(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "quendrasil: %s\n", qPrintable(options.error));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(options.helpText), stdout);
        return 0;
    }
    std::optional<BrokerAddress> broker;
    if (!options.publish.isEmpty() || !options.follow.isEmpty()) {
        QString why;
        broker = parseBrokerUrl(options.publish.isEmpty() ? options.follow : options.publish, &why);
        if (!broker) {
            std::fprintf(stderr, "quendrasil: %s\n", qPrintable(why));
            return 2;
        }
    }
    QString webError;
    std::optional<ListenAddress> web;
    if (!options.web.isEmpty() && !(web = parseListenAddress(options.web, &webError))) {
        std::fprintf(stderr, "quendrasil: %s\n", qPrintable(webError));
        return 2;
    }

    // pixel-art pictures scale by whole factors only, so they stay crisp
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    Application::prepareEnvironment();
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quendrasil"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENDRASIL_FILE_VERSION));
    Program::prepareFonts();

    Services services;
    app.setServices(&services);

    Module1 m;
    // settings and time file beside the binary, or in the user's data folder
    // where that folder cannot be written
    m.app.locate(QCoreApplication::applicationDirPath(), QStringLiteral(QUENDRASIL_DATADIR));
    Program program(m, services);
    // a logout or a signal to stop ends the program as closing the control window does
    QObject::connect(&app, &Application::endRequested, &program, [&program, &services] {
        if (FrmConfig* config = program.frmConfig())
            config->endSession();
        else
            services.end(0);
    });
    QObject::connect(&app, &Application::saveRequested, &program, [&program] {
        if (FrmConfig* config = program.frmConfig())
            config->commitSession();
    });
    std::function<void()> share; // begins sharing once the control window is loaded
    if (broker && !options.publish.isEmpty())
        share = sharePublished(program, m, services, *broker);
    else if (broker)
        share = shareFollowed(program, *broker);
    std::unique_ptr<WebServer> webServer; // only with --web
    if (web && !(webServer = std::make_unique<WebServer>(m, &program.clockEvents()))->listen(*web, &webError)) {
        std::fprintf(stderr, "quendrasil: --web %s: %s\n", qPrintable(options.web), qPrintable(webError));
        return 2;
    }
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, [&program, &m, share] {
        program.start();
        if (share)
            share();
#ifdef QUENDRASIL_NET_PROBE
        netprobe::attach(program, m);
#else
        (void)m;
#endif
    });
    return app.exec();
}
