// The drawing behind the pictures: pixel-centre sampling, outlines, the
// seven-segment figure and the dial marks.

#include "Dials.h"
#include "Mask.h"
#include "SevenSegment.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <numbers>

using sevenseg::Design;

Q_DECLARE_METATYPE(Design)
Q_DECLARE_METATYPE(dials::Marks)
Q_DECLARE_METATYPE(std::function<QImage()>)

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void polygonTakesPixelsWithCentreInside_data();
    void polygonTakesPixelsWithCentreInside();
    void ringAndEdge_data();
    void ringAndEdge();
    void roundedRectCutsOnlyTheCorners();
    void segmentsStayApartAndInside_data();
    void segmentsStayApartAndInside();
    void figureIsSymmetric_data();
    void figureIsSymmetric();
    void digitsDifferAndOutOfRangeIsNull();
    void dialMarksStandOnTheirRadius_data();
    void dialMarksStandOnTheirRadius();
};

void TestArtwork::polygonTakesPixelsWithCentreInside_data()
{
    QTest::addColumn<QPolygonF>("polygon");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::newRow("whole pixels") << QPolygonF(QRectF(1, 1, 3, 2)) << 6 << QPoint(3, 2) << QPoint(4, 2);
    // an edge through the pixel centres decides the same way every time
    QTest::newRow("edges on centres") << QPolygonF(QRectF(1.5, 1.5, 2, 2)) << 4 << QPoint(1, 1)
                                      << QPoint(3, 3);
    QTest::newRow("narrower than a pixel") << QPolygonF(QRectF(2.2, 0.2, 0.6, 5.6)) << 6
                                           << QPoint(2, 4) << QPoint(3, 4);
    QTest::newRow("pointed bar") << QPolygonF({QPointF(0, 1.5), QPointF(1.5, 0), QPointF(4.5, 0),
                                               QPointF(6, 1.5), QPointF(4.5, 3), QPointF(1.5, 3)})
                                 << 6 + 4 + 4 << QPoint(0, 1) << QPoint(0, 0);
}

void TestArtwork::polygonTakesPixelsWithCentreInside()
{
    QFETCH(QPolygonF, polygon);
    QFETCH(int, count);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    Mask mask(8, 8);
    mask.fillPolygon(polygon);
    QCOMPARE(mask.count(), count);
    QVERIFY(mask.at(inside.x(), inside.y()));
    QVERIFY(!mask.at(outside.x(), outside.y()));
}

void TestArtwork::ringAndEdge_data()
{
    QTest::addColumn<QRect>("block");
    QTest::addColumn<int>("ring");
    QTest::addColumn<int>("edge");
    QTest::newRow("single pixel") << QRect(3, 3, 1, 1) << 8 << 1;
    QTest::newRow("block") << QRect(2, 2, 4, 4) << 20 << 12;
    QTest::newRow("in the corner") << QRect(0, 0, 1, 1) << 3 << 1;
    QTest::newRow("whole picture") << QRect(0, 0, 8, 8) << 0 << 28;
}

void TestArtwork::ringAndEdge()
{
    QFETCH(QRect, block);
    QFETCH(int, ring);
    QFETCH(int, edge);
    Mask mask(8, 8);
    mask.fillRect(block.x(), block.y(), block.width(), block.height());
    const Mask around = mask.ring();
    QCOMPARE(around.count(), ring);
    Mask overlap = around;
    overlap.subtract(mask);
    QCOMPARE(overlap.count(), ring); // the ring lies wholly outside
    const Mask border = mask.edge();
    QCOMPARE(border.count(), edge);
    Mask inner = border;
    inner.subtract(mask);
    QCOMPARE(inner.count(), 0); // the edge lies wholly inside
}

void TestArtwork::roundedRectCutsOnlyTheCorners()
{
    Mask plain(15, 14);
    plain.fillRoundedRect(QRectF(0, 0, 15, 14), 0);
    QCOMPARE(plain.count(), 15 * 14);
    Mask rounded(15, 14);
    rounded.fillRoundedRect(QRectF(0, 0, 15, 14), 4);
    QVERIFY(!rounded.at(0, 0) && !rounded.at(14, 0) && !rounded.at(0, 13) && !rounded.at(14, 13));
    QVERIFY(rounded.at(7, 0) && rounded.at(0, 7) && rounded.at(14, 7) && rounded.at(7, 13));
    QVERIFY(rounded.count() > 15 * 14 - 4 * 4);
}

