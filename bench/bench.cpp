// Runs the real windows with the real timer and reports how the fast time kept
// up, the CPU share and the peak memory; or the time from start to the control
// window on screen.
//
//   quendrasil_bench run STYLE TIMEBASE SECONDS
//       prints: style timebase ticks ideal cpu_percent peak_kib
//   quendrasil_bench startup LAUNCH_NS
//       prints: milliseconds from LAUNCH_NS (CLOCK_REALTIME, taken by the caller
//       just before starting this program) to the first paint of the control window

#include "Application.h"
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

qint64 realtimeNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

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

// Calls back once when the watched window is first painted.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> done) : m_done(std::move(done)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            auto done = std::move(m_done);
            m_done = nullptr;
            QTimer::singleShot(0, done);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_done;
};

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
    const qint64 mainNs = realtimeNs();
    Application::prepareEnvironment();
    Application app(argc, argv);
    const QStringList args = app.arguments();
    const bool startup = args.value(1) == QStringLiteral("startup");
    if (args.size() < (startup ? 3 : 5)) {
        std::fprintf(stderr, "usage: %s run STYLE TIMEBASE SECONDS | startup LAUNCH_NS\n", argv[0]);
        return 2;
    }
    Program::prepareFonts();
    Services services;
    app.setServices(&services);

    QTemporaryDir dir;
    Settings settings;
    settings.anzeige = static_cast<std::int16_t>(startup ? 0 : args[2].toInt());
    settings.faktor = startup ? 333 : args[3].toInt();
    settings.anzeigeLeft = 1500;
    settings.anzeigeTop = 1500;
    settings.breiteMaxi = 7200;
    settings.hoeheMaxi = 7665;
    settingsfile::write(dir.filePath(settingsfile::fileName()), settings);

    Module1 m;
    m.app.path = dir.path();
    Program program(m, services);
    FirstPaint watcher([&] {
        if (startup) {
            const qint64 launch = args[2].toLongLong();
            std::printf("%.1f %.1f\n", (realtimeNs() - launch) / 1e6, (realtimeNs() - mainNs) / 1e6);
            std::fflush(stdout);
            QCoreApplication::exit(0);
            return;
        }
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
