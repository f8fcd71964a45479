// The committed pictures as the windows get them: through the resources of
// quendrasil_assets, under the offscreen platform.

#include "Pictures.h"

#include <QDir>
#include <QImage>
#include <QPoint>
#include <QTest>

#include <array>
#include <cmath>
#include <functional>
#include <set>

namespace {

using Accessor = std::function<QPixmap()>;

QImage imageOf(const QString& name)
{
    return pictures::load(name).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The middle of each segment a to g (top, upper right, lower right, bottom,
// lower left, upper left, middle) in each digit set.
struct DigitSet {
    const char* name;
    QColor lit;
    QColor dark;
    std::array<QPoint, 7> probes;
};

const DigitSet kLcd{"lcd", QColor(0, 0, 0), QColor(226, 255, 128),
                    {QPoint(7, 2), QPoint(12, 8), QPoint(12, 19), QPoint(7, 24), QPoint(2, 19),
                     QPoint(2, 8), QPoint(7, 13)}};
const DigitSet kLed{"led", QColor(255, 0, 0), QColor(0, 0, 0),
                    {QPoint(9, 3), QPoint(14, 9), QPoint(14, 20), QPoint(9, 25), QPoint(3, 20),
                     QPoint(3, 9), QPoint(9, 14)}};
const DigitSet kStretch{"stretch", QColor(255, 0, 0), QColor(0, 0, 0),
                        {QPoint(104, 32), QPoint(176, 109), QPoint(176, 263), QPoint(104, 340),
                         QPoint(32, 263), QPoint(32, 109), QPoint(104, 186)}};

} // namespace

Q_DECLARE_METATYPE(Accessor)

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void everyPictureIsAResource();
    void sizes_data();
    void sizes();
    void digitsOutsideRangeAreNull();
    void digitsReadAsSevenSegment_data();
    void digitsReadAsSevenSegment();
    void characteristicPixels_data();
    void characteristicPixels();
    void ledSevenLosesOnlyABlackColumn();
    void largeDialCopiesDifferOnlyInTheTickRing();
    void smallDialsCarryAMonogramBelowTheCentre_data();
    void smallDialsCarryAMonogramBelowTheCentre();
    void monogramIsARainbowOnTransparentGround();
    void clockIconHasSixteenColours();
};

void TestPictures::everyPictureIsAResource()
{
    const QStringList files = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    QCOMPARE(files.size(), 41);
    for (const QString& file : files)
        QVERIFY2(!QPixmap(QStringLiteral(":/pictures/") + file).isNull(), qPrintable(file));
}

void TestPictures::sizes_data()
{
    QTest::addColumn<Accessor>("picture");
    QTest::addColumn<QSize>("size");
    for (int d = 0; d <= 9; ++d) {
        QTest::addRow("lcd %d", d) << Accessor([d] { return pictures::lcdDigit(d); }) << QSize(15, 27);
        QTest::addRow("led %d", d) << Accessor([d] { return pictures::ledDigit(d); })
                                   << (d == 7 ? QSize(17, 29) : QSize(18, 29));
        QTest::addRow("stretch %d", d) << Accessor([d] { return pictures::stretchDigit(d); })
                                       << (d == 8 ? QSize(208, 371) : QSize(209, 372));
    }
    QTest::newRow("lcd separator") << Accessor(pictures::lcdSeparator) << QSize(3, 11);
    QTest::newRow("led separator") << Accessor(pictures::ledSeparator) << QSize(3, 11);
    QTest::newRow("stretch separator") << Accessor(pictures::stretchSeparator) << QSize(15, 48);
    QTest::newRow("lcd frame") << Accessor(pictures::lcdFrame) << QSize(104, 39);
    QTest::newRow("stretch background") << Accessor(pictures::stretchBackground) << QSize(1002, 394);
    QTest::newRow("square dial") << Accessor(pictures::dialSquare) << QSize(128, 129);
    QTest::newRow("round dial") << Accessor(pictures::dialRound) << QSize(111, 111);
    QTest::newRow("large dial") << Accessor(pictures::dialLarge) << QSize(480, 480);
    QTest::newRow("large dial copy") << Accessor(pictures::dialLargeCopy) << QSize(480, 480);
    QTest::newRow("monogram") << Accessor(pictures::monogram) << QSize(51, 33);
    QTest::newRow("icon") << Accessor([] { return pictures::clockIcon().pixmap(QSize(16, 16)); })
                          << QSize(16, 16);
}

void TestPictures::sizes()
{
    QFETCH(Accessor, picture);
    QFETCH(QSize, size);
    const QPixmap pixmap = picture();
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), size);
}

