#include "Application.h"

#include "RuntimeError.h"
#include "Services.h"

#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The two ends of the pipe from the signal handler to the event loop.
int signalPipe[2] = {-1, -1};

const int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The platform the program chose itself, through the environment; taken back
// once the application object exists, so that other programs started from it
// (the help viewer) choose their own.
bool choseXcb = false;

bool platformGiven(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-platform" || arg == "--platform" || arg.startsWith("-platform=") ||
            arg.startsWith("--platform="))
            return true;
    }
    return false;
}

// Runs in the signal handler: only a write, which is safe there.
void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false); // the program ends only by its own rules
    if (choseXcb)
        qunsetenv("QT_QPA_PLATFORM");
    watchSignals();
#ifndef QT_NO_SESSIONMANAGER
    // asked to commit its data (before a logout, or at a checkpoint, which
    // is no end) the program saves its settings and goes on; the session's
    // end is the "die" that follows. It keeps no state of a session beyond
    // the settings file, so the requests to save a state are left alone.
    connect(this, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        if (!m_failing)
            emit saveRequested();
    });
#endif
}

Application::~Application()
{
    for (int number : kEndSignals)
        std::signal(number, SIG_DFL);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void Application::prepareEnvironment(int argc, char** argv)
{
    // On Wayland a window can neither place itself nor learn its place, nor
    // stay on top. Where an X server is at hand too (XWayland), the program
    // uses it, unless the user chose a platform; Wayland stays the fallback.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        !platformGiven(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
        choseXcb = true;
    }
    // The clocks repaint a few small regions many times a second. On X11 a
    // shared-memory image waits for a completion event each time, which costs
    // more than sending the few pixels over the local connection.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

void Application::watchSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return; // the signals keep their default: the program ends unsaved
    m_signals = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_signals, &QSocketNotifier::activated, this, &Application::signalArrived);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kEndSignals)
        sigaction(number, &action, nullptr);
}

void Application::signalArrived()
{
    char buffer[16];
    while (::read(signalPipe[1], buffer, sizeof buffer) > 0) {
    }
    requestEnd();
}

void Application::requestEnd()
{
    if (!m_failing) {
        emit endRequested();
        return;
    }
    if (m_services)
        m_services->end(1);
    else
        exit(1);
}

bool Application::event(QEvent* event)
{
    if (event->type() == QEvent::Quit) {
        requestEnd();
        return true;
    }
    return QApplication::event(event);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& error) {
        m_failing = true;
        if (m_services)
            m_services->runtimeError(error);
        else
            exit(1);
        return true;
    }
}
