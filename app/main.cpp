#include "Application.h"
#include "BrokerAddress.h"
#include "CommandLine.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "MrclockSharing.h"
#include "Program.h"
#include "Services.h"
#include "Sharing.h"
#include "WebServer.h"

#ifdef QUENDRASIL_NET_PROBE
#include "NetProbe.h"
#endif

#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

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
        const BrokerPassword password = brokerPassword(broker->user, broker->password, options.passwordFile,
                                                       qEnvironmentVariable("QUENDRASIL_MQTT_PASSWORD"));
        for (const QString& warning : password.warnings)
            std::fprintf(stderr, "quendrasil: %s\n", qPrintable(warning));
        if (!password.error.isEmpty()) {
            std::fprintf(stderr, "quendrasil: %s\n", qPrintable(password.error));
            return 2;
        }
        broker->password = password.password;
    }
    QString mrclockError;
    const auto mrclock = readMrclockOptions(options.publishMrclock, options.followMrclock, options.interface, &mrclockError);
    if (!mrclock) {
        std::fprintf(stderr, "quendrasil: %s\n", qPrintable(mrclockError));
        return 2;
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
    share = withMrclock(program, m, *mrclock, share);
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
