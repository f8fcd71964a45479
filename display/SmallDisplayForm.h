#pragma once

#include "ClockWindow.h"

#include <QPoint>
#include <optional>

// One of the small display windows (analog and digital): it stays above all
// ordinary windows from its first activation on, records its place when it
// loses activation, so that the next display window opens there, and, without
// a title bar, can be dragged by its surface with the left mouse button.
class SmallDisplayForm : public ClockWindow {
    Q_OBJECT

public:
    SmallDisplayForm(Module1& m, int style);

    bool staysOnTop() const;
    bool isDragging() const { return m_dragOffset.has_value(); }

    // Showing takes the activation size and the place above other windows
    // before the window reaches the screen: changing either on a window just
    // mapped makes some window managers place it at the screen's corner.
    void setVisible(bool visible) override;

protected:
    void formActivate() override;
    void formDeactivate() override;
    void formMouseDown(Qt::MouseButton button, const QPoint& pos) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The size the window takes on every activation; nothing by default.
    virtual void applyActivationSize() {}

private:
    void keepOnTop();

    // where the mouse holds the window during a drag of our own
    std::optional<QPoint> m_dragOffset;
};
