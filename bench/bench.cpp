// Runs the real windows with the real timer and reports how the fast time kept
// up, the CPU share and the peak memory. (The start-up is measured by
// StartBench.cpp.)
//
//   quendrasil_bench run STYLE TIMEBASE SECONDS
//       prints: style timebase ticks ideal cpu_percent peak_kib

#include "Application.h"
#include "FirstPaint.h"
#include "Module1.h"
#include "Program.h"
#include "Services.h"
#include "Settings.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakKib()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

QWidget* topLevel(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    Application::prepareEnvironment();
    Application app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5 || args[1] != QStringLiteral("run")) {
        std::fprintf(stderr, "usage: %s run STYLE TIMEBASE SECONDS\n", argv[0]);
        return 2;
    }
    Program::prepareFonts();
    Services services;
    app.setServices(&services);

    QTemporaryDir dir;
    Settings settings;
    settings.anzeige = static_cast<std::int16_t>(args[2].toInt());
    settings.faktor = args[3].toInt();
    settings.anzeigeLeft = 1500;
    settings.anzeigeTop = 1500;
    settings.breiteMaxi = 7200;
    settings.hoeheMaxi = 7665;
    settingsfile::write(dir.filePath(settingsfile::fileName()), settings);

    Module1 m;
    m.app.path = dir.path();
    Program program(m, services);
    FirstPaint watcher([&] {
        auto* start = topLevel(QStringLiteral("frmConfig"))->findChild<QPushButton*>(QStringLiteral("btnStart"));
        start->click();
        const std::int32_t zeit0 = m.lngZeit;
        const double cpu0 = cpuSeconds();
        auto* wall = new QElapsedTimer;
        wall->start();
        QTimer::singleShot(args[4].toInt() * 1000, Qt::PreciseTimer, [&m, zeit0, cpu0, wall, &args] {
            const qint64 ms = wall->elapsed();
            const double cpu = cpuSeconds() - cpu0;
            std::printf("%s %s %d %lld %.2f %ld\n", qPrintable(args[2]), qPrintable(args[3]), m.lngZeit - zeit0,
                        ms / args[3].toLongLong(), 100.0 * cpu / (ms / 1000.0), peakKib());
            std::fflush(stdout);
            delete wall;
            QCoreApplication::exit(0);
        });
    });
    QTimer::singleShot(0, &program, [&] {
        program.start();
        topLevel(QStringLiteral("frmConfig"))->installEventFilter(&watcher);
    });
    return app.exec();
}
