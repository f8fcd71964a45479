#include "FastTime.h"

#include "Dispatch.h"
#include "Module1.h"
#include "Numbers.h"
#include "WholeFile.h"

TimeParts splitTime(std::int32_t zeit)
{
    using namespace numbers;
    TimeParts p;
    p.std = floorDiv(zeit, 3600);
    const std::int32_t rest = add(zeit, -mul(3600, p.std));
    p.min = floorDiv(rest, 60);
    p.sec = add(rest, -mul(60, p.min));
    return p;
}

void deriveParts(Module1& m)
{
    const TimeParts p = splitTime(m.lngZeit);
    m.lngStd = p.std;
    m.lngMin = p.min;
    m.lngSec = p.sec;
}

QByteArray timeFileLine(std::int32_t std, std::int32_t min)
{
    return (numbers::twoDigits(std) + u':' + numbers::twoDigits(min)).toLatin1() + "\r\n";
}

QString timeFilePath(const Module1& m) { return m.app.file(QStringLiteral("Uhrzeit.txt")); }

void writeTimeFile(const Module1& m, const QByteArray& content)
{
    // replaced whole, so that a program reading it never finds it empty or
    // half written; where the folder takes no new file it is written in place
    wholefile::write(timeFilePath(m), content, false, true);
}

void writeNewMinute(Module1& m)
{
    if (m.blnDatei && m.lngMin != m.lngLetzteMinute) {
        writeTimeFile(m, timeFileLine(m.lngStd, m.lngMin));
        m.lngLetzteMinute = m.lngMin;
    }
}

void advanceFastTime(Module1& m)
{
    m.lngZeit = numbers::add(m.lngZeit, 1);
    if (m.lngZeit > 86399)
        m.lngZeit = 0;
    deriveParts(m);
    writeNewMinute(m);
}

void timerTick(Module1& m)
{
    advanceFastTime(m);
    anzeigeAktualisieren(m);
}