void TestPictures::digitsOutsideRangeAreNull()
{
    for (const int d : {-1, 10}) {
        QVERIFY(pictures::lcdDigit(d).isNull());
        QVERIFY(pictures::ledDigit(d).isNull());
        QVERIFY(pictures::stretchDigit(d).isNull());
    }
}

void TestPictures::digitsReadAsSevenSegment_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("segments");
    QTest::addColumn<QColor>("lit");
    QTest::addColumn<QColor>("dark");
    QTest::addColumn<QList<QPoint>>("probes");
    // "6" with its top bar, "9" with its bottom bar, "7" without the upper left
    static const char* const lit[10] = {"abcdef", "bc",  "abdeg", "abcdg",   "bcfg",
                                        "acdfg",  "acdefg", "abc", "abcdefg", "abcdfg"};
    for (const DigitSet* set : {&kLcd, &kLed, &kStretch})
        for (int d = 0; d <= 9; ++d)
            QTest::addRow("%s %d", set->name, d)
                << QStringLiteral("%1_digit_%2").arg(QLatin1String(set->name)).arg(d)
                << QString::fromLatin1(lit[d]) << set->lit << set->dark
                << QList<QPoint>(set->probes.begin(), set->probes.end());
}

void TestPictures::digitsReadAsSevenSegment()
{
    QFETCH(QString, name);
    QFETCH(QString, segments);
    QFETCH(QColor, lit);
    QFETCH(QColor, dark);
    QFETCH(QList<QPoint>, probes);
    const QImage image = imageOf(name);
    for (int s = 0; s < 7; ++s) {
        const QChar letter(QLatin1Char(static_cast<char>('a' + s)));
        const QColor expected = segments.contains(letter) ? lit : dark;
        QVERIFY2(image.pixelColor(probes[s]) == expected,
                 qPrintable(QStringLiteral("segment %1 of %2").arg(letter).arg(name)));
    }
}

