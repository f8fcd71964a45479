#include "AnalogHands.h"

#include "Controls.h"
#include "Module1.h"
#include "Numbers.h"

#include <QCoreApplication>

#include <cmath>

DialTime dialTime(std::int32_t zeit)
{
    const double t = zeit;
    DialTime d;
    d.sngStunden = static_cast<float>(std::floor(t / 3600));
    const double hourSeconds = static_cast<double>(d.sngStunden) * 3600;
    d.lngMinuten = numbers::toLong(std::floor((t - hourSeconds) / 60));
    d.intSekunden = numbers::toInt(t - hourSeconds - static_cast<double>(d.lngMinuten) * 60);
    return d;
}

bool handsDue(const DialTime& t)
{
    return t.intSekunden % 5 == 0;
}

float hourPosition(float stunden, std::int32_t minuten)
{
    if (stunden > 12)
        stunden -= 12;
    return static_cast<float>(static_cast<double>(stunden) + minuten / 60.0);
}

QPoint handEnd(double fraction, double length, double mitteX, double mitteY)
{
    const double a = (180 - fraction * 360) / 57.29564553093965;
    return {numbers::toLong(std::sin(a) * length + mitteX), numbers::toLong(std::cos(a) * length + mitteY)};
}

HandEnds handEnds(const DialTime& t, double mitteX, double mitteY, const HandLengths& lengths)
{
    HandEnds e;
    e.sngStunden = hourPosition(t.sngStunden, t.lngMinuten);
    e.ends[0] = handEnd(t.intSekunden / 60.0, lengths.second, mitteX, mitteY);
    e.ends[1] = handEnd(t.lngMinuten / 60.0, lengths.minute, mitteX, mitteY);
    e.ends[2] = handEnd(static_cast<double>(e.sngStunden) / 12, lengths.hour, mitteX, mitteY);
    return e;
}

HandEnds handEnds(std::int32_t zeit, double mitteX, double mitteY, const HandLengths& lengths)
{
    return handEnds(dialTime(zeit), mitteX, mitteY, lengths);
}

void analogzeit(Module1& m, PictureBox& picUhr, std::int32_t zeit)
{
    HandState& s = m.hands;
    s.lngMitteX = numbers::toLong(picUhr.scaleWidth() / 2);

    const DialTime t = dialTime(zeit);
    s.sngStunden = t.sngStunden;
    s.lngMinuten = t.lngMinuten;
    s.intSekunden = t.intSekunden;
    if (!handsDue(t))
        return;

    picUhr.cls();
    const HandEnds e = handEnds(t, s.lngMitteX, s.lngMitteX, kSmallHandLengths);
    s.sngStunden = e.sngStunden;
    for (std::size_t row = 0; row < e.ends.size(); ++row) {
        s.intZeiger[row][0] = numbers::toInt(e.ends[row].x());
        s.intZeiger[row][1] = numbers::toInt(e.ends[row].y());
    }

    for (s.intZeigerNr = 3; s.intZeigerNr >= 1; --s.intZeigerNr) {
        picUhr.setForeColor(colorFromValue(s.intZeigerNr == 1 ? 255 : 0));
        picUhr.setDrawWidth(s.intZeigerNr);
        if (s.intZeigerNr == 3)
            picUhr.setDrawWidth(4);
        const auto& end = s.intZeiger[s.intZeigerNr - 1];
        picUhr.line(s.lngMitteX, s.lngMitteX, end[0], end[1]);
    }

    // lets the window paint the new hands; the timer does not re-enter meanwhile
    QCoreApplication::processEvents();
}
