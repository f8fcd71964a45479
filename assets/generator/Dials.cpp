#include "Dials.h"

#include "Emblems.h"
#include "Mask.h"

#include <QColor>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace dials {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kFrameGrey(132, 130, 132);
const QColor kButtonFace(212, 208, 200);

// One mark: a bar of the given width from the outer radius inwards, turned
// clockwise from 12 o'clock by the given number of minutes.
QPolygonF mark(const Marks& m, int minute, double length, double width)
{
    const double angle = minute * std::numbers::pi / 30;
    const QPointF along(std::sin(angle), -std::cos(angle));
    const QPointF across(-along.y(), along.x());
    const QPointF outer = m.centre + along * m.radius;
    const QPointF inner = m.centre + along * (m.radius - length);
    const QPointF half = across * (width / 2);
    return QPolygonF({outer - half, outer + half, inner + half, inner - half});
}

void drawMarks(QImage& image, const Marks& m)
{
    Mask marks(image.width(), image.height());
    for (int minute = 0; minute < 60; ++minute) {
        const bool hour = minute % 5 == 0;
        marks.fillPolygon(mark(m, minute, hour ? m.hourLength : m.minuteLength,
                               hour ? m.hourWidth : m.minuteWidth));
    }
    marks.paint(image, kBlack);
}

// Nested square bands from the picture's edge inwards, then the white face.
void drawFramedFace(QImage& image, int size, std::initializer_list<std::pair<int, QColor>> bands)
{
    QPainter painter(&image);
    int inset = 0;
    for (const auto& [width, colour] : bands) {
        painter.fillRect(inset, inset, size - 2 * inset, size - 2 * inset, colour);
        inset += width;
    }
    painter.fillRect(inset, inset, size - 2 * inset, size - 2 * inset, kWhite);
}

} // namespace

Marks squareMarks()
{
    return {QPointF(64, 64), 52, 14, 4, 4, 2};
}

Marks roundMarks()
{
    // the centre lies on the middle pixel, so bars of odd width stand square;
    // the outermost pixels of the marks lie 51 px from it
    return {QPointF(55.5, 55.5), 51.5, 14, 3, 5, 2};
}

Marks largeMarks()
{
    // the hands of the large clock turn a little left of and above the middle
    // of the picture; the marks follow them
    return {QPointF(238, 236), 198, 54, 12, 22, 4};
}

QImage square()
{
    QImage image(128, 129, QImage::Format_RGB32);
    image.fill(kButtonFace);
    drawFramedFace(image, 128, {{1, kBlack}, {2, kFrameGrey}, {1, kBlack}});
    const Marks m = squareMarks();
    drawMarks(image, m);
    emblems::drawDialMonogram(image, m.centre + QPointF(0, 17));
    return image;
}

QImage round()
{
    QImage image(111, 111, QImage::Format_RGB32);
    image.fill(kBlack);
    Mask disc(111, 111);
    disc.fillDisc(QPointF(55.5, 55.5), 55.5);
    disc.paint(image, kWhite);
    const Marks m = roundMarks();
    drawMarks(image, m);
    emblems::drawDialMonogram(image, m.centre + QPointF(0, 16.5));
    return image;
}

QImage large(bool copy)
{
    QImage image(480, 480, QImage::Format_RGB32);
    drawFramedFace(image, 480, {{4, kBlack}, {7, kFrameGrey}, {4, kBlack}});
    Marks m = largeMarks();
    if (copy)
        m.minuteWidth += 0.5;
    drawMarks(image, m);
    return image;
}

} // namespace dials
