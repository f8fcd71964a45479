#include "DigitalUpdate.h"

#include "Controls.h"
#include "DigitalFace.h"
#include "Module1.h"
#include "Numbers.h"

#include <QString>

namespace {

int digitOf(QChar c)
{
    return (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : -1;
}

void splitDigits(std::int32_t value, int& tens, int& units)
{
    const QString text = numbers::twoDigits(value);
    tens = digitOf(text.front());
    units = digitOf(text.back());
}

} // namespace

DigitChoice digitsFor(std::int32_t hours, std::int32_t minutes)
{
    DigitChoice d{};
    splitDigits(hours, d[0], d[1]);
    splitDigits(minutes, d[2], d[3]);
    return d;
}

void digitalzeit(Module1& m, const DigitalFace& face)
{
    const DigitChoice digits = digitsFor(m.lngStd, m.lngMin);
    const std::array<ImageBox*, 4> places{face.imgStd[0], face.imgStd[1], face.imgMin[0], face.imgMin[1]};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const int d = digits[i];
        places[i]->setPicture(d < 0 ? QPixmap() : face.imgZiffer[static_cast<std::size_t>(d)]->picture());
    }

    if (m.lngSec % 5 == 0)
        face.lblSec->setText(numbers::twoDigits(m.lngSec));

    m.lngBlinkTeiler = blinkDivisor(m.lngFaktor);
    if (m.lngSec % m.lngBlinkTeiler == 0)
        face.imgSec->setHidden(!face.imgSec->isHidden());
}
