#include "SmallDisplayForm.h"

#include "Module1.h"
#include "Numbers.h"

#include <QMouseEvent>
#include <QWindow>

SmallDisplayForm::SmallDisplayForm(Module1& m, int style) : ClockWindow(m, style) {}

bool SmallDisplayForm::staysOnTop() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void SmallDisplayForm::setVisible(bool visible)
{
    if (visible && !isVisible() && isLoaded()) {
        applyActivationSize();
        keepOnTop();
    }
    ClockWindow::setVisible(visible);
}

void SmallDisplayForm::formActivate()
{
    // activation draws nothing: the face keeps what the last update put there
    applyActivationSize();
    keepOnTop();
}

void SmallDisplayForm::keepOnTop()
{
    if (staysOnTop())
        return;
    // The flag goes to the native window directly, so the window is neither
    // hidden nor shown again; the widget's own flags are kept in step.
    overrideWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    if (QWindow* window = windowHandle())
        window->setFlags(windowFlags());
}

void SmallDisplayForm::formDeactivate()
{
    m_module.lngAnzeigeLeft = numbers::toLong(formLeft());
    m_module.lngAnzeigeTop = numbers::toLong(formTop());
}

void SmallDisplayForm::formMouseDown(Qt::MouseButton button, const QPoint& pos)
{
    if (button != Qt::LeftButton || formStyle().titleBar)
        return;
    // the window manager moves the window as if its title bar had been pressed
    if (QWindow* window = windowHandle(); window && window->startSystemMove())
        return;
    // where the desktop cannot, the window follows the mouse itself
    m_dragOffset = pos;
}

void SmallDisplayForm::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragOffset && event->buttons().testFlag(Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
        event->accept();
        return;
    }
    ClockWindow::mouseMoveEvent(event);
}

void SmallDisplayForm::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragOffset && event->button() == Qt::LeftButton) {
        m_dragOffset.reset();
        event->accept();
        return;
    }
    ClockWindow::mouseReleaseEvent(event);
}
