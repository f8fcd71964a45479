#include "MaxiHands.h"

#include "AnalogHands.h"
#include "Controls.h"
#include "Numbers.h"

#include <algorithm>

bool updateMaxiHands(MaxiHandState& s, double width, double height, std::int32_t zeit)
{
    s.lngLaengeSec = numbers::toLong(width / 3.7);
    s.lngLaengeMin = numbers::toLong(width / 3.8);
    s.lngLaengeStd = numbers::toLong(width / 5);
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
    l.imgUhr = QSizeF(std::max(0.0, formWidth - 120), std::max(0.0, formHeight - 120));
    return l;
}

void applyMaxiLayout(const MaxiLayout& layout, PictureBox& picUhr, ImageBox& imgUhr)
{
    place(&picUhr, 0, 30, layout.picUhr.width(), layout.picUhr.height());
    place(&imgUhr, 30, 30, layout.imgUhr.width(), layout.imgUhr.height());
}
