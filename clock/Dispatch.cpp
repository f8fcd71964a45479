#include "Dispatch.h"

#include "Module1.h"

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
