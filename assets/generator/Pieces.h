#pragma once

#include <QImage>

// The smaller pictures of the digital displays: separators, the LCD frame and
// the black background of the stretched LED display.
namespace pieces {

// 3 x 11: two black dots of 3 x 4 with grey corners over LCD green.
QImage lcdSeparator();
// 3 x 11: two red dots of 3 x 4 with grey corners over black.
QImage ledSeparator();
// 15 x 48: two red squares of 15 x 14 with rounded corners and a light grey
// outline, 20 black rows between them.
QImage stretchSeparator();
// 104 x 39: LCD green inside a 2 px sunken bevel.
QImage lcdFrame();
// 1002 x 394, plain black.
QImage stretchBackground();

} // namespace pieces
