#include "Application.h"
#include "CommandLine.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"
#include "WebServer.h"

#include <QFont>
#include <QTimer>

#include <cstdio>
#include <memory>

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
    m.app.path = QCoreApplication::applicationDirPath();
    Program program(m, services);
    std::unique_ptr<WebServer> webServer; // only with --web
    if (web && !(webServer = std::make_unique<WebServer>(m, &program.clockEvents()))->listen(*web, &webError)) {
        std::fprintf(stderr, "quendrasil: --web %s: %s\n", qPrintable(options.web), qPrintable(webError));
        return 2;
    }
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, &Program::start);
    return app.exec();
}
