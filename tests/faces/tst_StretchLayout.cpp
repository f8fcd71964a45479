#include "Controls.h"
#include "DigitalFace.h"
#include "StretchLayout.h"

#include <QtTest>

namespace {

// Positions are fractional twips: equal to within a hundredth of a twip.
bool near(double actual, double expected) { return qAbs(actual - expected) < 0.01; }

#define COMPARE_NEAR(actual, expected)                                                                 \
    QVERIFY2(near((actual), (expected)),                                                               \
             qPrintable(QStringLiteral("%1 is %2, expected %3").arg(#actual).arg(actual, 0, 'f', 4).arg(expected)))

} // namespace

class TestStretchLayout : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void applied();
};

void TestStretchLayout::layout_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("g");
    QTest::addColumn<QSizeF>("image1");
    QTest::addColumn<QRectF>("std1");
    QTest::addColumn<double>("std2Left");
    QTest::addColumn<QPointF>("sec");
    QTest::addColumn<double>("min1Left");
    QTest::addColumn<double>("min2Left");
    QTest::addColumn<QPointF>("label");

    QTest::newRow("load size 1024 x 430 px")
        << 15360.0 << 6450.0 << 307 << QSizeF(15052.8, 6321) << QRectF(307.2, 645, 3072, 5160) << 3532.6
        << QPointF(7065.6, 3225) << 7680.0 << 11059.0 << QPointF(14131.2, 5482.5);
    QTest::newRow("W 15375: g rounds 307.5 to even")
        << 15375.0 << 6450.0 << 308 << QSizeF(15067.5, 6321) << QRectF(307.5, 645, 3075, 5160) << 3536.75
        << QPointF(7072.5, 3225) << 7687.5 << 11070.5 << QPointF(14145, 5482.5);
    QTest::newRow("half the load size")
        << 7680.0 << 3225.0 << 154 << QSizeF(7526.4, 3160.5) << QRectF(153.6, 322.5, 1536, 2580) << 1766.8
        << QPointF(3532.8, 1612.5) << 3840.0 << 5530.0 << QPointF(7065.6, 2741.25);
}

void TestStretchLayout::layout()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, g);
    QFETCH(QSizeF, image1);
    QFETCH(QRectF, std1);
    QFETCH(double, std2Left);
    QFETCH(QPointF, sec);
    QFETCH(double, min1Left);
    QFETCH(double, min2Left);
    QFETCH(QPointF, label);

    const StretchLayout l = stretchLayout(width, height);
    QCOMPARE(int(l.g), g);
    COMPARE_NEAR(l.image1Width, image1.width());
    COMPARE_NEAR(l.image1Height, image1.height());
    const double lefts[4] = {std1.left(), std2Left, min1Left, min2Left};
    const TwipBox boxes[4] = {l.imgStd[0], l.imgStd[1], l.imgMin[0], l.imgMin[1]};
    for (int i = 0; i < 4; ++i) {
        COMPARE_NEAR(boxes[i].left, lefts[i]);
        COMPARE_NEAR(boxes[i].top, std1.top());
        COMPARE_NEAR(boxes[i].width, std1.width());
        COMPARE_NEAR(boxes[i].height, std1.height());
    }
    COMPARE_NEAR(l.imgSec.x(), sec.x());
    COMPARE_NEAR(l.imgSec.y(), sec.y());
    COMPARE_NEAR(l.lblSec.x(), label.x());
    COMPARE_NEAR(l.lblSec.y(), label.y());
    QCOMPARE(l.zifferTop, 18000.0);
}

void TestStretchLayout::applied()
{
    QWidget window;
    ImageBox image1(QStringLiteral("Image1"), &window);
    place(&image1, 60, 60, 15090, 5970);
    DigitalFace face;
    for (std::size_t d = 0; d < face.imgZiffer.size(); ++d) {
        face.imgZiffer[d] = new ImageBox(QStringLiteral("imgZiffer(%1)").arg(d), &window);
        place(face.imgZiffer[d], 540 + 1080 * double(d), 8130, 3135, 5580);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        face.imgStd[i] = new ImageBox(QStringLiteral("imgStd(%1)").arg(i + 1), &window);
        face.imgMin[i] = new ImageBox(QStringLiteral("imgMin(%1)").arg(i + 1), &window);
        face.imgStd[i]->setStretch(true);
        face.imgMin[i]->setStretch(true);
    }
    face.imgSec = new ImageBox(QStringLiteral("imgSec"), &window);
    place(face.imgSec, 6960, 2640, 225, 720);
    face.lblSec = new Label(QStringLiteral("lblSec"), QStringLiteral("00"), &window);
    place(face.lblSec, 13920, 4950, 1125, 975);

    applyStretchLayout(stretchLayout(15360, 6450), image1, face);

    QCOMPARE(image1.geometry(), QRect(4, 4, 1004, 421));
    QCOMPARE(face.imgStd[0]->geometry(), QRect(20, 43, 205, 344));
    QCOMPARE(face.imgMin[1]->geometry(), QRect(737, 43, 205, 344));
    QCOMPARE(face.imgSec->geometry(), QRect(471, 215, 15, 48));   // moved, not sized
    QCOMPARE(face.lblSec->geometry(), QRect(942, 366, 75, 65));   // 365.5 px rounds to even
    for (std::size_t d = 0; d < face.imgZiffer.size(); ++d) {
        QCOMPARE(face.imgZiffer[d]->y(), 1200);
        QCOMPARE(controlLeft(face.imgZiffer[d]), 540 + 1080 * double(d));
        QCOMPARE(face.imgZiffer[d]->size(), QSize(209, 372));
    }
}

QTEST_MAIN(TestStretchLayout)
#include "tst_StretchLayout.moc"
