#include "Artwork.h"

#include "Dials.h"
#include "Emblems.h"
#include "Pieces.h"
#include "SevenSegment.h"

#include <QDir>
#include <QImageWriter>

namespace artwork {

std::vector<Picture> allPictures()
{
    std::vector<Picture> pictures;
    const auto add = [&pictures](const QString& name, const QImage& image) {
        pictures.push_back({name, image});
    };

    for (int d = 0; d <= 9; ++d) {
        add(QStringLiteral("lcd_digit_%1").arg(d), sevenseg::render(sevenseg::lcd(), d));
        QImage led = sevenseg::render(sevenseg::led(), d);
        if (d == 7) // the 7 has no segment on the left, and one column less
            led = led.copy(0, 0, led.width() - 1, led.height());
        add(QStringLiteral("led_digit_%1").arg(d), led);
        QImage big = sevenseg::render(sevenseg::stretch(), d);
        if (d == 8) // the large 8 is one pixel smaller each way
            big = big.copy(0, 0, big.width() - 1, big.height() - 1);
        add(QStringLiteral("stretch_digit_%1").arg(d), big);
    }
    add(QStringLiteral("lcd_separator"), pieces::lcdSeparator());
    add(QStringLiteral("led_separator"), pieces::ledSeparator());
    add(QStringLiteral("stretch_separator"), pieces::stretchSeparator());
    add(QStringLiteral("lcd_frame"), pieces::lcdFrame());
    add(QStringLiteral("stretch_background"), pieces::stretchBackground());
    add(QStringLiteral("dial_square"), dials::square());
    add(QStringLiteral("dial_round"), dials::round());
    add(QStringLiteral("dial_large"), dials::large(false));
    add(QStringLiteral("dial_large_copy"), dials::large(true));
    add(QStringLiteral("icon"), emblems::icon());
    add(QStringLiteral("monogram"), emblems::monogram());
    return pictures;
}

QString writeAll(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return QStringLiteral("folder %1 does not exist").arg(folder);
    for (const Picture& picture : allPictures()) {
        const QString file = dir.filePath(picture.name + QStringLiteral(".png"));
        QImageWriter writer(file, "png");
        if (!writer.write(picture.image))
            return QStringLiteral("cannot write %1: %2").arg(file, writer.errorString());
    }
    return {};
}

} // namespace artwork
