#include "Controls.h"
#include "MaxiHands.h"
#include "RuntimeError.h"
#include "Twips.h"

#include <QImage>
#include <QtTest>

namespace {

bool isRed(const QColor& c) { return c.alpha() > 200 && c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool isBlack(const QColor& c) { return c.alpha() > 200 && c.red() < 40 && c.green() < 40 && c.blue() < 40; }
bool isWhite(const QColor& c) { return c.alpha() > 250 && c.red() > 250 && c.green() > 250 && c.blue() > 250; }

QList<QPoint> storedEnds(const MaxiHandState& s)
{
    QList<QPoint> ends;
    for (const auto& row : s.intZeiger)
        ends << QPoint(row[0], row[1]);
    return ends;
}

// The clock box as the window makes it: solid white fill, no border.
void makeClockBox(PictureBox& box, int widthPx, int heightPx)
{
    box.setFillSolid(Qt::white);
    box.resize(widthPx, heightPx);
}

} // namespace

class TestMaxiHands : public QObject {
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void endPoints_data();
    void endPoints();
    void offTheStepDrawsNothing();
    void wideWindowKeepsRunning();
    void discCoversOldHands();
    void resizeLayout_data();
    void resizeLayout();
};

void TestMaxiHands::geometry_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QList<int>>("lengths"); // second, minute, hour
    QTest::addColumn<QPoint>("mitte");

    QTest::newRow("square 7200") << 7200.0 << 7200.0 << QList<int>{1946, 1895, 1440} << QPoint(3540, 3510);
    QTest::newRow("design size 7200 x 7180: from the height") << 7200.0 << 7180.0 << QList<int>{1941, 1889, 1436}
                                                              << QPoint(3540, 3500);
    QTest::newRow("width 7215: 3547.5 rounds to even") << 7215.0 << 7170.0 << QList<int>{1938, 1887, 1434}
                                                        << QPoint(3548, 3495);
    QTest::newRow("wide and low: lengths from the height") << 15000.0 << 3000.0 << QList<int>{811, 789, 600}
                                                           << QPoint(7440, 1410);
    QTest::newRow("portrait: lengths from the width") << 3000.0 << 15000.0 << QList<int>{811, 789, 600}
                                                      << QPoint(1440, 7410);
}

void TestMaxiHands::geometry()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QList<int>, lengths);
    QFETCH(QPoint, mitte);

    MaxiHandState s;
    updateMaxiHands(s, width, height, 0);
    QCOMPARE((QList<int>{s.lngLaengeSec, s.lngLaengeMin, s.lngLaengeStd}), lengths);
    QCOMPARE(QPoint(s.lngMitteX, s.lngMitteY), mitte);
}

void TestMaxiHands::endPoints_data()
{
    QTest::addColumn<int>("zeit");
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<QPoint>("minute");
    QTest::addColumn<QPoint>("hour");

    // the square clock box of 7200 twips
    const QPoint secondUp(3540, 1564);
    const QPoint minuteUp(3540, 1615);
    const QPoint hourUp(3540, 2070);
    QTest::newRow("midnight") << 0 << secondUp << minuteUp << hourUp;
    QTest::newRow("15 s") << 15 << QPoint(5486, 3510) << minuteUp << hourUp;
    QTest::newRow("13:30:00") << 48600 << secondUp << QPoint(3540, 5405) << QPoint(4558, 2492);
}

void TestMaxiHands::endPoints()
{
    QFETCH(int, zeit);
    QFETCH(QPoint, second);
    QFETCH(QPoint, minute);
    QFETCH(QPoint, hour);

    MaxiHandState s;
    QVERIFY(updateMaxiHands(s, 7200, 7200, zeit));
    QCOMPARE(storedEnds(s), (QList<QPoint>{second, minute, hour}));
}

