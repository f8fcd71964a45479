#pragma once

#include <QPoint>
#include <array>
#include <cstdint>

class PictureBox;
struct Module1;

// The fast time split for a dial: whole hours (held in single precision, as the
// hour position is later), minutes and seconds, with floor division.
struct DialTime {
    float sngStunden = 0;
    std::int32_t lngMinuten = 0;
    std::int16_t intSekunden = 0;
};
DialTime dialTime(std::int32_t zeit);

// The hands move in steps of five seconds: only then is anything redrawn.
bool handsDue(const DialTime& t);

// The hour hand's position on the 12-hour dial: whole hours above 12 less 12
// (12 and 0 both point straight up), plus minutes / 60, in single precision.
float hourPosition(float stunden, std::int32_t minuten);

// The end of a hand that has turned a fraction of a full turn clockwise from
// straight up, rounded to whole twips (halves to the even neighbour). The angle
// is taken with the divisor 180 / 3.1416, as the dials have always used.
QPoint handEnd(double fraction, double length, double mitteX, double mitteY);

// Lengths of the second, minute and hour hands in twips.
struct HandLengths {
    double second = 0;
    double minute = 0;
    double hour = 0;
};
inline constexpr HandLengths kSmallHandLengths{680, 680, 420};

// The end points of the second, minute and hour hands (in this order) and the
// hour position they were computed from.
struct HandEnds {
    float sngStunden = 0;
    std::array<QPoint, 3> ends{};
};
HandEnds handEnds(const DialTime& t, double mitteX, double mitteY, const HandLengths& lengths);
HandEnds handEnds(std::int32_t zeit, double mitteX, double mitteY, const HandLengths& lengths);

// The hands of a small analog clock on picUhr, with the state in m.hands: at
// fast seconds that are a multiple of 5 the old hands are cleared and the hour
// (black, 4 px), minute (black, 2 px) and second hand (red, 1 px) drawn from the
// centre (half the inner width, for x and y), then pending painting is done.
// At other seconds nothing is cleared or drawn.
void analogzeit(Module1& m, PictureBox& picUhr, std::int32_t zeit);
