#pragma once

#include <array>
#include <cstdint>

struct DigitalFace;
struct Module1;

// The digit store elements shown by the four digit places: hour tens, hour
// units, minute tens, minute units. -1 leaves a place empty: a minus sign has no
// digit picture, so negative hours show an empty tens place.
using DigitChoice = std::array<int, 4>;

// Each value is written with at least two digits; its first character picks the
// tens picture and its last the units picture (123 shows 1 and 3, -1 shows an
// empty place and 1).
DigitChoice digitsFor(std::int32_t hours, std::int32_t minutes);

// Fast seconds between two toggles of the separator, from the time base in ms:
// the first step whose time base is exceeded, else the slowest (0 and
// negative time bases included). The web page gets these steps as well.
struct BlinkStep {
    std::int32_t above; // time base in ms
    std::int32_t every; // fast seconds
};
inline constexpr std::array<BlinkStep, 3> blinkSteps{{{500, 1}, {100, 2}, {50, 10}}};
inline constexpr std::int32_t blinkSlowest = 20;

constexpr std::int32_t blinkDivisor(std::int32_t faktor)
{
    for (const BlinkStep& step : blinkSteps)
        if (faktor > step.above)
            return step.every;
    return blinkSlowest;
}

// Shows lngStd, lngMin and lngSec on a digital face: all four digit places take
// their pictures from the face's own digit store, the seconds text is set at
// multiples of five seconds, lngBlinkTeiler is recomputed from lngFaktor and the
// separator's visibility is inverted when the seconds are a multiple of it.
void digitalzeit(Module1& m, const DigitalFace& face);
