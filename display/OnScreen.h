#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class Form;

// Where a window goes so that the user can reach it: a window that shows at
// least a grip of itself on some screen stays exactly where it is; one that
// lies outside every screen is moved wholly onto the nearest screen (to its
// top-left corner when it is larger than that screen). All in pixels; returns
// the new top-left corner. Without screens nothing moves.
QPoint keepOnScreen(const QRect& windowPx, const QList<QRect>& screensPx);

// Where a resizable window goes: no larger than the screen that holds its
// top-left corner (else most of it, else the nearest), and then placed as a
// window of fixed size is: it moves only when it lies outside every screen. A
// window that fits its screen keeps its size. In pixels.
QRect fitOnScreen(const QRect& windowPx, const QList<QRect>& screensPx);

// The same for a window on the desktop's screens (their work areas), when it
// is shown: a window moves only when it lies outside them, so a saved position
// from which it can be reached is kept exactly; a resizable one larger than its
// screen's work area is made as large as that area. Where windows cannot place
// themselves (Wayland) the place set stays. Returns whether the window was
// moved or resized.
bool keepOnScreen(Form& form);
