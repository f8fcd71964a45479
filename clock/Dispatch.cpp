#include "Dispatch.h"

#include "Module1.h"

Routine routineFor(std::int16_t style)
{
    if (style < 3)
        return Routine::Analog;
    if (style == 7)
        return Routine::AnalogMaxi;
    return Routine::Digital;
}

void anzeigeAktualisieren(Module1& m)
{
    if (!m.drawing)
        return;
    switch (routineFor(m.intAnzeige)) {
    case Routine::Analog:
        m.drawing->analogzeit(m.lngZeit);
        break;
    case Routine::AnalogMaxi:
        m.drawing->analogzeitMaxi(m.lngZeit);
        break;
    case Routine::Digital:
        m.drawing->digitalzeit();
        break;
    }
}
