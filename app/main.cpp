#include "Application.h"
#include "CommandLine.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"

#include <QFont>
#include <QTimer>

#include <cstdio>

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
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, &Program::start);
    return app.exec();
}
