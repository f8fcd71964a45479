// The program's start: the command line, the application object, the clock
// and, when the command line asks for it, the sharing module.

#include "Startup.h"

#include "AppVersion.h"
#include "Application.h"
#include "CommandLine.h"
#include "FilesFolder.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"
#include "SharingModule.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <memory>

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

bool wantsSharing(const CommandLine& c)
{
    return !c.publish.isEmpty() || !c.follow.isEmpty() || !c.web.isEmpty() || !c.publishMrclock.isEmpty()
           || !c.followMrclock.isEmpty();
}

// The sharing module, loaded for good (it is never unloaded); nothing, and
// why, when it is missing or cannot be loaded.
std::unique_ptr<Sharing> loadSharing(const QString& programDir, const CommandLine& options, QString* why)
{
    const QStringList places = sharingModulePlaces(programDir);
    QString loadError;
    for (const QString& place : places) {
        const QFileInfo file(place);
        // only a module of this user's or the system's, which nobody else can change
        if (!file.isFile() || (file.ownerId() != 0 && file.ownerId() != getuid())
            || (file.permissions() & (QFile::WriteGroup | QFile::WriteOther)))
            continue;
        QLibrary library(place);
        // every symbol bound now: the module takes the clock and the control
        // window from the program, and one the program lacks is refused here
        // rather than ending the program when first called
        library.setLoadHints(QLibrary::PreventUnloadHint | QLibrary::ResolveAllSymbolsHint);
        const auto entry = reinterpret_cast<SharingEntry>(library.resolve(kSharingEntry));
        if (!entry) {
            loadError = library.errorString();
            break;
        }
        return std::unique_ptr<Sharing>(entry(options, why));
    }
    *why = QStringLiteral("--publish, --follow, --web und MRclock brauchen das Modul %1, %2")
               .arg(sharingModuleName(),
                    loadError.isEmpty()
                        ? QStringLiteral("das weder in %1 noch in %2 liegt.")
                              .arg(QDir::toNativeSeparators(QFileInfo(places.first()).path()),
                                   QDir::toNativeSeparators(QFileInfo(places.last()).path()))
                        : QStringLiteral("das nicht geladen werden kann: %1").arg(loadError));
    return nullptr;
}

} // namespace

QString sharingModuleName() { return QStringLiteral("quendrasil-sharing.so"); }

QStringList sharingModulePlaces(const QString& programDir)
{
    // where the package installs it, and beside the binary (the build folder)
    return {QDir::cleanPath(programDir + u'/' + QStringLiteral(QUENDRASIL_MODULE_FROM_BIN) + u'/' + sharingModuleName()),
            QDir::cleanPath(programDir + u'/' + sharingModuleName())};
}

int runProgram(int argc, char** argv, const StartHook& started)
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
    std::unique_ptr<Sharing> sharing; // only when the command line asks for it
    if (wantsSharing(options)) {
        // the binary's folder, as the application object finds it later
        const QString programDir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
        QString why;
        if (!(sharing = loadSharing(programDir, options, &why)))
            return failed(why);
    }

    // pixel-art pictures scale by whole factors only, so they stay crisp
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    Application::prepareEnvironment(argc, argv);
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quendrasil"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(appversion::kFileVersion));
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
    // what sharing makes ends before the program object
    const std::unique_ptr<Sharing> running = std::move(sharing);
    if (QString why; running && !running->prepare(program, m, services, &why))
        return failed(why);
    // start-up runs inside the event loop, where a run-time error is caught
    QTimer::singleShot(0, &program, [&program, &m, &running, &started] {
        program.start();
        if (running)
            running->begin(program);
        if (started)
            started(program, m);
    });
    return app.exec();
}
