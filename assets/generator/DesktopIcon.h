#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The program's icon for the desktop's menus and task bars: the clock of the
// 16 x 16 window icon (a white face in a grey ring outlined in black, hands to
// 12 and 3, on dark blue with yellow corner marks) drawn from one geometry at
// any size, and written as SVG from the same geometry.
namespace desktopicon {

// The sizes of the hicolor icon theme that the program installs.
QList<int> sizes();
// The icon at size x size pixels; at 16 the pixel-drawn window icon.
QImage image(int size);
// The scalable icon as SVG text.
QByteArray svg();

// Writes <folder>/hicolor/<n>x<n>/apps/quendrasil.png for every size and
// <folder>/hicolor/scalable/apps/quendrasil.svg. Returns an empty string on
// success, otherwise what went wrong.
QString writeAll(const QString& folder);

} // namespace desktopicon
