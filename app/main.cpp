#include "Application.h"
#include "CommandLine.h"
#include "FrmConfig.h"
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
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, &Program::start);
    return app.exec();
}