void TestPictures::characteristicPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    const QColor black(0, 0, 0), white(255, 255, 255), red(255, 0, 0), green(226, 255, 128);
    const QColor grey(128, 128, 128), lightGrey(192, 192, 192), frameGrey(132, 130, 132);

    QTest::newRow("lcd digit ground") << "lcd_digit_8" << QPoint(0, 0) << green;
    QTest::newRow("lcd digit chamfer") << "lcd_digit_8" << QPoint(1, 1) << green;
    QTest::newRow("led digit ground") << "led_digit_8" << QPoint(0, 0) << black;
    QTest::newRow("led outline above top bar") << "led_digit_8" << QPoint(9, 1) << grey;
    QTest::newRow("led outline left of upper left") << "led_digit_8" << QPoint(1, 9) << grey;
    QTest::newRow("led seven top bar") << "led_digit_7" << QPoint(9, 3) << red;
    QTest::newRow("led seven right outline") << "led_digit_7" << QPoint(16, 9) << grey;
    QTest::newRow("stretch ground") << "stretch_digit_0" << QPoint(0, 0) << black;
    QTest::newRow("stretch outline above top bar") << "stretch_digit_0" << QPoint(104, 9) << lightGrey;
    QTest::newRow("stretch top bar edge") << "stretch_digit_0" << QPoint(104, 10) << red;

    QTest::newRow("lcd separator dot") << "lcd_separator" << QPoint(1, 1) << black;
    QTest::newRow("lcd separator corner") << "lcd_separator" << QPoint(2, 3) << grey;
    QTest::newRow("lcd separator gap") << "lcd_separator" << QPoint(1, 5) << green;
    QTest::newRow("lcd separator lower dot") << "lcd_separator" << QPoint(1, 9) << black;
    QTest::newRow("led separator dot") << "led_separator" << QPoint(1, 8) << red;
    QTest::newRow("led separator corner") << "led_separator" << QPoint(0, 10) << grey;
    QTest::newRow("led separator gap") << "led_separator" << QPoint(1, 4) << black;
    QTest::newRow("stretch separator square") << "stretch_separator" << QPoint(7, 7) << red;
    QTest::newRow("stretch separator outline") << "stretch_separator" << QPoint(7, 0) << lightGrey;
    QTest::newRow("stretch separator round corner") << "stretch_separator" << QPoint(0, 0) << black;
    QTest::newRow("stretch separator gap") << "stretch_separator" << QPoint(7, 14) << black;
    QTest::newRow("stretch separator gap end") << "stretch_separator" << QPoint(7, 33) << black;
    QTest::newRow("stretch separator lower square") << "stretch_separator" << QPoint(7, 40) << red;

    QTest::newRow("lcd frame outer top") << "lcd_frame" << QPoint(50, 0) << grey;
    QTest::newRow("lcd frame inner left") << "lcd_frame" << QPoint(1, 20) << black;
    QTest::newRow("lcd frame inner bottom") << "lcd_frame" << QPoint(50, 37) << lightGrey;
    QTest::newRow("lcd frame outer right") << "lcd_frame" << QPoint(103, 20) << white;
    QTest::newRow("lcd frame face") << "lcd_frame" << QPoint(2, 2) << green;
    QTest::newRow("stretch background") << "stretch_background" << QPoint(1001, 393) << black;

    QTest::newRow("square dial frame") << "dial_square" << QPoint(0, 60) << black;
    QTest::newRow("square dial frame grey") << "dial_square" << QPoint(60, 2) << frameGrey;
    QTest::newRow("square dial frame inner") << "dial_square" << QPoint(124, 60) << black;
    QTest::newRow("square dial face") << "dial_square" << QPoint(4, 4) << white;
    QTest::newRow("square dial centre") << "dial_square" << QPoint(64, 64) << white;
    QTest::newRow("square dial 12 o'clock end") << "dial_square" << QPoint(63, 12) << black;
    QTest::newRow("square dial beyond 12") << "dial_square" << QPoint(63, 11) << white;
    QTest::newRow("square dial 12 o'clock inner") << "dial_square" << QPoint(64, 25) << black;
    QTest::newRow("square dial below 12 o'clock bar") << "dial_square" << QPoint(64, 26) << white;
    QTest::newRow("square dial 3 o'clock end") << "dial_square" << QPoint(115, 64) << black;
    QTest::newRow("square dial beyond 3") << "dial_square" << QPoint(116, 64) << white;
    QTest::newRow("square dial last row") << "dial_square" << QPoint(0, 128) << QColor(212, 208, 200);
    QTest::newRow("square dial last row end") << "dial_square" << QPoint(127, 128) << QColor(212, 208, 200);

    QTest::newRow("round dial corner") << "dial_round" << QPoint(0, 0) << black;
    QTest::newRow("round dial far corner") << "dial_round" << QPoint(110, 110) << black;
    QTest::newRow("round dial centre") << "dial_round" << QPoint(55, 55) << white;
    QTest::newRow("round dial disc edge") << "dial_round" << QPoint(55, 0) << white;
    QTest::newRow("round dial 12 o'clock end") << "dial_round" << QPoint(55, 4) << black;
    QTest::newRow("round dial beyond 12") << "dial_round" << QPoint(55, 3) << white;
    QTest::newRow("round dial 3 o'clock end") << "dial_round" << QPoint(106, 55) << black;
    QTest::newRow("round dial beyond 3") << "dial_round" << QPoint(107, 55) << white;
    QTest::newRow("round dial 6 o'clock end") << "dial_round" << QPoint(55, 106) << black;
    QTest::newRow("round dial 9 o'clock end") << "dial_round" << QPoint(4, 55) << black;

    for (const char* name : {"dial_large", "dial_large_copy"}) {
        const QString n = QString::fromLatin1(name);
        QTest::addRow("%s frame", name) << n << QPoint(3, 240) << black;
        QTest::addRow("%s frame grey", name) << n << QPoint(240, 10) << frameGrey;
        QTest::addRow("%s frame inner", name) << n << QPoint(465, 240) << black;
        QTest::addRow("%s face", name) << n << QPoint(15, 15) << white;
        QTest::addRow("%s 12 o'clock end", name) << n << QPoint(238, 38) << black;
        QTest::addRow("%s beyond 12", name) << n << QPoint(238, 37) << white;
        QTest::addRow("%s 12 o'clock inner", name) << n << QPoint(238, 91) << black;
        QTest::addRow("%s below 12 o'clock bar", name) << n << QPoint(238, 92) << white;
        QTest::addRow("%s 3 o'clock end", name) << n << QPoint(435, 236) << black;
        QTest::addRow("%s beyond 3", name) << n << QPoint(436, 236) << white;
        QTest::addRow("%s centre", name) << n << QPoint(238, 236) << white;
    }
}

void TestPictures::characteristicPixels()
{
    QFETCH(QString, name);
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    const QImage image = imageOf(name);
    QVERIFY(image.rect().contains(pixel));
    QCOMPARE(image.pixelColor(pixel), colour);
}

