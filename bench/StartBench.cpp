// Start-up to the first paint of the first window, for bench/startup.sh.
//
//   quendrasil_startbench [OPTIONS]   the program itself, with its options
//   quendrasil_barewindow             a bare Qt window, for comparison
//   quendrasil_barewindow --text      the same with one line of text in the
//                                     control window's font: what text costs
//   quendrasil_barewindow --second    another bare window shown first, as the
//                                     program shows its display window before
//                                     the control window
//
// Each prints the milliseconds from QUENDRASIL_LAUNCH_NS (the wall clock in
// nanoseconds, taken by the caller just before starting it) to the first
// paint, and ends.

#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>


#ifdef QUENDRASIL_BARE_WINDOW

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    if (app.arguments().contains(QStringLiteral("--text"))) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(9.75);
        window.setFont(font);
        auto* line = new QLabel(QStringLiteral("um die Konfiguration zu ändern müssen Sie die Uhr anhalten"), &window);
        line->move(10, 10);
    }
    QWidget second;
    if (app.arguments().contains(QStringLiteral("--second"))) {
        second.setGeometry(40, 30, 200, 80);
        second.show();
    }
    FirstPaint watcher([] {
        printSinceLaunch();
        QCoreApplication::exit(0);
    });
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}

#else

#include "Program.h"
#include "Startup.h"

int main(int argc, char** argv)
{
    return runProgram(argc, argv, [](Program& program, Module1&) {
        QWidget* control = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmConfig"))
                control = w;
        auto* watcher = new FirstPaint([] {
            printSinceLaunch();
            QCoreApplication::exit(0);
        }, &program);
        control->installEventFilter(watcher);
    });
}

#endif
