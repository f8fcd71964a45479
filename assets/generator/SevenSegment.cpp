#include "SevenSegment.h"

#include "Mask.h"

#include <QPainter>

#include <array>

namespace sevenseg {

namespace {

// A bar from tip to tip along a horizontal or vertical centre line.
QPolygonF pointedBar(QPointF from, QPointF to, double halfWidth)
{
    const bool horizontal = from.y() == to.y();
    const QPointF along = horizontal ? QPointF(halfWidth, 0) : QPointF(0, halfWidth);
    const QPointF across = horizontal ? QPointF(0, halfWidth) : QPointF(halfWidth, 0);
    return QPolygonF({from, from + along - across, to - along - across, to, to - along + across,
                      from + along + across});
}

} // namespace

Design lcd()
{
    Design d;
    d.size = {15, 27};
    d.box = QRectF(QPointF(1, 1), QPointF(14, 26));
    d.thickness = 3;
    d.gap = 0.5;
    d.segment = QColor(0, 0, 0);
    d.background = QColor(226, 255, 128);
    return d;
}

Design led()
{
    Design d;
    d.size = {18, 29};
    // one black column and row, then the outline, around the figure; the
    // right-hand column stays black, so a "7" may drop it
    d.box = QRectF(QPointF(2, 2), QPointF(16, 27));
    d.thickness = 3;
    d.gap = 0.5;
    d.segment = QColor(255, 0, 0);
    d.background = QColor(0, 0, 0);
    d.outline = QColor(128, 128, 128);
    return d;
}

Design stretch()
{
    Design d;
    d.size = {209, 372};
    d.box = QRectF(QPointF(10, 10), QPointF(198, 362));
    d.thickness = 44;
    d.gap = 2.5;
    d.segment = QColor(255, 0, 0);
    d.background = QColor(0, 0, 0);
    d.outline = QColor(192, 192, 192);
    return d;
}

std::uint8_t segmentsOf(int digit)
{
    constexpr auto bit = [](Segment s) { return static_cast<std::uint8_t>(1u << s); };
    static const std::array<std::uint8_t, 10> table = {
        std::uint8_t(bit(A) | bit(B) | bit(C) | bit(D) | bit(E) | bit(F)),         // 0
        std::uint8_t(bit(B) | bit(C)),                                             // 1
        std::uint8_t(bit(A) | bit(B) | bit(G) | bit(E) | bit(D)),                  // 2
        std::uint8_t(bit(A) | bit(B) | bit(G) | bit(C) | bit(D)),                  // 3
        std::uint8_t(bit(F) | bit(G) | bit(B) | bit(C)),                           // 4
        std::uint8_t(bit(A) | bit(F) | bit(G) | bit(C) | bit(D)),                  // 5
        std::uint8_t(bit(A) | bit(F) | bit(G) | bit(E) | bit(C) | bit(D)),         // 6
        std::uint8_t(bit(A) | bit(B) | bit(C)),                                    // 7
        std::uint8_t(0x7f),                                                        // 8
        std::uint8_t(bit(A) | bit(B) | bit(C) | bit(D) | bit(F) | bit(G)),         // 9
    };
    return digit >= 0 && digit <= 9 ? table[static_cast<std::size_t>(digit)] : 0;
}

QPolygonF segmentPolygon(const Design& design, Segment segment)
{
    const double h = design.thickness / 2;
    const double g = design.gap;
    // centre lines of the three bars and the two columns
    const double left = design.box.left() + h;
    const double right = design.box.right() - h;
    const double top = design.box.top() + h;
    const double middle = design.box.center().y();
    const double bottom = design.box.bottom() - h;

    switch (segment) {
    case A: return pointedBar({left + g, top}, {right - g, top}, h);
    case G: return pointedBar({left + g, middle}, {right - g, middle}, h);
    case D: return pointedBar({left + g, bottom}, {right - g, bottom}, h);
    case F: return pointedBar({left, top + g}, {left, middle - g}, h);
    case B: return pointedBar({right, top + g}, {right, middle - g}, h);
    case E: return pointedBar({left, middle + g}, {left, bottom - g}, h);
    case C: return pointedBar({right, middle + g}, {right, bottom - g}, h);
    case SegmentCount: break;
    }
    return {};
}

QImage render(const Design& design, int digit)
{
    if (digit < 0 || digit > 9)
        return {};
    QImage image(design.size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), design.background);
    }
    Mask lit(design.size.width(), design.size.height());
    const std::uint8_t segments = segmentsOf(digit);
    for (int s = A; s < SegmentCount; ++s)
        if (segments & (1u << s))
            lit.fillPolygon(segmentPolygon(design, static_cast<Segment>(s)));
    if (design.outline)
        lit.ring().paint(image, *design.outline);
    lit.paint(image, design.segment);
    return image;
}

} // namespace sevenseg
