#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSizeF>

class Form;

// Where a window goes so that the user can reach it: a window that shows at
// least a grip of itself on some screen stays exactly where it is; one that
// lies outside every screen is moved wholly onto the nearest screen (to its
// top-left corner when it is larger than that screen). All in pixels; returns
// the new top-left corner. Without screens nothing moves.
QPoint keepOnScreen(const QRect& windowPx, const QList<QRect>& screensPx);

// Where a resizable window goes: onto the screen that holds most of it (the
// nearest one when it lies outside every screen), no larger than that screen
// and wholly on it. A window that fits stays exactly as it is. In pixels.
QRect fitOnScreen(const QRect& windowPx, const QList<QRect>& screensPx);

// The same for a window on the desktop's screens (their work areas). A window
// of fixed size moves only when it lies outside them, so a saved position on a
// screen is kept exactly; a resizable one is fitted into its screen. Returns
// whether the window was moved or resized.
bool keepOnScreen(Form& form);

// An outer size in twips made no larger than the largest screen's work area,
// for a resizable window that does not know its screen yet.
QSizeF withinScreens(const QSizeF& outerTwips);
