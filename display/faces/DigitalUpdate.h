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
// more than 500 gives 1, 101 to 500 gives 2, 51 to 100 gives 10, anything
// lower (0 and negative included) 20.
std::int32_t blinkDivisor(std::int32_t faktor);

// Shows lngStd, lngMin and lngSec on a digital face: all four digit places take
// their pictures from the face's own digit store, the seconds text is set at
// multiples of five seconds, lngBlinkTeiler is recomputed from lngFaktor and the
// separator's visibility is inverted when the seconds are a multiple of it.
void digitalzeit(Module1& m, const DigitalFace& face);
