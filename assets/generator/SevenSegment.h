#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QSize>

#include <cstdint>
#include <optional>

// Seven-segment digit pictures. One renderer draws all three digit sets; a
// design says how large the picture is, where the figure stands and how the
// segments look.
namespace sevenseg {

// Segments in the usual lettering: a top, b upper right, c lower right,
// d bottom, e lower left, f upper left, g middle.
enum Segment : int { A, B, C, D, E, F, G, SegmentCount };

struct Design {
    QSize size;            // the picture
    QRectF box;            // outer edges of the figure, in edge coordinates
    double thickness = 3;  // of every segment
    double gap = 0.5;      // clearance at each pointed tip where two segments meet
    QColor segment;        // lit segments
    QColor background;
    std::optional<QColor> outline; // a one-pixel line around every lit segment
};

// The LCD digits: black on LCD green, 15 x 27.
Design lcd();
// The LED digits: red with a grey outline on black, 18 x 29.
Design led();
// The stretched LED digits: red, 44 px wide, light grey outline, 209 x 372.
Design stretch();

// The lit segments of a digit 0 to 9, one bit per Segment; 0 for others.
std::uint8_t segmentsOf(int digit);

// The outline of one segment: a bar of the design's thickness along the
// segment's centre line, both ends cut to a 45-degree point.
QPolygonF segmentPolygon(const Design& design, Segment segment);

// The picture of a digit (a null picture for a digit outside 0 to 9).
QImage render(const Design& design, int digit);

} // namespace sevenseg
