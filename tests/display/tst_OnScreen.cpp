#include "AnalogForm.h"
#include "MaxiForm.h"
#include "OnScreen.h"

#include <QTest>

#include <cmath>

// Pure placement rules of the display windows: keeping a window on a screen,
// the circle of the round clock and the opening size of the large clock.
class TestOnScreen : public QObject {
    Q_OBJECT

private slots:
    void keepOnScreen_data();
    void keepOnScreen();
    void fitOnScreen_data();
    void fitOnScreen();
    void roundCircle_data();
    void roundCircle();
    void circlePixels_data();
    void circlePixels();
    void maxiOpening_data();
    void maxiOpening();
};

namespace {
const QRect kLeft(0, 0, 1280, 1024);
const QRect kRight(1280, 0, 1920, 1080);
} // namespace

void TestOnScreen::keepOnScreen_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QPoint>("expected");

    const QList<QRect> one{kLeft};
    const QList<QRect> two{kLeft, kRight};
    QTest::newRow("on screen") << QRect(100, 100, 120, 88) << one << QPoint(100, 100);
    QTest::newRow("top-left corner") << QRect(0, 0, 120, 88) << one << QPoint(0, 0);
    QTest::newRow("partly off, a grip shows") << QRect(1250, 100, 120, 88) << one << QPoint(1250, 100);
    QTest::newRow("only a sliver shows") << QRect(1275, 100, 120, 88) << one << QPoint(1160, 100);
    QTest::newRow("off to the right") << QRect(2000, 100, 120, 88) << one << QPoint(1160, 100);
    QTest::newRow("below") << QRect(100, 1500, 120, 88) << one << QPoint(100, 936);
    QTest::newRow("negative") << QRect(-500, -300, 120, 88) << one << QPoint(0, 0);
    QTest::newRow("off right and below") << QRect(5000, 4000, 120, 88) << one << QPoint(1160, 936);
    QTest::newRow("on the second screen") << QRect(1500, 200, 120, 88) << two << QPoint(1500, 200);
    QTest::newRow("beyond the second screen") << QRect(3300, 50, 120, 88) << two << QPoint(3080, 50);
    QTest::newRow("below the shorter screen") << QRect(100, 1050, 120, 88) << two << QPoint(100, 936);
    QTest::newRow("below the taller screen") << QRect(2000, 1200, 120, 88) << two << QPoint(2000, 992);
    QTest::newRow("larger than the screen") << QRect(5000, 5000, 1500, 1200) << one << QPoint(0, 0);
    QTest::newRow("no screens") << QRect(-900, -900, 120, 88) << QList<QRect>() << QPoint(-900, -900);
}

void TestOnScreen::fitOnScreen_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("expected");
    const QList<QRect> two{kLeft, kRight};
    QTest::newRow("fits: kept") << QRect(100, 50, 630, 604) << two << QRect(100, 50, 630, 604);
    QTest::newRow("reaches past the edge: kept") << QRect(1000, 600, 630, 604) << two << QRect(1000, 600, 630, 604);
    QTest::newRow("too wide: only shrunk") << QRect(100, 50, 2048, 860) << two << QRect(100, 50, 1280, 860);
    QTest::newRow("past the second screen: kept") << QRect(2500, 100, 1024, 430) << two << QRect(2500, 100, 1024, 430);
    QTest::newRow("largest value") << QRect(0, 0, 32767, 32767) << two << QRect(0, 0, 1280, 1024);
    QTest::newRow("largest value, placed") << QRect(100, 100, 32767, 32767) << two << QRect(100, 100, 1280, 1024);
    QTest::newRow("mostly on the second screen") << QRect(1000, -200, 1024, 430) << two << QRect(1000, -200, 1024, 430);
    QTest::newRow("outside every screen") << QRect(-3000, 2000, 800, 600) << two << QRect(0, 424, 800, 600);
    QTest::newRow("too large, outside") << QRect(5000, 5000, 2000, 1500) << two << QRect(1280, 0, 1920, 1080);
}

void TestOnScreen::fitOnScreen()
{
    QFETCH(QRect, window);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, expected);
    QCOMPARE(::fitOnScreen(window, screens), expected);
}