void TestPictures::ledSevenLosesOnlyABlackColumn()
{
    // the other LED digits keep a black right-hand column, so the narrower 7
    // shows the same figure, only one pixel narrower
    for (int d = 0; d <= 9; ++d) {
        const QImage image = imageOf(QStringLiteral("led_digit_%1").arg(d));
        if (d == 7)
            continue;
        for (int y = 0; y < image.height(); ++y)
            QCOMPARE(image.pixelColor(17, y), QColor(0, 0, 0));
    }
    const QImage seven = imageOf(QStringLiteral("led_digit_7"));
    for (int y = 0; y < seven.height(); ++y)
        QCOMPARE(seven.pixelColor(0, y), QColor(0, 0, 0));
}

void TestPictures::largeDialCopiesDifferOnlyInTheTickRing()
{
    const QImage first = imageOf(QStringLiteral("dial_large"));
    const QImage second = imageOf(QStringLiteral("dial_large_copy"));
    QCOMPARE(first.size(), second.size());
    int differing = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            if (first.pixel(x, y) == second.pixel(x, y))
                continue;
            ++differing;
            // the minute ticks reach from radius 176 to 198 around (238, 236)
            const double r = std::hypot(x + 0.5 - 238, y + 0.5 - 236);
            QVERIFY2(r > 174 && r < 200, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    QVERIFY(differing > 0);
    QVERIFY(differing < 1000);
}

void TestPictures::smallDialsCarryAMonogramBelowTheCentre_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("centre");
    QTest::newRow("square") << "dial_square" << QPoint(64, 64);
    QTest::newRow("round") << "dial_round" << QPoint(55, 55);
}

void TestPictures::smallDialsCarryAMonogramBelowTheCentre()
{
    QFETCH(QString, name);
    QFETCH(QPoint, centre);
    const QImage image = imageOf(name);
    const QColor mark(132, 130, 132);
    int below = 0;
    int elsewhere = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != mark)
                continue;
            const bool underCentre = std::abs(x - centre.x()) <= 6 && y > centre.y() + 8
                && y < centre.y() + 30;
            ++(underCentre ? below : elsewhere);
        }
    QVERIFY(below >= 10);
    if (name == QLatin1String("dial_round"))
        QCOMPARE(elsewhere, 0);
}

void TestPictures::monogramIsARainbowOnTransparentGround()
{
    const QImage image = pictures::monogram().toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(image.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 32), QPoint(50, 0), QPoint(0, 0)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);

    // the fill runs from red at the left to violet at the right; the shadow
    // falls to the lower right
    const QColor left = image.pixelColor(5, 4);
    const QColor right = image.pixelColor(45, 15);
    QCOMPARE(left.alpha(), 255);
    QCOMPARE(right.alpha(), 255);
    QVERIFY(left.red() > 200 && left.green() < 100 && left.blue() < 100);
    QVERIFY(right.blue() > 150 && right.green() < 100);
    int opaque = 0;
    int blackPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            opaque += qAlpha(p) == 255;
            blackPixels += qAlpha(p) == 255 && qRed(p) + qGreen(p) + qBlue(p) == 0;
        }
    QVERIFY(opaque > 400);
    QVERIFY(blackPixels > 30);
}

void TestPictures::clockIconHasSixteenColours()
{
    const QIcon icon = pictures::clockIcon();
    QVERIFY(!icon.isNull());
    const QImage image = QImage(pictures::path(QStringLiteral("icon")));
    QCOMPARE(image.size(), QSize(16, 16));
    QVERIFY(image.colorCount() > 0 && image.colorCount() <= 16);

    QCOMPARE(image.pixelColor(0, 0), QColor(255, 255, 0));   // corner mark
    QCOMPARE(image.pixelColor(1, 2), QColor(0, 0, 128));     // dark blue ground
    QCOMPARE(image.pixelColor(0, 7), QColor(0, 0, 0));       // outline
    QCOMPARE(image.pixelColor(1, 7), QColor(128, 128, 128)); // ring
    QCOMPARE(image.pixelColor(4, 10), QColor(255, 255, 255)); // face
    // hands from the centre to 12 and to 3
    for (int y = 3; y <= 8; ++y)
        QCOMPARE(image.pixelColor(7, y), QColor(0, 0, 0));
    for (int x = 7; x <= 11; ++x)
        QCOMPARE(image.pixelColor(x, 8), QColor(0, 0, 0));
    std::set<QRgb> used;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            used.insert(image.pixel(x, y));
    QCOMPARE(used.size(), std::size_t(5));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
