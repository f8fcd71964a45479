// Force-included (-include) into every file of an earlier revision's program
// by bench/startup.sh, so that revisions without the start hook are measured
// as quendrasil_startbench measures the program of this one: once the
// application object exists, a filter waits for the control window's first
// paint, prints the milliseconds since QUENDRASIL_LAUNCH_NS and ends the
// process without anything else (no settings are written).
#pragma once

#if defined(__cplusplus) && __has_include(<QApplication>)

#include "FirstPaint.h"

#include <QApplication>

#include <unistd.h>

namespace revisionprobe {

// every file has its own copy of the start-up function; the first one counts
inline bool installed = false;

class ControlWindowPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("frmConfig")) {
            // once the paint is done, as the start hook's FirstPaint does it
            QTimer::singleShot(0, [] {
                printSinceLaunch();
                _exit(0);
            });
            qApp->removeEventFilter(this); // one paint only
        }
        return false;
    }
};

inline void install()
{
    if (installed || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    installed = true;
    qApp->installEventFilter(new ControlWindowPaint);
}

} // namespace revisionprobe

static void quendrasilRevisionProbe() { revisionprobe::install(); }
Q_COREAPP_STARTUP_FUNCTION(quendrasilRevisionProbe)

#endif
