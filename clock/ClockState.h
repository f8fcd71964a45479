#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

struct Module1;

// The clock as other computers and pages see it: the fast time, the time base,
// whether it runs, the title, and a sequence number that grows with every
// state sent, and the session of the master that sent it (a random text of
// each start, so that two senders of one clock can be told apart). Travels as
// one small JSON object:
//   {"format":1,"time":45296,"timebase":250,"running":true,"title":"Anlage","seq":17,
//    "session":"5f0c2a9e41d7b3c8"}
// The session is optional: a state without it (an older master, a web page)
// has an empty one, and programs that know only the other fields read states
// with it unchanged, so the format stays 1.
struct ClockState {
    static constexpr int kFormat = 1;
    std::int32_t time = 0;     // fast seconds since midnight, 0 to 86399
    std::int32_t timeBase = 0; // real milliseconds per fast second
    bool running = false;
    QString title;
    std::int64_t seq = 0;
    QString session; // empty: not said

    bool operator==(const ClockState&) const = default;
};

namespace clockstate {

// Bounds of what a state may carry; anything outside is refused on reading.
inline constexpr qsizetype kMaxPayload = 4096;
inline constexpr qsizetype kMaxTitle = 1000;
inline constexpr qsizetype kMaxSession = 64;
inline constexpr std::int32_t kMinTimeBase = 10;
inline constexpr std::int32_t kMaxTimeBase = 86'400'000; // one fast second a day
inline constexpr std::int64_t kMaxSeq = (std::int64_t{1} << 53); // exact in a JSON number

// The state of this program's clock now. The time base is the one the timer
// runs with (never below the smallest), the time is folded into a day.
ClockState of(const Module1& m, std::int64_t seq);

QByteArray toJson(const ClockState& s);

// The state in a payload, or nothing when the payload is not one: too large,
// not a JSON object, a field missing or of the wrong type, a number out of
// range or not whole, another format version, a session that is not a short
// text. why says what was wrong.
std::optional<ClockState> fromJson(const QByteArray& payload, QString* why = nullptr);

} // namespace clockstate
