#include "Application.h"

#include "RuntimeError.h"
#include "Services.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false); // the program ends only by its own rules
}

void Application::prepareEnvironment()
{
    // The clocks repaint a few small regions many times a second. On X11 a
    // shared-memory image waits for a completion event each time, which costs
    // more than sending the few pixels over the local connection.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& error) {
        if (m_services)
            m_services->runtimeError(error);
        else
            exit(1);
        return true;
    }
}
