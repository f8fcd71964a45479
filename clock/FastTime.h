#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

struct Module1;

// The fast time split into hours, minutes and seconds, with floor division,
// so negative times split as -3599 -> -1 h, 0 min, 1 s.
struct TimeParts {
    std::int32_t std = 0;
    std::int32_t min = 0;
    std::int32_t sec = 0;
    bool operator==(const TimeParts&) const = default;
};
TimeParts splitTime(std::int32_t zeit);

// lngStd, lngMin and lngSec from lngZeit.
void deriveParts(Module1& m);

// One line of the time file: hours ":" minutes, CR LF, each at least two digits.
QByteArray timeFileLine(std::int32_t std, std::int32_t min);

// The time file "Uhrzeit.txt" in the program's folder.
QString timeFilePath(const Module1& m);
// Writes the line (or nothing, to empty it), replacing the file whole; a file
// that cannot be written is the path/file access error.
void writeTimeFile(const Module1& m, const QByteArray& content);

// Writes the time file when it is enabled and the minute is not the one last
// written, and remembers the minute.
void writeNewMinute(Module1& m);

// Steps one to six of a tick: advance, wrap above 86399 to 0, split, and write
// the time file when it is enabled and the minute changed.
void advanceFastTime(Module1& m);

// A whole tick: advanceFastTime, then the drawing dispatch.
void timerTick(Module1& m);
