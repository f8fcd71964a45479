#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// Number rules shared by the whole program: numbers read from text, rounding of
// computed values (halves to the even neighbour) and the text forms of numbers.
namespace numbers {

// The leading number of a text: leading blanks skipped, an optional sign, decimal
// digits and an optional fraction after a point, up to the first other character.
// A text without a number gives 0; a number too large for a double gives an
// infinity of its sign, so that converting it is the overflow error.
double leadingNumber(QStringView text);

// Nearest integer, halves to the even neighbour, without a range check.
double roundHalfEven(double value);

// Rounded into 32 or 16 bits; a result outside the range is the overflow error.
std::int32_t toLong(double value);
std::int16_t toInt(double value);

// Checked 32-bit arithmetic: an overflow is the overflow error.
std::int32_t add(std::int32_t a, std::int32_t b);
std::int32_t mul(std::int32_t a, std::int32_t b);

// Floor division (towards minus infinity).
std::int32_t floorDiv(std::int32_t a, std::int32_t b);

// At least two digits, zero-padded: 7 -> "07", -5 -> "-05", 123 -> "123".
QString twoDigits(std::int32_t value);

// A number as a settings value line: a blank for zero and positive values or the
// minus sign, the digits, one trailing blank (" 12 ", " 0 ", "-300 ").
QString settingsNumber(double value);

} // namespace numbers
