#include "Settings.h"

#include "Numbers.h"
#include "RuntimeError.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <cmath>
#include <limits>

namespace settingsfile {

namespace {

const char* const kCodec = "windows-1252";

const char* const kKeys[14] = {
    "[Stunden]",
    "[Minuten]",
    "[Faktor]",
    "[Anzeige analog / digital]",
    "[Position Anzeige left]",
    "[Position Anzeige top]",
    "[Position Konfiguration left]",
    "[Position Konfiguration top]",
    "[Titel]",
    "[Breite Maxi]",
    "[H\u00f6he Maxi]",
    "[letzte Zeit Std]",
    "[letzte Zeit Min]",
    "[Datei erzeugen]",
};

// Lines end with CR LF; a lone CR or LF ends one too.
QStringList splitLines(const QString& text)
{
    QStringList lines;
    QString current;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            open = false;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            current += c;
            open = true;
        }
    }
    if (open)
        lines << current;
    return lines;
}

std::int32_t longValue(const QString& line) { return numbers::toLong(numbers::leadingNumber(line)); }

// A single-precision value line; a number too large for it is the overflow error.
double singleValue(const QString& line)
{
    const double value = numbers::leadingNumber(line);
    if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
        throw RuntimeError::overflow();
    return value;
}

} // namespace

QString fileName() { return QStringLiteral("Quendrasil.ini"); }

bool parseBoolean(const QString& line)
{
    const QString word = line.trimmed();
    if (word.compare(u"True", Qt::CaseInsensitive) == 0 || word.compare(u"Wahr", Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(u"False", Qt::CaseInsensitive) == 0 || word.compare(u"Falsch", Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = word.toDouble(&ok);
    // a number too large for a double is one all the same; "nan" and "inf"
    // are words, not numbers
    if (!ok && std::isinf(number))
        throw RuntimeError::overflow();
    if (!ok || !std::isfinite(number))
        throw RuntimeError::typeMismatch();
    return number != 0.0;
}

bool holdsText(const QString& text)
{
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n')
            return false;
    }
    QStringEncoder encoder(kCodec);
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

QByteArray format(const Settings& s)
{
    using numbers::roundHalfEven;
    using numbers::settingsNumber;
    const QString values[14] = {
        settingsNumber(s.startStd),   settingsNumber(s.startMin),   settingsNumber(s.faktor),
        settingsNumber(s.anzeige),    settingsNumber(s.anzeigeLeft), settingsNumber(s.anzeigeTop),
        settingsNumber(roundHalfEven(s.konfigLeft)), settingsNumber(roundHalfEven(s.konfigTop)),
        s.titel,                      settingsNumber(s.breiteMaxi), settingsNumber(s.hoeheMaxi),
        settingsNumber(s.letzteStd),  settingsNumber(s.letzteMin),
        s.datei ? QStringLiteral("True") : QStringLiteral("False"),
    };
    QString text;
    for (int i = 0; i < 14; ++i)
        text += QString::fromUtf8(kKeys[i]) + QStringLiteral("\r\n") + values[i] + QStringLiteral("\r\n");
    QStringEncoder encoder(kCodec);
    return encoder.encode(text);
}

Settings parse(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodec);
    const QStringList lines = splitLines(decoder.decode(bytes));
    if (lines.size() < kLines)
        throw RuntimeError::pastEndOfFile();
    auto value = [&lines](int pair) -> const QString& { return lines[2 * pair + 1]; };
    Settings s;
    s.startStd = longValue(value(0));
    s.startMin = longValue(value(1));
    s.faktor = longValue(value(2));
    s.anzeige = numbers::toInt(numbers::leadingNumber(value(3)));
    s.anzeigeLeft = longValue(value(4));
    s.anzeigeTop = longValue(value(5));
    s.konfigLeft = singleValue(value(6));
    s.konfigTop = singleValue(value(7));
    s.titel = value(8);
    s.breiteMaxi = longValue(value(9));
    s.hoeheMaxi = longValue(value(10));
    s.letzteStd = longValue(value(11));
    s.letzteMin = longValue(value(12));
    s.datei = parseBoolean(value(13));
    return s;
}

std::optional<Settings> read(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError::pathFileAccess();
    const QByteArray bytes = file.readAll();
    file.close();
    return parse(bytes);
}

void write(const QString& path, const Settings& s)
{
    wholefile::write(path, format(s), true);
}

} // namespace settingsfile
