#pragma once

#include <QMargins>
#include <climits>
#include <QString>
#include <QWidget>

// How a window is framed, as designed.
struct FormStyle {
    bool titleBar = true;  // without one the window is frameless
    bool sizable = false;  // fixed dialog frame otherwise
    bool closeBox = true;
    bool minButton = false;
    bool maxButton = false;
    bool taskbar = false;  // shown in the task bar
    // Frameless, but with the raised 3-pixel edge of a fixed dialog frame
    // drawn inside the window; the client area lies within that edge.
    bool drawnEdge = false;
};

// A top-level window with outer bounds in twips and the events the program's
// windows handle. The outer size follows one frame model on every desktop: a
// window with a title bar has a 3-pixel frame left, right and bottom and its
// client area begins 22 pixels below its top edge; a frameless window's outer
// size is its client size, or, with a drawn edge, its client size and a
// 3-pixel edge all round. Left and Top are the outer top-left corner.
class Form : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFramePx = 3;
    static constexpr int kClientTopPx = 22;

    Form(const QString& name, const FormStyle& style);

    const FormStyle& formStyle() const { return m_style; }
    QMargins frameModel() const; // outer minus client, in pixels
    QSize outerSizePx() const;
    // Where the controls go: the window itself, or the area within its drawn edge.
    QWidget* clientArea() { return m_client ? m_client : this; }

    // Outer bounds in twips; each reads back exactly what was set as long as
    // the window has not been moved or resized since. Where the desktop tells
    // a window nothing of its place (Wayland), left and top are the place
    // last set.
    double formLeft() const;
    double formTop() const;
    double formWidth() const;
    double formHeight() const;
    void setFormLeft(double left);
    void setFormTop(double top);
    void setFormWidth(double width);
    void setFormHeight(double height);
    void setFormPos(double left, double top);
    void setFormSize(double width, double height);

    // Whether a window can place itself and learn its place (not on Wayland).
    static bool placesKnown();

    // The client area's size in twips.
    double scaleWidth() const;
    double scaleHeight() const;

    QString caption() const { return windowTitle(); }
    // An empty caption stays empty on the desktop too (Qt would show the
    // application's name in its place).
    void setCaption(const QString& caption);

    // Runs the load handler once; every later call does nothing.
    void load();
    bool isLoaded() const { return m_loaded; }

    // Show: visible, in front, active, never minimized. Also brings a hidden
    // or minimized window back.
    void showForm();
    // Hide: invisible, the object and its state stay.
    void hideForm() { hide(); }
    // Unload: runs the close handling, as the close box does.
    void unload() { close(); }

    bool isFormActive() const { return m_active; }

protected:
    virtual void formLoad() {}
    virtual void formActivate() {}
    virtual void formDeactivate() {}
    virtual void formResize() {}
    // The close handling; returns false to keep the window open. Without a
    // handler of its own a closed window only hides.
    virtual bool formUnload() { return true; }
    // A press on the window's own surface (not on one of its controls).
    virtual void formMouseDown(Qt::MouseButton button, const QPoint& pos);

    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void onFocusWindowChanged(QWindow* window);
    void applyClientSize(int width, int height);
    void restoreFromMinimized();
    void clearNativeTitle();

    QMargins outsideWidget() const; // the part of the frame the desktop draws

    FormStyle m_style;
    QWidget* m_client = nullptr;
    bool m_loaded = false;
    bool m_active = false;
    // what was last set, and the pixel values it mapped to
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    int m_leftPx = INT_MIN, m_topPx = INT_MIN, m_clientWidthPx = -1, m_clientHeightPx = -1;
};
