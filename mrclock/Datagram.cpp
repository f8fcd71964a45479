#include "Datagram.h"

#include "ClockState.h"

#include <QStringDecoder>
#include <QList>
#include <algorithm>
#include <cmath>

namespace mrclock {

namespace {

// UTF-8 of a text for one line: control characters become spaces, cut at a
// whole character to at most maxBytes.
QByteArray lineText(const QString& text, qsizetype maxBytes)
{
    QString clean = text;
    for (QChar& c : clean)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    QByteArray utf8 = clean.toUtf8();
    if (utf8.size() <= maxBytes)
        return utf8;
    qsizetype end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end; // not inside a character
    return utf8.left(end);
}

QString decoded(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

// "H:M:S" or "H:M", one or two digits each, as seconds since midnight.
std::optional<std::int32_t> timeOfDay(const QByteArray& value)
{
    const QList<QByteArray> parts = value.trimmed().split(':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const int limits[] = {23, 59, 59};
    std::int32_t seconds = 0;
    for (int i = 0; i < 3; ++i) {
        int v = 0;
        if (i < parts.size()) {
            const QByteArray& p = parts[i];
            if (p.isEmpty() || p.size() > 2 || !std::all_of(p.begin(), p.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return std::nullopt;
            v = p.toInt();
            if (v > limits[i])
                return std::nullopt;
        }
        seconds = seconds * 60 + v;
    }
    return seconds;
}

std::optional<Datagram> refuse(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

QByteArray speedText(double speed)
{
    QByteArray text;
    for (int decimals = 3; decimals <= 12; ++decimals) {
        text = QByteArray::number(speed, 'f', decimals);
        if (text.toDouble() != 0)
            break;
    }
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return text;
}

double speedOfTimeBase(std::int32_t timeBaseMs) { return 1000.0 / std::max<std::int32_t>(1, timeBaseMs); }

std::int32_t timeBaseOfSpeed(double speed)
{
    const double ms = std::round(1000.0 / speed);
    return static_cast<std::int32_t>(std::clamp<double>(ms, clockstate::kMinTimeBase, clockstate::kMaxTimeBase));
}

qint64 exactIntervalOfSpeed(double speed)
{
    const double ns = 1e9 / speed; // a speed near 0 makes this infinite
    return std::llround(std::clamp<double>(ns, 1e6 * clockstate::kMinTimeBase, 1e6 * clockstate::kMaxTimeBase));
}

QString ratioText(double speed) { return QStringLiteral("1:") + QString::fromLatin1(speedText(speed)); }

QByteArray build(const Datagram& d)
{
    const int h = d.time / 3600, m = d.time / 60 % 60, s = d.time % 60;
    QByteArray out;
    const auto line = [&out](const char* key, const QByteArray& value) {
        out += key;
        out += value;
        out += "\r\n";
    };
    out += "fastclock\r\n";
    line("version=", "2");
    line("name=", lineText(d.name, kMaxNameBytes));
    line("ip-address=", lineText(d.address, 64));
    line("ip-port=", lineText(d.port, 16));
    line("text=", lineText(d.text, kMaxTextBytes));
    line("clocktype=", lineText(d.clockType, 16));
    line("active=", d.active ? "yes" : "no");
    line("speed=", speedText(d.speed));
    line("clock=", QStringLiteral("%1:%2:%3").arg(h, 2, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0'))
                       .arg(s, 2, 10, QChar(u'0')).toLatin1());
    line("weekday=", lineText(d.weekday, 16));
    line("interval=", QByteArray::number(d.interval));
    return out;
}

std::optional<Datagram> parse(const QByteArray& bytes, QString* why)
{
    if (bytes.size() > kMaxDatagram)
        return refuse(why, QStringLiteral("%1 Bytes sind zu viel").arg(bytes.size()));
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    if (lines.isEmpty() || lines.front().trimmed().toLower() != "fastclock")
        return refuse(why, QStringLiteral("beginnt nicht mit „fastclock“"));

    Datagram d;
    bool haveClock = false, haveSpeed = false, haveActive = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf('=');
        if (eq < 0)
            continue; // an empty or stray line
        const QByteArray key = lines[i].left(eq).trimmed().toLower();
        const QByteArray value = lines[i].mid(eq + 1);
        if (key == "name")
            d.name = decoded(value).trimmed();
        else if (key == "ip-address")
            d.address = decoded(value).trimmed();
        else if (key == "ip-port")
            d.port = decoded(value).trimmed();
        else if (key == "text")
            d.text = decoded(value);
        else if (key == "clocktype")
            d.clockType = decoded(value).trimmed().toLower();
        else if (key == "weekday")
            d.weekday = decoded(value).trimmed();
        else if (key == "interval")
            d.interval = std::max(0, value.trimmed().toInt());
        else if (key == "active") {
            const QByteArray v = value.trimmed().toLower();
            if (v != "yes" && v != "no")
                return refuse(why, QStringLiteral("„active“ ist nicht yes oder no"));
            d.active = v == "yes";
            haveActive = true;
        } else if (key == "speed") {
            bool ok = false;
            const double speed = value.trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(speed) || speed <= 0 || speed >= kMaxSpeed)
                return refuse(why, QStringLiteral("„speed“ ist keine Zahl über 0 und unter 1000"));
            d.speed = speed;
            haveSpeed = true;
        } else if (key == "clock") {
            const auto time = timeOfDay(value);
            if (!time)
                return refuse(why, QStringLiteral("„clock“ ist keine Uhrzeit von 00:00:00 bis 23:59:59"));
            d.time = *time;
            haveClock = true;
        }
    }
    if (!haveClock || !haveSpeed || !haveActive)
        return refuse(why, QStringLiteral("„clock“, „speed“ oder „active“ fehlt"));
    return d;
}

} // namespace mrclock
