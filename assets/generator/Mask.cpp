#include "Mask.h"

#include <QRect>

#include <algorithm>
#include <cmath>

namespace {

// Sampling a hair to the lower right of the true centre settles the pixels
// whose centre lies exactly on an edge, always the same way.
constexpr double kBias = 1e-7;

QPointF centreOf(int x, int y)
{
    return {x + 0.5 + kBias, y + 0.5 + kBias};
}

} // namespace

Mask::Mask(int width, int height)
    : m_width(width), m_height(height), m_bits(static_cast<std::size_t>(width * height), 0)
{
}

bool Mask::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    return m_bits[static_cast<std::size_t>(y * m_width + x)] != 0;
}

void Mask::set(int x, int y, bool on)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_bits[static_cast<std::size_t>(y * m_width + x)] = on ? 1 : 0;
}

void Mask::fillPolygon(const QPolygonF& polygon)
{
    const QRect bounds = polygon.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    for (int y = std::max(0, bounds.top()); y <= std::min(m_height - 1, bounds.bottom()); ++y)
        for (int x = std::max(0, bounds.left()); x <= std::min(m_width - 1, bounds.right()); ++x)
            if (polygon.containsPoint(centreOf(x, y), Qt::OddEvenFill))
                set(x, y);
}

void Mask::fillRect(int x, int y, int width, int height)
{
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i)
            set(i, j);
}

void Mask::fillDisc(QPointF centre, double radius)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const QPointF d = centreOf(x, y) - centre;
            if (d.x() * d.x() + d.y() * d.y() <= radius * radius)
                set(x, y);
        }
}

void Mask::fillRoundedRect(const QRectF& rect, double radius)
{
    // the rectangle shrunk by the radius; a pixel is inside when its centre
    // lies within the radius of that inner rectangle
    const QRectF inner = rect.adjusted(radius, radius, -radius, -radius);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const QPointF c = centreOf(x, y);
            const double dx = std::max({inner.left() - c.x(), 0.0, c.x() - inner.right()});
            const double dy = std::max({inner.top() - c.y(), 0.0, c.y() - inner.bottom()});
            if (dx * dx + dy * dy <= radius * radius)
                set(x, y);
        }
}

Mask Mask::ring() const
{
    Mask result(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            if (at(x, y))
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx)
                    touches = at(x + dx, y + dy);
            result.set(x, y, touches);
        }
    return result;
}

Mask Mask::edge() const
{
    Mask result(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            result.set(x, y, at(x, y) && !(at(x - 1, y) && at(x + 1, y) && at(x, y - 1) && at(x, y + 1)));
    return result;
}

void Mask::unite(const Mask& other)
{
    for (std::size_t i = 0; i < m_bits.size() && i < other.m_bits.size(); ++i)
        m_bits[i] = (m_bits[i] || other.m_bits[i]) ? 1 : 0;
}

void Mask::subtract(const Mask& other)
{
    for (std::size_t i = 0; i < m_bits.size() && i < other.m_bits.size(); ++i)
        if (other.m_bits[i])
            m_bits[i] = 0;
}

int Mask::count() const
{
    return static_cast<int>(std::count(m_bits.begin(), m_bits.end(), 1));
}

void Mask::paint(QImage& image, const QColor& colour) const
{
    const QRgb rgb = colour.rgba();
    for (int y = 0; y < std::min(m_height, image.height()); ++y)
        for (int x = 0; x < std::min(m_width, image.width()); ++x)
            if (at(x, y))
                image.setPixel(x, y, rgb);
}
