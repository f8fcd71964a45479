#include "Application.h"

#include "RuntimeError.h"
#include "Services.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false); // the program ends only by its own rules
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
