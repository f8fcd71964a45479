#pragma once

#include "AppInfo.h"

#include <QString>
#include <cstdint>

class ClockEvents;
class DisplayForm;
class DrawingRoutines;

// The end points and time parts of the hands of an analog clock.
struct HandState {
    std::int16_t intZeiger[3][2] = {}; // rows: second, minute, hour hand; columns x, y
    std::int16_t intSekunden = 0;
    std::int32_t lngMinuten = 0;
    float sngStunden = 0;
    std::int16_t intZeigerNr = 0;
    std::int32_t lngMitteX = 0;
};

// The program's shared state: one object for the whole run, which every window
// gets by reference. Tests make fresh ones.
struct Module1 {
    AppInfo app;

    // fast time
    std::int32_t lngZeit = 0;
    std::int32_t lngStd = 0;
    std::int32_t lngMin = 0;
    std::int32_t lngSec = 0;
    std::int32_t lngLetzteMinute = 0;
    bool blnDatei = false;
    std::int32_t heldZeit = 0; // the fast time remembered by hold
    bool running = false;      // the timer is armed (after Start and continue)

    // configuration
    std::int32_t lngStartStd = 0;
    std::int32_t lngStartMin = 0;
    std::int32_t lngFaktor = 0;
    QString strIniDatei;
    QString strTitel;

    // display
    std::int16_t intAnzeige = 0;
    DisplayForm* frmAnzeige = nullptr;
    bool blnErsteAnzeige = false;
    std::int32_t lngAnzeigeLeft = 0;
    std::int32_t lngAnzeigeTop = 0;
    std::int32_t lngBreiteMaxi = 0;
    std::int32_t lngHoeheMaxi = 0;
    std::int32_t lngBlinkTeiler = 0;
    HandState hands; // of the small analog clocks

    // The drawing routines of the display windows, used by the dispatch.
    DrawingRoutines* drawing = nullptr;
    // Told of Start, hold, continue, time base and title changes and of every
    // fast minute, for those who share the clock; none in a plain run.
    ClockEvents* events = nullptr;
};
