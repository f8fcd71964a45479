#include "Emblems.h"

#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <array>
#include <cmath>
#include <string_view>

namespace emblems {

namespace {

const QColor kMonogramShadow(0, 0, 0);
const QColor kMonogramEdge(255, 255, 230);
const QColor kDialMonogram(132, 130, 132);

// The icon, one character per pixel.
constexpr std::array<std::string_view, 16> kIconRows = {
    "YY...KKKKKK...YY",
    "Y..KKGGGGGGKK..Y",
    "..KGGWWKKWWGGK..",
    ".KGWWWWKKWWWWGK.",
    ".KGWWWWKKWWWWGK.",
    "KGWWWWWKKWWWWWGK",
    "KGWWWWWKKWWWWWGK",
    "KGWWWWWKKKKKWWGK",
    "KGWWWWWKKKKKWWGK",
    "KGWWWWWWWWWWWWGK",
    "KGWWWWWWWWWWWWGK",
    ".KGWWWWWWWWWWGK.",
    ".KGWWWWWWWWWWGK.",
    "..KGGWWWWWWGGK..",
    "Y..KKGGGGGGKK..Y",
    "YY...KKKKKK...YY",
};

// The 16 colours of the icon's palette, the usual 4-bit set.
constexpr std::array<QRgb, 16> kPalette = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

int paletteIndex(char c)
{
    switch (c) {
    case 'K': return 0;  // black
    case 'G': return 8;  // grey
    case 'Y': return 11; // yellow
    case 'W': return 15; // white
    default: return 4;   // dark blue
    }
}

// The tiny letters: T and Q, 3 x 5 each, a column apart.
constexpr std::array<std::string_view, 5> kDialLetters = {
    "###..#.",
    ".#..#.#",
    ".#..#.#",
    ".#..##.",
    ".#...##",
};

// "TQ" as an outline, from the font file when there is one.
QPainterPath letterOutline()
{
    constexpr double designSize = 200;
    QPainterPath path;
    const QString file = monogramFontFile();
    const QRawFont raw = QFile::exists(file)
        ? QRawFont(file, designSize, QFont::PreferNoHinting)
        : QRawFont();
    if (raw.isValid()) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromLatin1(kInitials));
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        QPointF pen(0, 0);
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            path.addPath(raw.pathForGlyph(glyphs[i]).translated(pen));
            pen += advances[i];
        }
    } else {
        QFont font(QStringLiteral("Sans Serif"));
        font.setPixelSize(static_cast<int>(designSize));
        font.setBold(true);
        font.setHintingPreference(QFont::PreferNoHinting);
        path.addText(0, 0, font, QString::fromLatin1(kInitials));
    }
    return path.simplified();
}

} // namespace

QString monogramFontFile()
{
    return QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf");
}

QImage icon()
{
    QImage image(16, 16, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(kPalette.begin(), kPalette.end()));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, static_cast<uint>(paletteIndex(kIconRows[static_cast<std::size_t>(y)]
                                                                         [static_cast<std::size_t>(x)])));
    return image;
}

QImage monogram()
{
    constexpr int width = 51;
    constexpr int height = 33;
    constexpr double shadow = 2;  // offset of the shadow to the lower right
    constexpr double edge = 1;    // width of the light edge outside the letters

    // scale the letters to the picture, leaving room for edge and shadow
    const QPainterPath outline = letterOutline();
    const QRectF bounds = outline.boundingRect();
    const QRectF room(edge, edge, width - 2 * edge - shadow, height - 2 * edge - shadow);
    const double scale = std::min(room.width() / bounds.width(), room.height() / bounds.height());
    QTransform fit;
    fit.translate(room.center().x(), room.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    const QPainterPath letters = fit.map(outline);
    const QRectF box = letters.boundingRect();

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // shadow, as large as the letters with their edge
        painter.setPen(QPen(kMonogramShadow, 2 * edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(kMonogramShadow);
        painter.drawPath(letters.translated(shadow, shadow));
        // the light edge, then the rainbow fill over its inner half
        painter.setPen(QPen(kMonogramEdge, 2 * edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(letters);
        QLinearGradient rainbow(box.left(), 0, box.right(), 0);
        rainbow.setColorAt(0.0, QColor(255, 0, 0));
        rainbow.setColorAt(0.2, QColor(255, 140, 0));
        rainbow.setColorAt(0.4, QColor(255, 240, 0));
        rainbow.setColorAt(0.6, QColor(0, 200, 0));
        rainbow.setColorAt(0.8, QColor(0, 80, 255));
        rainbow.setColorAt(1.0, QColor(150, 0, 210));
        painter.setPen(Qt::NoPen);
        painter.setBrush(rainbow);
        painter.drawPath(letters);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

void drawDialMonogram(QImage& image, QPointF topCentre)
{
    const int w = static_cast<int>(kDialLetters[0].size());
    const int left = static_cast<int>(std::floor(topCentre.x() - w / 2.0));
    const int top = static_cast<int>(std::floor(topCentre.y()));
    for (int y = 0; y < static_cast<int>(kDialLetters.size()); ++y)
        for (int x = 0; x < w; ++x)
            if (kDialLetters[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#')
                image.setPixel(left + x, top + y, kDialMonogram.rgb());
}

} // namespace emblems