void TestOnScreen::keepOnScreen()
{
    QFETCH(QRect, window);
    QFETCH(QList<QRect>, screens);
    QFETCH(QPoint, expected);
    const QPoint to = ::keepOnScreen(window, screens);
    QCOMPARE(to, expected);
    if (!screens.isEmpty() && to != window.topLeft()) {
        // a moved window lies wholly on one screen, where it fits
        const QRect moved(to, window.size());
        bool whole = false;
        for (const QRect& s : screens)
            whole = whole || s.contains(moved) || (window.width() > s.width() && moved.topLeft() == s.topLeft());
        QVERIFY(whole);
    }
}

void TestOnScreen::roundCircle_data()
{
    QTest::addColumn<QRect>("dial");
    QTest::addColumn<QRect>("expected");
    // the round clock: its dial at 5, 6 pixels, 111 across, in a 122 x 121 client area
    QTest::newRow("round clock") << QRect(5, 6, 111, 111) << QRect(0, 1, 120, 120);
    QTest::newRow("even dial") << QRect(10, 10, 100, 100) << QRect(0, 0, 120, 120);
    QTest::newRow("odd offset") << QRect(3, 8, 101, 111) << QRect(-7, 3, 120, 120);
}

void TestOnScreen::roundCircle()
{
    QFETCH(QRect, dial);
    QFETCH(QRect, expected);
    const QRect circle = roundWindowCircle(dial);
    QCOMPARE(circle, expected);
    const QPointF offset = QRectF(circle).center() - QRectF(dial).center();
    QVERIFY(qAbs(offset.x()) <= 0.5);
    QVERIFY(qAbs(offset.y()) <= 0.5);
}

void TestOnScreen::circlePixels_data()
{
    QTest::addColumn<QRect>("square");
    QTest::newRow("round clock") << QRect(0, 1, 120, 120);
    QTest::newRow("small, off the origin") << QRect(-7, 3, 21, 21);
}

void TestOnScreen::circlePixels()
{
    QFETCH(QRect, square);
    const QRegion region = circleRegion(square);
    QCOMPARE(region.boundingRect(), square);
    const QPointF centre = QRectF(square).center();
    const double r = square.width() / 2.0;
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x = square.left(); x <= square.right(); ++x) {
            const double d = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
            // the edge is as exact as whole pixels allow
            if (d <= r - 0.75)
                QVERIFY2(region.contains(QPoint(x, y)), qPrintable(QStringLiteral("%1,%2 missing").arg(x).arg(y)));
            if (d >= r + 0.75)
                QVERIFY2(!region.contains(QPoint(x, y)), qPrintable(QStringLiteral("%1,%2 extra").arg(x).arg(y)));
            // and round in every direction: mirrored left-right and top-bottom
            const int mx = square.left() + square.right() - x;
            const int my = square.top() + square.bottom() - y;
            QCOMPARE(region.contains(QPoint(x, y)), region.contains(QPoint(mx, y)));
            QCOMPARE(region.contains(QPoint(x, y)), region.contains(QPoint(x, my)));
        }
    }
}

void TestOnScreen::maxiOpening_data()
{
    QTest::addColumn<int>("savedWidth");
    QTest::addColumn<int>("savedHeight");
    QTest::addColumn<QSizeF>("expected");
    const QSizeF design(9360 + 90, 8685 + 375);
    QTest::newRow("nothing saved") << 0 << 0 << design;
    QTest::newRow("negative") << -3000 << 9000 << design;
    QTest::newRow("too narrow") << 2339 << 9000 << design;
    QTest::newRow("too low") << 9000 << 2624 << design;
    QTest::newRow("smallest usable") << 2340 << 2625 << QSizeF(2340, 2625);
    QTest::newRow("saved size") << 12000 << 9000 << QSizeF(12000, 9000);
}

void TestOnScreen::maxiOpening()
{
    QFETCH(int, savedWidth);
    QFETCH(int, savedHeight);
    QFETCH(QSizeF, expected);
    QCOMPARE(maxiOpeningSize(savedWidth, savedHeight), expected);
}

QTEST_GUILESS_MAIN(TestOnScreen)
#include "tst_OnScreen.moc"
