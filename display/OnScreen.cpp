#include "OnScreen.h"

#include "Form.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <limits>

namespace {

// The part of a window that must be on a screen for the window to count as
// reachable there: enough to take hold of it with the mouse.
constexpr int kGripPx = 16;

bool reachable(const QRect& window, const QRect& screen)
{
    const QRect seen = window.intersected(screen);
    return !seen.isEmpty() && seen.width() >= std::min(kGripPx, window.width()) &&
           seen.height() >= std::min(kGripPx, window.height());
}

// The distance between two rectangles along each axis (0 where they overlap),
// squared.
qint64 gapSquared(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max({0, b.left() - a.right() - 1, a.left() - b.right() - 1});
    const qint64 dy = std::max({0, b.top() - a.bottom() - 1, a.top() - b.bottom() - 1});
    return dx * dx + dy * dy;
}

int clampInto(int pos, int length, int start, int screenLength)
{
    // too long for the screen: its start edge goes to the screen's start
    if (length >= screenLength)
        return start;
    return std::clamp(pos, start, start + screenLength - length);
}

} // namespace

QPoint keepOnScreen(const QRect& windowPx, const QList<QRect>& screensPx)
{
    if (screensPx.isEmpty())
        return windowPx.topLeft();
    for (const QRect& screen : screensPx)
        if (reachable(windowPx, screen))
            return windowPx.topLeft();

    const QRect* nearest = &screensPx.front();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screensPx) {
        const qint64 gap = gapSquared(windowPx, screen);
        if (gap < best) {
            best = gap;
            nearest = &screen;
        }
    }
    return {clampInto(windowPx.left(), windowPx.width(), nearest->left(), nearest->width()),
            clampInto(windowPx.top(), windowPx.height(), nearest->top(), nearest->height())};
}

QRect fitOnScreen(const QRect& windowPx, const QList<QRect>& screensPx)
{
    if (screensPx.isEmpty())
        return windowPx;
    // its screen: the one with its top-left corner, else the one that holds
    // most of it, else the nearest
    const QRect* best = nullptr;
    qint64 bestArea = 0;
    qint64 bestGap = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screensPx) {
        if (screen.contains(windowPx.topLeft())) {
            best = &screen;
            break;
        }
        const QRect seen = windowPx.intersected(screen);
        const qint64 area = seen.isEmpty() ? 0 : qint64(seen.width()) * seen.height();
        const qint64 gap = gapSquared(windowPx, screen);
        if (area > bestArea || (bestArea == 0 && area == 0 && gap < bestGap)) {
            bestArea = area;
            bestGap = gap;
            best = &screen;
        }
    }
    const QRect shrunk(windowPx.topLeft(),
                       QSize(std::min(windowPx.width(), best->width()), std::min(windowPx.height(), best->height())));
    return {keepOnScreen(shrunk, screensPx), shrunk.size()};
}

namespace {

QList<QRect> workAreas()
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

} // namespace

bool keepOnScreen(Form& form)
{
    const QList<QRect> screens = workAreas();
    const QRect outer(form.pos(), form.outerSizePx());
    if (!form.formStyle().sizable) {
        const QPoint to = keepOnScreen(outer, screens);
        if (to == outer.topLeft() || !Form::placesKnown())
            return false;
        form.setFormPos(twips::fromPixels(to.x()), twips::fromPixels(to.y()));
        return true;
    }
    const QRect to = fitOnScreen(outer, screens);
    if (to == outer)
        return false;
    if (to.size() != outer.size())
        form.setFormSize(twips::fromPixels(to.width()), twips::fromPixels(to.height()));
    // where a window cannot place itself, the place read stays as it was
    if (to.topLeft() != outer.topLeft() && Form::placesKnown())
        form.setFormPos(twips::fromPixels(to.x()), twips::fromPixels(to.y()));
    return true;
}
