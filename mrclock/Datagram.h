#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The MRclock datagram: the fast clock of a layout room as one UDP datagram of
// text lines, sent by multicast (group 239.50.50.20, port 2000 by default).
// Written in the one order that the small boards of slave clocks read:
//   fastclock / version=2 / name= / ip-address= / ip-port= / text= /
//   clocktype=fastclock / active=yes|no / speed= / clock=HH:MM:SS / weekday= /
//   interval=
// each line ending in CR LF. Read leniently: fields by name in any order, LF or
// CR LF, unknown fields and stray lines skipped.
namespace mrclock {

inline constexpr quint16 kDefaultPort = 2000;
inline constexpr const char* kDefaultGroup = "239.50.50.20";
// Larger datagrams are refused on reading.
inline constexpr qsizetype kMaxDatagram = 1400;
// What is sent of a name and a text, in UTF-8 bytes: with them the datagram
// stays far below the 650 bytes the smallest receivers hold.
inline constexpr qsizetype kMaxNameBytes = 64;
inline constexpr qsizetype kMaxTextBytes = 200;
// A speed is a positive number below this.
inline constexpr double kMaxSpeed = 1000;

struct Datagram {
    QString name;
    QString address;              // ip-address: the sender's own address, may be empty
    QString port;                 // ip-port, as sent
    QString text;                 // free text; this program's title
    QString clockType = QStringLiteral("fastclock"); // "fastclock" or "realclock"
    bool active = false;          // the clock runs
    double speed = 1;             // fast seconds per real second
    std::int32_t time = 0;        // fast seconds since midnight
    QString weekday;              // empty for a clock without days
    int interval = 0;             // real seconds to the next datagram, 0 when not said

    bool operator==(const Datagram&) const = default;
};

// The datagram's bytes. name and text are sent as UTF-8, line breaks and
// other control characters made spaces, cut at a whole character to fit.
QByteArray build(const Datagram& d);

// The datagram in bytes received, or nothing (why says what was wrong): too
// large, not beginning with "fastclock", no clock, speed or active field, a
// time outside 00:00:00-23:59:59, a speed that is not a finite number above 0
// and below 1000, an active that is not yes or no. Texts are read as UTF-8,
// or as Latin-1 where they are not valid UTF-8.
std::optional<Datagram> parse(const QByteArray& bytes, QString* why = nullptr);

// The speed as sent: a decimal point, at most three decimals (more only for
// speeds so small that three would say 0), never an exponent.
QByteArray speedText(double speed);

// Speed and time base (real milliseconds per fast second) of one another.
double speedOfTimeBase(std::int32_t timeBaseMs);
// The time base rounded to whole milliseconds, within the clock's bounds.
std::int32_t timeBaseOfSpeed(double speed);
// The exact interval of a fast second in nanoseconds, within the same bounds.
qint64 exactIntervalOfSpeed(double speed);
// The ratio of model to real time as shown to the user: "1:6", "1:12.048".
QString ratioText(double speed);

} // namespace mrclock
