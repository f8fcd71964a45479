#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QLatin1StringView>
#include <QString>
#include <cstdint>
#include <optional>

struct Module1;

// The clock as other computers and pages see it: the fast time, the time base,
// whether it runs, the title, a sequence number that grows with every state
// sent, and the session of the master that sent it (a random text of each
// start, so that two senders of one clock can be told apart). It travels as
// one small JSON object, as the README describes; the field names are those
// of clockstate::field.
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

// The names of the fields in the JSON object.
namespace field {
inline constexpr QLatin1StringView format("format");
inline constexpr QLatin1StringView time("time");
inline constexpr QLatin1StringView timeBase("timebase");
inline constexpr QLatin1StringView running("running");
inline constexpr QLatin1StringView title("title");
inline constexpr QLatin1StringView seq("seq");
// left out when empty; a state without it (an older master) has an empty one
inline constexpr QLatin1StringView session("session");
} // namespace field

// The state of this program's clock now. The time base is the one the timer
// runs with (never below the smallest), the time is folded into a day.
ClockState of(const Module1& m, std::int64_t seq);

// The state as a JSON object, and as its compact text.
QJsonObject toObject(const ClockState& s);
QByteArray toJson(const ClockState& s);

// The state in a payload, or nothing when the payload is not one: too large,
// not a JSON object, a field missing or of the wrong type, a number out of
// range or not whole, another format version, a session that is not a short
// text. why says what was wrong.
std::optional<ClockState> fromJson(const QByteArray& payload, QString* why = nullptr);

} // namespace clockstate
