#pragma once

#include <QImage>
#include <QPointF>

// The clock dials: white faces with 60 black radial marks, no numerals and no
// hands (the windows draw the hands).
namespace dials {

struct Marks {
    QPointF centre;       // in edge coordinates
    double radius;        // where the outer edges of the marks lie
    double hourLength;
    double hourWidth;
    double minuteLength;
    double minuteWidth;
};

// Where the marks of each dial stand.
Marks squareMarks();
Marks roundMarks();
Marks largeMarks();

// 128 x 129: white face in a 4 px frame, the last row button-face grey.
QImage square();
// 111 x 111: white disc filling the picture, black outside.
QImage round();
// 480 x 480: white face in a 15 px frame. The copy differs only in a few
// pixels of its minute ticks.
QImage large(bool copy = false);

} // namespace dials
