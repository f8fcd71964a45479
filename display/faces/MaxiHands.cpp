#include "MaxiHands.h"

#include "AnalogHands.h"
#include "Controls.h"
#include "Numbers.h"
#include "Twips.h"

#include <algorithm>

bool updateMaxiHands(MaxiHandState& s, double width, double height, std::int32_t zeit)
{
    // the dial is the largest square centred in the box: the hands take their
    // lengths from its side, their centre lies where it lies in a square box
    const double side = std::min(width, height);
    s.lngLaengeSec = numbers::toLong(side / 3.7);
    s.lngLaengeMin = numbers::toLong(side / 3.8);
    s.lngLaengeStd = numbers::toLong(side / 5);
    s.lngMitteX = numbers::toLong(width / 2 - 60);
    s.lngMitteY = numbers::toLong(height / 2 - 90);

    const DialTime t = dialTime(zeit);
    s.sngStunden = t.sngStunden;
    s.lngMinuten = t.lngMinuten;
    s.intSekunden = t.intSekunden;
    if (!handsDue(t))
        return false;

    const HandLengths lengths{static_cast<double>(s.lngLaengeSec), static_cast<double>(s.lngLaengeMin),
                              static_cast<double>(s.lngLaengeStd)};
    const HandEnds e = handEnds(t, s.lngMitteX, s.lngMitteY, lengths);
    s.sngStunden = e.sngStunden;
    for (std::size_t row = 0; row < e.ends.size(); ++row) {
        s.intZeiger[row][0] = e.ends[row].x();
        s.intZeiger[row][1] = e.ends[row].y();
    }
    return true;
}

void analogzeitMaxi(MaxiHandState& s, PictureBox& picUhr, std::int32_t zeit)
{
    if (!updateMaxiHands(s, controlWidth(&picUhr), controlHeight(&picUhr), zeit))
        return;

    // the solid white fill covers the old hands
    picUhr.circle(s.lngMitteX, s.lngMitteY, s.lngLaengeSec, colorFromValue(0xFFFFFF));

    for (s.intZeigerNr = 3; s.intZeigerNr >= 1; --s.intZeigerNr) {
        picUhr.setForeColor(colorFromValue(s.intZeigerNr == 1 ? 255 : 0));
        picUhr.setDrawWidth(s.intZeigerNr * 3);
        if (s.intZeigerNr == 3)
            picUhr.setDrawWidth(16);
        const auto& end = s.intZeiger[s.intZeigerNr - 1];
        picUhr.line(s.lngMitteX, s.lngMitteY, end[0], end[1]);
    }
}

MaxiLayout maxiLayout(double formWidth, double formHeight)
{
    MaxiLayout l;
    l.picUhr = QSizeF(formWidth, formHeight);
    const double side = std::max(0.0, std::min(formWidth, formHeight) - 120);
    l.imgUhr = QSizeF(side, side);
    // centred on whole pixels, so that the dial shows as many pixels across
    // as down
    const auto offset = [side](double length) {
        return twips::fromPixels(numbers::toLong(std::max(0.0, length - 120 - side) / 2 / twips::kPerPixel));
    };
    l.imgUhrPos = QPointF(30 + offset(formWidth), 30 + offset(formHeight));
    return l;
}

void applyMaxiLayout(const MaxiLayout& layout, PictureBox& picUhr, ImageBox& imgUhr)
{
    place(&picUhr, 0, 30, layout.picUhr.width(), layout.picUhr.height());
    place(&imgUhr, layout.imgUhrPos.x(), layout.imgUhrPos.y(), layout.imgUhr.width(), layout.imgUhr.height());
}
