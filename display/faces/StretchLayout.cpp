#include "StretchLayout.h"

#include "Controls.h"
#include "DigitalFace.h"
#include "Numbers.h"
#include "Twips.h"

#include <algorithm>

StretchLayout stretchLayout(double width, double height)
{
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    StretchLayout l;
    l.g = numbers::toInt(w / 50);
    const float g = l.g;

    l.image1Width = w * 0.98f;
    l.image1Height = h * 0.98f;

    const float top = h * 0.1f;
    const float digitWidth = w * 0.2f;
    const float digitHeight = h * 0.8f;
    const float std1Left = w / 50;
    const float std2Left = w / 100 + (g + digitWidth);
    const float min1Left = w / 2;
    const float min2Left = w / 2 + (g + digitWidth);
    l.imgStd[0] = {std1Left, top, digitWidth, digitHeight};
    l.imgStd[1] = {std2Left, top, digitWidth, digitHeight};
    l.imgMin[0] = {min1Left, top, digitWidth, digitHeight};
    l.imgMin[1] = {min2Left, top, digitWidth, digitHeight};

    l.imgSec = QPointF(w * 0.46f, h * 0.5f);
    l.lblSec = QPointF(w * 0.92f, h * 0.85f);
    return l;
}

QPointF secondsWithin(const QPointF& place, const QSizeF& label, const QSizeF& client)
{
    return {std::max(0.0, std::min(place.x(), client.width() - label.width())),
            std::max(0.0, std::min(place.y(), client.height() - label.height()))};
}

namespace {

void placeBox(QWidget* control, const TwipBox& b)
{
    place(control, b.left, b.top, b.width, b.height);
}

void moveTo(QWidget* control, double left, double top)
{
    control->move(twips::toPixels(left), twips::toPixels(top));
}

} // namespace

void applyStretchLayout(const StretchLayout& layout, QWidget& image1, const DigitalFace& face)
{
    place(&image1, controlLeft(&image1), controlTop(&image1), layout.image1Width, layout.image1Height);
    placeBox(face.imgStd[0], layout.imgStd[0]);
    placeBox(face.imgStd[1], layout.imgStd[1]);
    moveTo(face.imgSec, layout.imgSec.x(), layout.imgSec.y());
    placeBox(face.imgMin[0], layout.imgMin[0]);
    placeBox(face.imgMin[1], layout.imgMin[1]);
    moveTo(face.lblSec, layout.lblSec.x(), layout.lblSec.y());
    for (ImageBox* digit : face.imgZiffer)
        moveTo(digit, controlLeft(digit), layout.zifferTop);
}