namespace {

void addDesigns()
{
    QTest::addColumn<Design>("design");
    QTest::newRow("lcd") << sevenseg::lcd();
    QTest::newRow("led") << sevenseg::led();
    QTest::newRow("stretch") << sevenseg::stretch();
}

Mask segmentMask(const Design& design, int s)
{
    Mask mask(design.size.width(), design.size.height());
    mask.fillPolygon(sevenseg::segmentPolygon(design, static_cast<sevenseg::Segment>(s)));
    return mask;
}

} // namespace

void TestArtwork::segmentsStayApartAndInside_data()
{
    addDesigns();
}

void TestArtwork::segmentsStayApartAndInside()
{
    QFETCH(Design, design);
    const int w = design.size.width();
    const int h = design.size.height();
    Mask all(w, h);
    int total = 0;
    for (int s = sevenseg::A; s < sevenseg::SegmentCount; ++s) {
        const Mask one = segmentMask(design, s);
        QVERIFY(one.count() > 0);
        total += one.count();
        all.unite(one);
    }
    QCOMPARE(all.count(), total); // no pixel belongs to two segments

    // the figure fills its box exactly, leaving room for an outline
    const int left = static_cast<int>(design.box.left());
    const int right = static_cast<int>(design.box.right());
    const int top = static_cast<int>(design.box.top());
    const int bottom = static_cast<int>(design.box.bottom());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (all.at(x, y))
                QVERIFY(x >= left && x < right && y >= top && y < bottom);
    const int middle = (left + right) / 2;
    const int upper = top + (bottom - top) / 4;
    QVERIFY(all.at(middle, top) && all.at(middle, bottom - 1));
    QVERIFY(all.at(left, upper) && all.at(right - 1, upper));
    const int room = design.outline ? 2 : 1;
    QVERIFY(left >= room && top >= room && right <= w - room && bottom <= h - room);

    // every bar is as thick as the design says
    const Mask topBar = segmentMask(design, sevenseg::A);
    int thickness = 0;
    for (int y = 0; y < h; ++y)
        thickness += topBar.at(middle, y);
    QCOMPARE(thickness, static_cast<int>(design.thickness));
}

void TestArtwork::figureIsSymmetric_data()
{
    addDesigns();
}

void TestArtwork::figureIsSymmetric()
{
    QFETCH(Design, design);
    const QImage eight = sevenseg::render(design, 8);
    const QRect box = design.box.toRect();
    const int mirrorX = box.left() + box.right();
    const int mirrorY = box.top() + box.bottom();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            QCOMPARE(eight.pixel(x, y), eight.pixel(mirrorX - x, y));
            QCOMPARE(eight.pixel(x, y), eight.pixel(x, mirrorY - y));
        }
}

void TestArtwork::digitsDifferAndOutOfRangeIsNull()
{
    for (const Design& design : {sevenseg::lcd(), sevenseg::led(), sevenseg::stretch()}) {
        for (int a = 0; a <= 9; ++a)
            for (int b = a + 1; b <= 9; ++b)
                QVERIFY(sevenseg::render(design, a) != sevenseg::render(design, b));
        QVERIFY(sevenseg::render(design, -1).isNull());
        QVERIFY(sevenseg::render(design, 10).isNull());
    }
}

void TestArtwork::dialMarksStandOnTheirRadius_data()
{
    QTest::addColumn<std::function<QImage()>>("dial");
    QTest::addColumn<dials::Marks>("marks");
    QTest::addColumn<int>("minute");
    for (int minute = 0; minute < 60; ++minute) {
        QTest::addRow("square %d", minute) << std::function<QImage()>(dials::square)
                                           << dials::squareMarks() << minute;
        QTest::addRow("round %d", minute) << std::function<QImage()>(dials::round)
                                          << dials::roundMarks() << minute;
        QTest::addRow("large %d", minute) << std::function<QImage()>([] { return dials::large(); })
                                          << dials::largeMarks() << minute;
    }
}

void TestArtwork::dialMarksStandOnTheirRadius()
{
    QFETCH(std::function<QImage()>, dial);
    QFETCH(dials::Marks, marks);
    QFETCH(int, minute);
    const QImage image = dial();
    const double angle = minute * std::numbers::pi / 30;
    const QPointF along(std::sin(angle), -std::cos(angle));
    const double length = minute % 5 == 0 ? marks.hourLength : marks.minuteLength;
    const auto colourAt = [&](double r) {
        const QPointF p = marks.centre + along * r;
        return image.pixelColor(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
    };
    const QColor black(0, 0, 0), white(255, 255, 255);
    QCOMPARE(colourAt(marks.radius + 1.5), white);
    QCOMPARE(colourAt(marks.radius - 1.5), black);
    QCOMPARE(colourAt(marks.radius - length + 1.5), black);
    QCOMPARE(colourAt(marks.radius - length - 1.5), white);
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
