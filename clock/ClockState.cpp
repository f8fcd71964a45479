#include "ClockState.h"

#include "Module1.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <cmath>

namespace clockstate {

namespace {

// A whole number within [low, high] from a JSON value, or nothing.
std::optional<std::int64_t> wholeNumber(const QJsonValue& v, std::int64_t low, std::int64_t high)
{
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < static_cast<double>(low) || d > static_cast<double>(high))
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

std::optional<ClockState> refuse(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

ClockState of(const Module1& m, std::int64_t seq)
{
    ClockState s;
    s.time = m.lngZeit >= 0 && m.lngZeit <= 86399 ? m.lngZeit : 0;
    s.timeBase = std::clamp(m.lngFaktor, kMinTimeBase, kMaxTimeBase);
    s.running = m.running;
    s.title = m.strTitel.left(kMaxTitle);
    s.seq = seq;
    return s;
}

QJsonObject toObject(const ClockState& s)
{
    QJsonObject o;
    o.insert(field::format, ClockState::kFormat);
    o.insert(field::time, s.time);
    o.insert(field::timeBase, s.timeBase);
    o.insert(field::running, s.running);
    o.insert(field::title, s.title);
    o.insert(field::seq, static_cast<qint64>(s.seq));
    if (!s.session.isEmpty())
        o.insert(field::session, s.session);
    return o;
}

QByteArray toJson(const ClockState& s)
{
    return QJsonDocument(toObject(s)).toJson(QJsonDocument::Compact);
}

std::optional<ClockState> fromJson(const QByteArray& payload, QString* why)
{
    if (payload.size() > kMaxPayload)
        return refuse(why, QStringLiteral("%1 Bytes sind zu viel").arg(payload.size()));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(payload, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return refuse(why, QStringLiteral("kein JSON-Objekt"));
    const QJsonObject o = doc.object();

    const auto format = wholeNumber(o.value(field::format), 0, 1'000'000);
    if (!format || *format != ClockState::kFormat)
        return refuse(why, QStringLiteral("„format“ ist nicht %1").arg(ClockState::kFormat));
    const auto time = wholeNumber(o.value(field::time), 0, 86399);
    if (!time)
        return refuse(why, QStringLiteral("„time“ ist keine ganze Zahl von 0 bis 86399"));
    const auto timeBase = wholeNumber(o.value(field::timeBase), kMinTimeBase, kMaxTimeBase);
    if (!timeBase)
        return refuse(why, QStringLiteral("„timebase“ ist keine ganze Zahl von %1 bis %2").arg(kMinTimeBase).arg(kMaxTimeBase));
    const QJsonValue running = o.value(field::running);
    if (!running.isBool())
        return refuse(why, QStringLiteral("„running“ ist nicht true oder false"));
    const QJsonValue title = o.value(field::title);
    if (!title.isString() || title.toString().size() > kMaxTitle)
        return refuse(why, QStringLiteral("„title“ ist kein Text von höchstens %1 Zeichen").arg(kMaxTitle));
    const auto seq = wholeNumber(o.value(field::seq), 0, kMaxSeq);
    if (!seq)
        return refuse(why, QStringLiteral("„seq“ ist keine ganze Zahl von 0 bis 2^53"));
    const QJsonValue session = o.value(field::session);
    if (!session.isUndefined() && (!session.isString() || session.toString().size() > kMaxSession))
        return refuse(why, QStringLiteral("„session“ ist kein Text von höchstens %1 Zeichen").arg(kMaxSession));

    ClockState s;
    s.session = session.toString();
    s.time = static_cast<std::int32_t>(*time);
    s.timeBase = static_cast<std::int32_t>(*timeBase);
    s.running = running.toBool();
    s.title = title.toString();
    s.seq = *seq;
    return s;
}

} // namespace clockstate
