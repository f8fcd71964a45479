#include "Numbers.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace numbers {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    qsizetype end = i;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        end = i;
    }
    if (end == digitsStart || (end == digitsStart + 1 && text[digitsStart] == u'.'))
        return 0.0;
    bool ok = false;
    const double value = text.mid(start, end - start).toString().toDouble(&ok);
    // too many digits for a double: an infinity, which no integer or single
    // holds (an overflow); too small a fraction is 0
    if (!ok)
        return std::isinf(value) ? value : 0.0;
    return value;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

std::int32_t toLong(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError::overflow();
    return static_cast<std::int32_t>(r);
}

std::int16_t toInt(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max()))
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t add(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        throw RuntimeError::overflow();
    return r;
}

std::int32_t mul(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw RuntimeError::overflow();
    return r;
}

std::int32_t floorDiv(std::int32_t a, std::int32_t b)
{
    std::int32_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

QString twoDigits(std::int32_t value)
{
    const qint64 v = value;
    const QString digits = QString::number(v < 0 ? -v : v).rightJustified(2, u'0');
    return v < 0 ? u'-' + digits : digits;
}

QString settingsNumber(double value)
{
    const bool negative = value < 0;
    const double magnitude = negative ? -value : value;
    QString digits = QString::number(magnitude, 'f', 7);
    // whole numbers without a fraction; others as short as they read back
    if (magnitude == std::floor(magnitude))
        digits = QString::number(magnitude, 'f', 0);
    else
        digits = QString::number(magnitude, 'g', 7);
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + u' ';
}

} // namespace numbers
