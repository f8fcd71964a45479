#pragma once

#include <QApplication>

class QSocketNotifier;
class Services;

// The application: catches a run-time error once, where the event loop hands out
// events, and lets the services report it and end the program. It also turns
// the end of the desktop session (the session manager's "die") and the signals
// SIGTERM, SIGHUP and SIGINT into one request to end, handled on the event loop.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Chooses Qt's cheaper paths for this program's drawing, and X11 over
    // Wayland where both are at hand and the user chose no platform; call it
    // with the program's arguments before the application object is made.
    static void prepareEnvironment(int argc = 0, char** argv = nullptr);

    void setServices(Services* services) { m_services = services; }

    bool notify(QObject* receiver, QEvent* event) override;

protected:
    // The session manager's last word (its "die") quits the application: that
    // too is the end of the session, not a close of every window in some order.
    bool event(QEvent* event) override;

signals:
    // The session ends or a signal asks the program to stop. While a run-time
    // error is being reported the program ends at once instead, unsaved.
    void endRequested();
    // The session manager asks for the data to be committed: before a logout,
    // but also at a checkpoint, after which the program goes on.
    void saveRequested();

private:
    void watchSignals();
    void signalArrived();
    void requestEnd();

    Services* m_services = nullptr;
    QSocketNotifier* m_signals = nullptr;
    bool m_failing = false; // a run-time error is being reported
};
