#include "Application.h"
#include "BrokerAddress.h"
#include "CommandLine.h"
#include "FilesFolder.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "MrclockSharing.h"
#include "Program.h"
#include "Services.h"
#include "Sharing.h"
#include "WebAddresses.h"
#include "WebServer.h"

#ifdef QUENDRASIL_NET_PROBE
#include "NetProbe.h"
#endif

#include <QMessageBox>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Whether a window can be shown: a desktop is named, and it is not one of
// Qt's platforms without a screen (where a message box waits for nobody).
bool desktopAvailable(const QStringList& arguments)
{
    const QString platform = arguments.contains(QStringLiteral("-platform"))
                                 ? arguments.value(arguments.indexOf(QStringLiteral("-platform")) + 1)
                                 : qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.startsWith(QLatin1String("offscreen")) || platform.startsWith(QLatin1String("minimal")))
        return false;
    return !platform.isEmpty() || qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// A start-up error: said on standard error and, where nobody sees that (a
// start from the desktop's menu), in a message box as well. Returns the
// program's exit status.
int startFailed(int& argc, char** argv, const QStringList& arguments, const QString& text)
{
    std::fprintf(stderr, "quendrasil: %s\n", qPrintable(text));
    if (isatty(STDERR_FILENO) || !desktopAvailable(arguments))
        return 2;
    std::unique_ptr<QApplication> own;
    if (!QCoreApplication::instance())
        own = std::make_unique<QApplication>(argc, argv);
    QMessageBox box(QMessageBox::Critical, QStringLiteral(" Quendrasil"),
                    QStringLiteral("Quendrasil kann nicht starten:\n\n%1").arg(text));
    box.exec();
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine options = parseCommandLine(arguments);
    const auto failed = [&](const QString& text) { return startFailed(argc, argv, arguments, text); };
    if (!options.error.isEmpty())
        return failed(options.error);
    if (options.help) {
        std::fputs(qPrintable(options.helpText), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(qPrintable(versionText()), stdout);
        return 0;
    }
    std::optional<BrokerAddress> broker;
    if (!options.publish.isEmpty() || !options.follow.isEmpty()) {
        QString why;
        broker = parseBrokerUrl(options.publish.isEmpty() ? options.follow : options.publish, &why);
        if (!broker)
            return failed(why);
        const BrokerPassword password = brokerPassword(broker->user, broker->password, options.passwordFile,
                                                       qEnvironmentVariable("QUENDRASIL_MQTT_PASSWORD"));
        for (const QString& warning : password.warnings)
            std::fprintf(stderr, "quendrasil: %s\n", qPrintable(warning));
        if (!password.error.isEmpty())
            return failed(password.error);
        broker->password = password.password;
    }
    QString mrclockError;
    const auto mrclock = readMrclockOptions(options.publishMrclock, options.followMrclock, options.interface, &mrclockError);
    if (!mrclock)
        return failed(mrclockError);
    QString webError;
    std::optional<ListenAddress> web;
    if (!options.web.isEmpty() && !(web = parseListenAddress(options.web, &webError)))
        return failed(webError);

    // pixel-art pictures scale by whole factors only, so they stay crisp
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    Application::prepareEnvironment(argc, argv);
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quendrasil"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENDRASIL_FILE_VERSION));
    Program::prepareFonts();

    Services services;
    app.setServices(&services);

    Module1 m;
    // settings and time file in the user's data folder for an installed
    // program, else beside the binary where that folder can be written
    m.app.locate(QCoreApplication::applicationDirPath(), QStringLiteral(QUENDRASIL_DATADIR));
    FilesFolderLock folderLock(m.app.path); // one copy at a time uses a files folder
    if (!folderLock.claim(services))
        return 1;
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
        return failed(QStringLiteral("--web %1: %2").arg(options.web, webError));
    }
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, [&program, &m, share, &web, &webServer] {
        program.start();
        if (share)
            share();
        if (FrmConfig* config = program.frmConfig(); config && webServer)
            config->offerPageAddresses(pageUrls(web->address, webServer->port()));
#ifdef QUENDRASIL_NET_PROBE
        netprobe::attach(program, m);
#else
        (void)m;
#endif
    });
    return app.exec();
}
