#include "AnalogHands.h"
#include "Controls.h"
#include "Module1.h"

#include <QImage>
#include <QtTest>

namespace {

bool isRed(const QColor& c) { return c.alpha() > 200 && c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool isBlack(const QColor& c) { return c.alpha() > 200 && c.red() < 40 && c.green() < 40 && c.blue() < 40; }

// The round dial's box: 111 x 111 pixels, no border, so 1665 twips inside.
void makeRoundDial(PictureBox& box) { box.resize(111, 111); }

QList<QPoint> storedEnds(const HandState& s)
{
    QList<QPoint> ends;
    for (const auto& row : s.intZeiger)
        ends << QPoint(row[0], row[1]);
    return ends;
}

} // namespace

class TestAnalogHands : public QObject {
    Q_OBJECT

private slots:
    void splitForTheDial_data();
    void splitForTheDial();
    void hourPositionFolds_data();
    void hourPositionFolds();
    void endPoints_data();
    void endPoints();
    void centreFromInnerWidth_data();
    void centreFromInnerWidth();
    void drawsRedSecondHand();
    void offTheStepLeavesDrawing_data();
    void offTheStepLeavesDrawing();
    void yieldsOnlyAfterDrawing();
    void clearsOldHands();
};

void TestAnalogHands::splitForTheDial_data()
{
    QTest::addColumn<int>("zeit");
    QTest::addColumn<float>("stunden");
    QTest::addColumn<int>("minuten");
    QTest::addColumn<int>("sekunden");
    QTest::addColumn<bool>("due");

    QTest::newRow("midnight") << 0 << 0.0f << 0 << 0 << true;
    QTest::newRow("7 s") << 7 << 0.0f << 0 << 7 << false;
    QTest::newRow("13:30:00") << 48600 << 13.0f << 30 << 0 << true;
    QTest::newRow("23:59:55") << 86395 << 23.0f << 59 << 55 << true;
    QTest::newRow("23:59:59") << 86399 << 23.0f << 59 << 59 << false;
    QTest::newRow("25 h from an unchecked start") << 90000 << 25.0f << 0 << 0 << true;
    QTest::newRow("-1 s, floored") << -1 << -1.0f << 59 << 59 << false;
    QTest::newRow("-1 h") << -3600 << -1.0f << 0 << 0 << true;
}

void TestAnalogHands::splitForTheDial()
{
    QFETCH(int, zeit);
    QFETCH(float, stunden);
    QFETCH(int, minuten);
    QFETCH(int, sekunden);
    QFETCH(bool, due);

    const DialTime t = dialTime(zeit);
    QCOMPARE(t.sngStunden, stunden);
    QCOMPARE(t.lngMinuten, minuten);
    QCOMPARE(int(t.intSekunden), sekunden);
    QCOMPARE(handsDue(t), due);
}

void TestAnalogHands::hourPositionFolds_data()
{
    QTest::addColumn<float>("stunden");
    QTest::addColumn<int>("minuten");
    QTest::addColumn<float>("position");

    QTest::newRow("0 stays") << 0.0f << 0 << 0.0f;
    QTest::newRow("12 stays") << 12.0f << 0 << 12.0f;
    QTest::newRow("13:30 folds") << 13.0f << 30 << 1.5f;
    QTest::newRow("23:59") << 23.0f << 59 << float(11 + 59 / 60.0);
    QTest::newRow("25 folds once") << 25.0f << 0 << 13.0f;
    QTest::newRow("-1:30") << -1.0f << 30 << -0.5f;
}

void TestAnalogHands::hourPositionFolds()
{
    QFETCH(float, stunden);
    QFETCH(int, minuten);
    QFETCH(float, position);
    QCOMPARE(hourPosition(stunden, minuten), position);
}

void TestAnalogHands::endPoints_data()
{
    QTest::addColumn<int>("zeit");
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<QPoint>("minute");
    QTest::addColumn<QPoint>("hour");

    const QPoint up(832, 152);
    const QPoint hourUp(832, 412);
    QTest::newRow("midnight") << 0 << up << up << hourUp;
    QTest::newRow("15 s") << 15 << QPoint(1512, 832) << up << hourUp;
    QTest::newRow("30 s") << 30 << QPoint(832, 1512) << up << hourUp;
    QTest::newRow("45 s") << 45 << QPoint(152, 832) << up << hourUp;
    QTest::newRow("12:00:00") << 43200 << up << up << hourUp;
    QTest::newRow("13:30:00") << 48600 << up << QPoint(832, 1512) << QPoint(1129, 535);
    QTest::newRow("23:59:55") << 86395 << QPoint(492, 243) << QPoint(761, 156) << QPoint(828, 412);
    // 654.4985 with the dial's 180 / 3.1416, 654.5003 with 180 / pi
    QTest::newRow("02:10:00") << 7800 << up << QPoint(1421, 492) << QPoint(1213, 654);
}

void TestAnalogHands::endPoints()
{
    QFETCH(int, zeit);
    QFETCH(QPoint, second);
    QFETCH(QPoint, minute);
    QFETCH(QPoint, hour);

    const HandEnds e = handEnds(zeit, 832, 832, kSmallHandLengths);
    QCOMPARE(e.ends[0], second);
    QCOMPARE(e.ends[1], minute);
    QCOMPARE(e.ends[2], hour);

    // the same through the drawing routine, into the shared hand state
    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeRoundDial(box);
    Module1 m;
    analogzeit(m, box, zeit);
    QCOMPARE(m.hands.lngMitteX, 832);
    QCOMPARE(storedEnds(m.hands), (QList<QPoint>{second, minute, hour}));
    QCOMPARE(m.hands.sngStunden, e.sngStunden);
}

void TestAnalogHands::centreFromInnerWidth_data()
{
    QTest::addColumn<bool>("sunken");
    QTest::addColumn<int>("mitte");

    QTest::newRow("round dial, 1665 twips: half rounds to even") << false << 832;
    QTest::newRow("square dial with border: inner 1845 twips") << true << 922;
}

void TestAnalogHands::centreFromInnerWidth()
{
    QFETCH(bool, sunken);
    QFETCH(int, mitte);

    PictureBox box(QStringLiteral("picUhr"), nullptr);
    box.setSunkenBorder(sunken);
    box.resize(sunken ? 127 : 111, 132);
    Module1 m;
    analogzeit(m, box, 0);
    QCOMPARE(m.hands.lngMitteX, mitte);
    QCOMPARE(int(m.hands.intZeiger[1][0]), mitte); // the minute hand points straight up from it
}

void TestAnalogHands::drawsRedSecondHand()
{
    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeRoundDial(box);
    Module1 m;
    analogzeit(m, box, 15);

    const QImage& layer = box.drawing();
    QCOMPARE(layer.size(), QSize(111, 111));
    // the second hand runs right from the centre (55.5 px) to 1512 twips (100.8 px)
    QVERIFY(isRed(layer.pixelColor(98, 55)));
    QVERIFY(isRed(layer.pixelColor(70, 55)));
    // minute and hour hand point up, black; second hand drawn with width 1 only
    QVERIFY(isBlack(layer.pixelColor(55, 15)));
    QVERIFY(isBlack(layer.pixelColor(55, 35)));
    QCOMPARE(layer.pixelColor(98, 57).alpha(), 0);
    // far from every hand nothing is drawn
    QCOMPARE(layer.pixelColor(10, 100).alpha(), 0);
    QCOMPARE(layer.pixelColor(100, 100).alpha(), 0);
    QCOMPARE(box.drawWidth(), 1);
    QCOMPARE(box.foreColor(), colorFromValue(255));
}

void TestAnalogHands::offTheStepLeavesDrawing_data()
{
    QTest::addColumn<int>("zeit");
    QTest::newRow("7") << 7;
    QTest::newRow("16") << 16;
    QTest::newRow("23:59:59") << 86399;
}

void TestAnalogHands::offTheStepLeavesDrawing()
{
    QFETCH(int, zeit);

    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeRoundDial(box);
    Module1 m;
    analogzeit(m, box, 15);
    const QImage before = box.drawing().copy();
    const QList<QPoint> endsBefore = storedEnds(m.hands);

    analogzeit(m, box, zeit);
    QCOMPARE(box.drawing(), before);
    QCOMPARE(storedEnds(m.hands), endsBefore);
    QCOMPARE(int(m.hands.intSekunden), dialTime(zeit).intSekunden); // the time parts are written
}

void TestAnalogHands::yieldsOnlyAfterDrawing()
{
    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeRoundDial(box);
    Module1 m;
    bool ran = false;
    QMetaObject::invokeMethod(this, [&ran] { ran = true; }, Qt::QueuedConnection);

    analogzeit(m, box, 7);
    QVERIFY(!ran); // no redraw, no yield
    analogzeit(m, box, 10);
    QVERIFY(ran);
}

void TestAnalogHands::clearsOldHands()
{
    PictureBox box(QStringLiteral("picUhr"), nullptr);
    makeRoundDial(box);
    Module1 m;
    analogzeit(m, box, 15);
    analogzeit(m, box, 30);
    const QImage& layer = box.drawing();
    QCOMPARE(layer.pixelColor(98, 55).alpha(), 0);
    QVERIFY(isRed(layer.pixelColor(55, 98)));
}

QTEST_MAIN(TestAnalogHands)
#include "tst_AnalogHands.moc"
