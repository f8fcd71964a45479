#pragma once

#include <QImage>
#include <QPointF>
#include <QString>

// The program's own marks: the 16 x 16 clock icon, the rainbow monogram of
// the control window and the tiny monogram on the small dials.
namespace emblems {

// The letters of the monogram, after the author's initials.
inline constexpr const char* kInitials = "TQ";

// The font the monogram is cut from; when the file is missing, the bold
// sans-serif face of the font database is used instead.
QString monogramFontFile();

// 16 x 16, 16-colour palette: a white clock face in a grey ring outlined in
// black, hands to 12 and 3, on dark blue with yellow corner marks.
QImage icon();
// 51 x 33 on transparent ground: bold rainbow letters with a thin light edge
// and a black shadow to the lower right.
QImage monogram();
// The tiny pixel-letter monogram, its top edge centred on topCentre.
void drawDialMonogram(QImage& image, QPointF topCentre);

} // namespace emblems
