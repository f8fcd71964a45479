#include "Twips.h"

#include <cmath>

namespace twips {

int toPixels(double value)
{
    return static_cast<int>(std::nearbyint(value / kPerPixel));
}

QRect toPixelRect(double left, double top, double width, double height)
{
    const int x = toPixels(left);
    const int y = toPixels(top);
    return {x, y, toPixels(left + width) - x, toPixels(top + height) - y};
}

} // namespace twips
