#pragma once

#include "SmallDisplayForm.h"

#include <QRect>
#include <QRegion>

class PictureBox;

// The circle that is all of the round clock window: a circle of the given
// diameter, in whole pixels, centred on the dial within half a pixel.
QRect roundWindowCircle(const QRect& dialPx, int diameter = 120);
// The pixels of a circle filling the given square, row by row, so that its edge
// is as round as whole pixels allow.
QRegion circleRegion(const QRect& square);

// The small analog clocks (WindowKind::Analog): a dial box into which the
// hands are drawn. The round one (style 0) shows only a circle around its dial.
class AnalogForm : public SmallDisplayForm {
    Q_OBJECT

public:
    AnalogForm(Module1& m, int style);

    PictureBox* dial() override { return m_picUhr; }

protected:
    void formLoad() override;

private:
    PictureBox* m_picUhr;
};
