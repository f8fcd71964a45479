#include "Pieces.h"

#include "Mask.h"

#include <QColor>
#include <QPainter>

namespace pieces {

namespace {

const QColor kLcdGreen(226, 255, 128);
const QColor kGrey(128, 128, 128);
const QColor kLightGrey(192, 192, 192);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

QImage filled(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Two dots of 3 x 4 at the top and the bottom of a 3 x 11 picture, their
// corner pixels grey.
QImage smallSeparator(const QColor& dot, const QColor& background)
{
    QImage image = filled(3, 11, background);
    QPainter painter(&image);
    for (const int top : {0, 7}) {
        painter.fillRect(0, top, 3, 4, dot);
        for (const int y : {top, top + 3})
            for (const int x : {0, 2})
                painter.fillRect(x, y, 1, 1, kGrey);
    }
    return image;
}

} // namespace

QImage lcdSeparator()
{
    return smallSeparator(kBlack, kLcdGreen);
}

QImage ledSeparator()
{
    return smallSeparator(kRed, kBlack);
}

QImage stretchSeparator()
{
    QImage image = filled(15, 48, kBlack);
    for (const int top : {0, 34}) {
        Mask square(15, 48);
        square.fillRoundedRect(QRectF(0, top, 15, 14), 4);
        square.paint(image, kRed);
        square.edge().paint(image, kLightGrey);
    }
    return image;
}

QImage lcdFrame()
{
    constexpr int w = 104;
    constexpr int h = 39;
    QImage image = filled(w, h, kLcdGreen);
    QPainter painter(&image);
    // outer edge: grey top and left, white bottom and right
    painter.fillRect(0, 0, w - 1, 1, kGrey);
    painter.fillRect(0, 0, 1, h - 1, kGrey);
    painter.fillRect(w - 1, 0, 1, h, kWhite);
    painter.fillRect(0, h - 1, w, 1, kWhite);
    // inner edge: black top and left, light grey bottom and right
    painter.fillRect(1, 1, w - 3, 1, kBlack);
    painter.fillRect(1, 1, 1, h - 3, kBlack);
    painter.fillRect(w - 2, 1, 1, h - 2, kLightGrey);
    painter.fillRect(1, h - 2, w - 2, 1, kLightGrey);
    return image;
}

QImage stretchBackground()
{
    return filled(1002, 394, kBlack);
}

} // namespace pieces
