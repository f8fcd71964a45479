#pragma once

#include <QRect>

// Sizes and positions are kept in twips; a logical pixel is always 15 twips, and
// Qt's high-DPI scaling maps logical pixels to the screen.
namespace twips {

inline constexpr int kPerPixel = 15;

// Twips to whole logical pixels, halves to the even neighbour.
int toPixels(double twips);

inline double fromPixels(int pixels) { return static_cast<double>(pixels) * kPerPixel; }

// A control's box in pixels from its twips; the right and bottom edges are
// rounded on their own, so neighbouring boxes stay consistent.
QRect toPixelRect(double left, double top, double width, double height);

} // namespace twips
