#include "AnalogForm.h"

#include "Controls.h"
#include "DisplayLayouts.h"
#include "Pictures.h"
#include "ReopenTrigger.h"

#include <algorithm>
#include <cmath>

QRect roundWindowCircle(const QRect& dialPx, int diameter)
{
    // the circle spans its box edge to edge, so its centre is the box's
    const QPointF centre = QRectF(dialPx).center();
    const double half = diameter / 2.0;
    return {static_cast<int>(std::floor(centre.x() - half)), static_cast<int>(std::floor(centre.y() - half)),
            diameter, diameter};
}

QRegion circleRegion(const QRect& square)
{
    const double radius = square.width() / 2.0;
    const double centreX = square.x() + radius;
    QRegion region;
    for (int row = 0; row < square.height(); ++row) {
        // the row's extent at its middle, in whole pixels
        const double dy = row + 0.5 - radius;
        const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
        const int left = static_cast<int>(std::lround(centreX - half));
        const int right = static_cast<int>(std::lround(centreX + half));
        if (right > left)
            region += QRect(left, square.y() + row, right - left, 1);
    }
    return region;
}

AnalogForm::AnalogForm(Module1& m, int style)
    : SmallDisplayForm(m, style), m_picUhr(new PictureBox(QStringLiteral("picUhr"), clientArea()))
{
    const AnalogDesign& design = analogDesign(style);
    if (design.sunkenWhiteBox) {
        m_picUhr->setBackColor(Qt::white);
        m_picUhr->setSunkenBorder(true);
    }
    m_picUhr->setPicture(design.dial == Dial::Round ? pictures::dialRound() : pictures::dialSquare());
    place(m_picUhr, design.picUhr.left, design.picUhr.top, design.picUhr.width, design.picUhr.height);
    m_picUhr->setToolTip(kReopenTip);
    reopenOn(this, m_picUhr, Reopen::DoubleClick);
}

void AnalogForm::formLoad()
{
    // The round clock: only a circle around the dial, with a narrow black ring,
    // is drawn and takes the mouse, from before the window is first shown.
    if (analogDesign(style()).dial == Dial::Round)
        setMask(circleRegion(roundWindowCircle(m_picUhr->geometry())));
}
