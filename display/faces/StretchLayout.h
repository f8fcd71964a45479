#pragma once

#include <QPointF>
#include <QSizeF>
#include <array>
#include <cstdint>

class QWidget;
struct DigitalFace;

// A control's box in twips; fractional values are kept.
struct TwipBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The layout of the stretched LED window for its outer size W x H, worked out in
// single precision as fixed fractions of the size: hour digits at 0.02 W and
// (W / 100 + g + 0.2 W), minute digits at 0.5 W and (0.5 W + g + 0.2 W), each
// 0.2 W by 0.8 H from 0.1 H down; the separator at (0.46 W, 0.5 H), the seconds
// at (0.92 W, 0.85 H); the black background 0.98 W by 0.98 H. The digit store
// lies at top 18000, below any usual window. g is W / 50 rounded.
struct StretchLayout {
    std::int16_t g = 0;
    double image1Width = 0;
    double image1Height = 0;
    std::array<TwipBox, 2> imgStd{};
    std::array<TwipBox, 2> imgMin{};
    QPointF imgSec;
    QPointF lblSec;
    double zifferTop = 18000;
};
StretchLayout stretchLayout(double width, double height);

// The size W x H that lays the window out, from its client area and the size
// of the seconds label, all in twips: the client area, made narrower or lower
// where the seconds (at 0.92 W, 0.85 H) would otherwise reach past the black
// background (0.98 of the client area from 60, 60), so that they show whole.
QSizeF stretchArea(double clientWidth, double clientHeight, const QSizeF& seconds);

// Moves and sizes the controls: image1 keeps its place, the separator, the
// seconds label and the store digits keep their sizes (and the store digits
// their left edges).
void applyStretchLayout(const StretchLayout& layout, QWidget& image1, const DigitalFace& face);
