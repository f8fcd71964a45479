#include "Pictures.h"

#include <QImageReader>
#include <QPixmapCache>

namespace pictures {

namespace {

QPixmap digit(const char* set, int d)
{
    if (d < 0 || d > 9)
        return {};
    return load(QStringLiteral("%1_digit_%2").arg(QLatin1String(set)).arg(d));
}

} // namespace

QString path(const QString& name)
{
    return QStringLiteral(":/pictures/%1.png").arg(name);
}

QPixmap load(const QString& name)
{
    const QString file = path(name);
    QPixmap pixmap;
    if (!QPixmapCache::find(file, &pixmap)) {
        // Qt's built-in PNG reader, named: left to choose, Qt first loads
        // every image plugin to ask whether it reads the file
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        pixmap = QPixmap::fromImage(reader.read());
        if (!pixmap.isNull())
            QPixmapCache::insert(file, pixmap);
    }
    return pixmap;
}

QPixmap lcdDigit(int d) { return digit("lcd", d); }
QPixmap ledDigit(int d) { return digit("led", d); }
QPixmap stretchDigit(int d) { return digit("stretch", d); }
QPixmap lcdSeparator() { return load(QStringLiteral("lcd_separator")); }
QPixmap ledSeparator() { return load(QStringLiteral("led_separator")); }
QPixmap stretchSeparator() { return load(QStringLiteral("stretch_separator")); }
QPixmap lcdFrame() { return load(QStringLiteral("lcd_frame")); }
QPixmap stretchBackground() { return load(QStringLiteral("stretch_background")); }
QPixmap dialSquare() { return load(QStringLiteral("dial_square")); }
QPixmap dialRound() { return load(QStringLiteral("dial_round")); }
QPixmap dialLarge() { return load(QStringLiteral("dial_large")); }
QPixmap dialLargeCopy() { return load(QStringLiteral("dial_large_copy")); }
QPixmap monogram() { return load(QStringLiteral("monogram")); }

QIcon clockIcon() { return QIcon(load(QStringLiteral("icon"))); }

} // namespace pictures
