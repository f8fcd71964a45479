#include "Application.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"

#include <QFont>
#include <QTimer>

int main(int argc, char** argv)
{
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
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, &Program::start);
    return app.exec();
}
