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

// Where the seconds label of the given size goes in a client area of the given
// size (twips): at its place in the layout, moved left or up only as far as it
// must be to show whole in the client area.
QPointF secondsWithin(const QPointF& place, const QSizeF& label, const QSizeF& client);

// Moves and sizes the controls: image1 keeps its place, the separator, the
// seconds label and the store digits keep their sizes (and the store digits
// their left edges).
void applyStretchLayout(const StretchLayout& layout, QWidget& image1, const DigitalFace& face);
