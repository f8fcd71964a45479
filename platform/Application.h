#pragma once

#include <QApplication>

class Services;

// The application: catches a run-time error once, where the event loop hands out
// events, and lets the services report it and end the program.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    // Chooses Qt's cheaper paths for this program's drawing; call it before the
    // application object is made.
    static void prepareEnvironment();

    void setServices(Services* services) { m_services = services; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Services* m_services = nullptr;
};
