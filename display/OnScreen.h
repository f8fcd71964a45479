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

// The same for a window on the desktop's screens (their work areas); moves it
// only when it lies outside them, so a saved position on a screen is kept
// exactly. Returns whether the window was moved.
bool keepOnScreen(Form& form);
