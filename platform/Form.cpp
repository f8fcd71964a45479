#include "Form.h"

#include "Twips.h"

#include <QCloseEvent>
#include <cstdint>
#include <cstdlib>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#if defined(QUENDRASIL_XCB) && QT_CONFIG(xcb)
#include <QGuiApplication>
#include <xcb/xcb.h>
#define QUENDRASIL_X11_TITLE 1
#endif

namespace {

Qt::WindowFlags flagsFor(const FormStyle& style)
{
    Qt::WindowFlags flags = style.taskbar ? Qt::Window : Qt::Tool;
    if (!style.titleBar)
        return flags | Qt::FramelessWindowHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style.closeBox)
        flags |= Qt::WindowCloseButtonHint;
    if (style.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (style.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    if (!style.sizable)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    return flags;
}

} // namespace

Form::Form(const QString& name, const FormStyle& style) : QWidget(nullptr, flagsFor(style)), m_style(style)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Form::onFocusWindowChanged);
    if (!m_style.titleBar && m_style.drawnEdge) {
        m_client = new QWidget(this);
        m_client->setObjectName(QStringLiteral("client"));
        m_client->move(kFramePx, kFramePx);
    }
}

QMargins Form::frameModel() const
{
    if (!m_style.titleBar)
        return m_style.drawnEdge ? QMargins(kFramePx, kFramePx, kFramePx, kFramePx) : QMargins();
    return {kFramePx, kClientTopPx, kFramePx, kFramePx};
}

QMargins Form::outsideWidget() const { return m_style.titleBar ? frameModel() : QMargins(); }

QSize Form::outerSizePx() const { return size().grownBy(outsideWidget()); }

bool Form::placesKnown() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

double Form::formLeft() const
{
    return pos().x() == m_leftPx || !placesKnown() ? m_left : twips::fromPixels(pos().x());
}

double Form::formTop() const
{
    return pos().y() == m_topPx || !placesKnown() ? m_top : twips::fromPixels(pos().y());
}

double Form::formWidth() const
{
    if (width() == m_clientWidthPx)
        return m_width;
    const QMargins m = outsideWidget();
    return twips::fromPixels(width() + m.left() + m.right());
}

double Form::formHeight() const
{
    if (height() == m_clientHeightPx)
        return m_height;
    const QMargins m = outsideWidget();
    return twips::fromPixels(height() + m.top() + m.bottom());
}

void Form::setFormLeft(double left) { setFormPos(left, formTop()); }
void Form::setFormTop(double top) { setFormPos(formLeft(), top); }
void Form::setFormWidth(double width) { setFormSize(width, formHeight()); }
void Form::setFormHeight(double height) { setFormSize(formWidth(), height); }

void Form::setFormPos(double left, double top)
{
    m_left = left;
    m_top = top;
    m_leftPx = twips::toPixels(left);
    m_topPx = twips::toPixels(top);
    move(m_leftPx, m_topPx);
}

void Form::setFormSize(double width, double height)
{
    const QMargins m = outsideWidget();
    const int w = qMax(0, twips::toPixels(width) - m.left() - m.right());
    const int h = qMax(0, twips::toPixels(height) - m.top() - m.bottom());
    m_width = width;
    m_height = height;
    applyClientSize(w, h);
    // the size the window took (a size beyond what a window can have is cut)
    // reads back as the size that was set, until the window is resized
    m_clientWidthPx = this->width();
    m_clientHeightPx = this->height();
}

void Form::applyClientSize(int width, int height)
{
    if (m_style.sizable)
        resize(width, height);
    else
        setFixedSize(width, height);
    if (m_client)
        m_client->resize(size().shrunkBy(frameModel()));
}

void Form::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    clearNativeTitle();
}

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // the native window has just been given its title, if it is new
    clearNativeTitle();
}

void Form::clearNativeTitle()
{
#ifdef QUENDRASIL_X11_TITLE
    if (!windowTitle().isEmpty() || !testAttribute(Qt::WA_WState_Created))
        return;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return; // not on X11: nothing to mend
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(qstrlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return a;
    };
    const auto window = static_cast<xcb_window_t>(winId());
    const xcb_atom_t netWmName = atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = atom("UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, netWmName, utf8, 8, 0, nullptr);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(c);
#endif
}

double Form::scaleWidth() const { return twips::fromPixels(m_client ? m_client->width() : width()); }
double Form::scaleHeight() const { return twips::fromPixels(m_client ? m_client->height() : height()); }

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    formLoad();
}

void Form::showForm()
{
    load();
    restoreFromMinimized();
    show();
    raise();
    activateWindow();
}

void Form::restoreFromMinimized()
{
    if (windowState().testFlag(Qt::WindowMinimized))
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A window without a minimize box that the window manager minimizes anyway
    // comes back at once: nothing in the program could bring it back later.
    if (event->type() == QEvent::WindowStateChange && !m_style.minButton && isMinimized())
        QTimer::singleShot(0, this, [this] {
            if (!isMinimized())
                return;
            restoreFromMinimized();
            raise();
        });
}

void Form::formMouseDown(Qt::MouseButton, const QPoint&) {}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_client)
        m_client->resize(size().shrunkBy(frameModel()));
    formResize();
}

void Form::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!m_client)
        return;
    // the raised edge of a dialog frame: light top and left, dark bottom and
    // right, one ring of the face colour inside
    QPainter p(this);
    const QRect r = rect();
    const auto ring = [&](int inset, const QColor& light, const QColor& dark) {
        const QRect e = r.adjusted(inset, inset, -inset, -inset);
        p.setPen(light);
        p.drawLine(e.topLeft(), e.topRight() - QPoint(1, 0));
        p.drawLine(e.topLeft(), e.bottomLeft() - QPoint(0, 1));
        p.setPen(dark);
        p.drawLine(e.bottomLeft(), e.bottomRight());
        p.drawLine(e.topRight(), e.bottomRight());
    };
    const QColor face(212, 208, 200);
    ring(0, face, QColor(64, 64, 64));
    ring(1, Qt::white, QColor(128, 128, 128));
    ring(2, face, face);
}

void Form::closeEvent(QCloseEvent* event)
{
    if (formUnload())
        event->accept();
    else
        event->ignore();
}

void Form::mousePressEvent(QMouseEvent* event)
{
    formMouseDown(event->button(), event->position().toPoint());
    event->accept();
}

void Form::onFocusWindowChanged(QWindow* window)
{
    // Activation moving between the program's own windows counts; a change to
    // or from another application (no focus window here) does not.
    if (!window)
        return;
    const bool mine = window == windowHandle();
    if (mine && !m_active) {
        m_active = true;
        formActivate();
    } else if (!mine && m_active) {
        m_active = false;
        formDeactivate();
    }
}
