#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, kept as resources ":/pictures/<name>.png".
// Every accessor gives a null pixmap for a digit outside 0 to 9.
namespace pictures {

// The resource path of a picture by its file name without ".png".
QString path(const QString& name);
QPixmap load(const QString& name);

QPixmap lcdDigit(int digit);      // 15 x 27
QPixmap ledDigit(int digit);      // 18 x 29, the 7 17 x 29
QPixmap stretchDigit(int digit);  // 209 x 372, the 8 208 x 371
QPixmap lcdSeparator();           // 3 x 11
QPixmap ledSeparator();           // 3 x 11
QPixmap stretchSeparator();       // 15 x 48
QPixmap lcdFrame();               // 104 x 39
QPixmap stretchBackground();      // 1002 x 394
QPixmap dialSquare();             // 128 x 129
QPixmap dialRound();              // 111 x 111
QPixmap dialLarge();              // 480 x 480
QPixmap dialLargeCopy();          // 480 x 480
QPixmap monogram();               // 51 x 33, transparent ground
QIcon clockIcon();                // 16 x 16

} // namespace pictures
