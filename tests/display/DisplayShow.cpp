// Shows display windows on a real desktop, for checks under Xvfb and a window
// manager driven by xdotool (desktop_check.sh). Not run by CTest.
//
//   display_show STYLE [STYLE...] [--at LEFT TOP]
//
// Shows the first style's window at LEFT, TOP twips, and a small stand-in for
// the control window ("Steuerung") with a button "Weiter" that hides the
// current display window and shows the next style's window where the last
// small display window lost activation, as the control window does. Reports
// on stdout: "config" for each request to bring the control window back,
// "place LEFT TOP" whenever the recorded place changes, "shown NAME" and
// "unload SAVE" (then the program ends).
#include "DisplayForm.h"
#include "DisplayWindows.h"
#include "Module1.h"

#include <QApplication>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    Module1 m;
    m.app.path = QCoreApplication::applicationDirPath();
    m.strTitel = QStringLiteral("Quendrasil");
    m.lngAnzeigeLeft = 1500;
    m.lngAnzeigeTop = 1500;
    if (const int at = static_cast<int>(args.indexOf(QStringLiteral("--at"))); at >= 0 && at + 2 < args.size()) {
        m.lngAnzeigeLeft = args.value(at + 1).toInt();
        m.lngAnzeigeTop = args.value(at + 2).toInt();
        args.remove(at, 3);
    }
    QList<int> styles;
    for (const QString& a : args)
        styles << a.toInt();
    if (styles.isEmpty())
        styles << 4;

    QTextStream out(stdout);
    DisplayWindows windows(m);
    m.drawing = &windows;
    QObject::connect(&windows, &DisplayWindows::configRequested, [&] { out << "config" << Qt::endl; });
    QObject::connect(&windows, &DisplayWindows::unloadRequested, [&](bool save) {
        out << "unload " << (save ? "true" : "false") << Qt::endl;
        QCoreApplication::exit(0);
    });

    QPushButton control(QStringLiteral("Weiter"));
    control.setWindowTitle(QStringLiteral("Steuerung"));
    control.setGeometry(700, 600, 200, 60);

    int next = 0;
    const auto showNext = [&] {
        if (m.frmAnzeige)
            m.frmAnzeige->hideForm();
        DisplayForm* form = windows.get(styles.at(next % styles.size()));
        ++next;
        m.frmAnzeige = form;
        form->setFormPos(m.lngAnzeigeLeft, m.lngAnzeigeTop);
        form->showForm();
        if (displayStyle(form->style())->titleFromBox)
            form->setCaption(m.strTitel);
        out << "shown " << form->objectName() << Qt::endl;
    };
    QObject::connect(&control, &QPushButton::clicked, showNext);

    QPoint recorded(m.lngAnzeigeLeft, m.lngAnzeigeTop);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QPoint now(m.lngAnzeigeLeft, m.lngAnzeigeTop);
        if (now != recorded) {
            recorded = now;
            out << "place " << now.x() << ' ' << now.y() << Qt::endl;
        }
    });
    watch.start(50);

    control.show();
    showNext();
    return app.exec();
}
