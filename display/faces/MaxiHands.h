#pragma once

#include <QPointF>
#include <QSizeF>
#include <cstdint>

class ImageBox;
class PictureBox;

// The hand state of the large analog clock, kept by its window. The end points
// are held in 32 bits, so a clock on a very wide screen still fits.
struct MaxiHandState {
    std::int32_t intZeiger[3][2] = {}; // rows: second, minute, hour hand; columns x, y
    std::int16_t intSekunden = 0;
    std::int32_t lngMinuten = 0;
    float sngStunden = 0;
    std::int16_t intZeigerNr = 0;
    std::int32_t lngMitteX = 0;
    std::int32_t lngMitteY = 0;
    std::int32_t lngLaengeSec = 0;
    std::int32_t lngLaengeMin = 0;
    std::int32_t lngLaengeStd = 0;
};

// Everything but the drawing, for a clock box of width x height twips (its
// outer size): the hand lengths (side / 3.7, / 3.8, / 5, the side being the
// smaller of width and height, so that the hands stay within the round dial
// of a box that is not square) and the centre (width / 2 - 60, height / 2 -
// 90), each rounded, and the time parts; when the seconds are a multiple of 5
// also the hour position and the end points.
// Returns whether the hands are to be drawn.
bool updateMaxiHands(MaxiHandState& s, double width, double height, std::int32_t zeit);

// The hands of the large analog clock on picUhr: at fast seconds that are a
// multiple of 5 a white disc of the second hand's length covers the old hands
// (its outline in the line width left over), then the hour (black, 16 px),
// minute (black, 6 px) and second hand (red, 3 px) are drawn. No yield.
void analogzeitMaxi(MaxiHandState& s, PictureBox& picUhr, std::int32_t zeit);

// The layout of the large analog clock window for its outer size: the clock box
// at (0, 30) takes the window's outer size; the dial image inside it is the
// largest square within the box less 120 twips each way (never below 0),
// centred there, so the dial stays round: at (30, 30) in a square box.
struct MaxiLayout {
    QSizeF picUhr;
    QSizeF imgUhr;
    QPointF imgUhrPos;
};
MaxiLayout maxiLayout(double formWidth, double formHeight);
void applyMaxiLayout(const MaxiLayout& layout, PictureBox& picUhr, ImageBox& imgUhr);
