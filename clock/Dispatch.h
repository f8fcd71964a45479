#pragma once

#include <cstdint>

struct Module1;

// The drawing routines of the display windows, as the dispatch calls them.
class DrawingRoutines {
public:
    virtual ~DrawingRoutines() = default;
    // The hands of a small analog clock, into the current display window.
    virtual void analogzeit(std::int32_t zeit) = 0;
    // The large analog clock; its window is created if needed, not shown.
    virtual void analogzeitMaxi(std::int32_t zeit) = 0;
    // The digits of the current digital display window; reads the state itself.
    virtual void digitalzeit() = 0;
};

enum class Routine { Analog, AnalogMaxi, Digital };

// The drawing routine of a display style: 0 to 2 analog, 7 the large analog
// clock, all others digital.
Routine routineFor(std::int16_t style);

// Shows the fast time in the current display window.
void anzeigeAktualisieren(Module1& m);