void TestMaxiHands::offTheStepDrawsNothing()
{
    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeClockBox(box, 480, 478);
    MaxiHandState s;
    analogzeitMaxi(s, box, 15);
    const QImage before = box.drawing().copy();
    const QList<QPoint> endsBefore = storedEnds(s);

    analogzeitMaxi(s, box, 17);
    QCOMPARE(box.drawing(), before); // neither the disc nor the hands
    QCOMPARE(storedEnds(s), endsBefore);
    QCOMPARE(int(s.intSekunden), 17);

    MaxiHandState fresh;
    QVERIFY(!updateMaxiHands(fresh, 7200, 7200, 7));
    QCOMPARE(fresh.lngLaengeSec, 1946); // lengths and centre are taken even so
    QCOMPARE(storedEnds(fresh), (QList<QPoint>{{0, 0}, {0, 0}, {0, 0}}));
}

void TestMaxiHands::wideWindowKeepsRunning()
{
    // the second hand at 3 o'clock ends beyond 32767 twips on a large box
    MaxiHandState s;
    QVERIFY(updateMaxiHands(s, 70000, 70000, 15));
    QCOMPARE(s.intZeiger[0][0], 18919 + 34940);

    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeClockBox(box, 3000, 100);
    MaxiHandState drawn;
    try {
        analogzeitMaxi(drawn, box, 15);
    } catch (const RuntimeError& e) {
        QFAIL(qPrintable(e.text()));
    }
    QCOMPARE(drawn.intZeiger[0][0], 405 + 22440);
    QVERIFY(isRed(box.drawing().pixelColor(1509, 44))); // centre y 660 twips
}

void TestMaxiHands::discCoversOldHands()
{
    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeClockBox(box, 480, 478); // 7200 x 7170 twips: centre (236, 233) px
    MaxiHandState s;
    analogzeitMaxi(s, box, 0);
    const QImage& layer = box.drawing();
    QVERIFY(isBlack(layer.pixelColor(242, 160))); // the 16-pixel hour hand, straight up
    QVERIFY(isRed(layer.pixelColor(236, 120)));   // the second hand lies on top
    QCOMPARE(layer.pixelColor(5, 5).alpha(), 0);  // outside the disc nothing is drawn
    QCOMPARE(box.drawWidth(), 3);                 // left over for the next disc's outline

    analogzeitMaxi(s, box, 3 * 3600); // 03:00:00
    QVERIFY(isWhite(layer.pixelColor(242, 160))); // the old hour hand is covered
    QVERIFY(isBlack(layer.pixelColor(300, 240))); // the hour hand points right
    QVERIFY(isRed(layer.pixelColor(236, 120)));
    QCOMPARE(layer.pixelColor(5, 5).alpha(), 0);
}

void TestMaxiHands::resizeLayout_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QRectF>("dial");

    QTest::newRow("square") << 9000.0 << 9000.0 << QRectF(30, 30, 8880, 8880);
    QTest::newRow("design size: round, centred on a pixel") << 7200.0 << 7180.0 << QRectF(45, 30, 7060, 7060);
    QTest::newRow("wide and low") << 15000.0 << 3000.0 << QRectF(6030, 30, 2880, 2880);
    QTest::newRow("portrait") << 3000.0 << 15000.0 << QRectF(30, 6030, 2880, 2880);
    QTest::newRow("tiny: never below 0") << 90.0 << 150.0 << QRectF(30, 45, 0, 0);
}

void TestMaxiHands::resizeLayout()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QRectF, dial);

    const MaxiLayout l = maxiLayout(width, height);
    QCOMPARE(l.picUhr, QSizeF(width, height));
    QCOMPARE(QRectF(l.imgUhrPos, l.imgUhr), dial);

    QWidget window;
    PictureBox picUhr(QStringLiteral("picUhr"), &window);
    ImageBox imgUhr(QStringLiteral("imgUhr(0)"), &picUhr);
    imgUhr.setStretch(true);
    applyMaxiLayout(l, picUhr, imgUhr);
    QCOMPARE(controlTop(&picUhr), 30.0);
    QCOMPARE(imgUhr.geometry(), twips::toPixelRect(dial.left(), dial.top(), dial.width(), dial.height()));
    QVERIFY(qAbs(controlWidth(&picUhr) - width) <= 7.5);
}

QTEST_MAIN(TestMaxiHands)
#include "tst_MaxiHands.moc"
