#include "DigitalUpdate.h"
#include "TestFace.h"

#include <QImage>
#include <QtTest>

using namespace testface;

class TestDigitalUpdate : public QObject {
    Q_OBJECT

private slots:
    void digitChoice_data();
    void digitChoice();
    void everyCallHandsOverAllFour();
    void placesKeepCornerTakeNaturalSize();
    void freshFaceShowsStoreColours();
    void sevenOFiveOnTheFullMinute();
    void midnight();
};

void TestDigitalUpdate::digitChoice_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QList<int>>("digits");

    QTest::newRow("07:05") << 7 << 5 << QList<int>{0, 7, 0, 5};
    QTest::newRow("00:00") << 0 << 0 << QList<int>{0, 0, 0, 0};
    QTest::newRow("23:59") << 23 << 59 << QList<int>{2, 3, 5, 9};
    QTest::newRow("25 hours") << 25 << 0 << QList<int>{2, 5, 0, 0};
    QTest::newRow("100 hours") << 100 << 0 << QList<int>{1, 0, 0, 0};
    QTest::newRow("123 hours, first and last") << 123 << 4 << QList<int>{1, 3, 0, 4};
    QTest::newRow("-1 hours, empty tens") << -1 << 30 << QList<int>{-1, 1, 3, 0};
    QTest::newRow("-12 hours, empty tens") << -12 << 0 << QList<int>{-1, 2, 0, 0};
    QTest::newRow("-123 hours") << -123 << 0 << QList<int>{-1, 3, 0, 0};
    QTest::newRow("negative saved minutes") << 3 << -5 << QList<int>{0, 3, -1, 5};
}

void TestDigitalUpdate::digitChoice()
{
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(QList<int>, digits);

    const DigitChoice choice = digitsFor(hours, minutes);
    QCOMPARE(QList<int>(choice.begin(), choice.end()), digits);

    // the face shows exactly these store pictures; a minus sign leaves its place
    // empty and the clock runs on
    TestFace t;
    Module1 m;
    m.lngFaktor = 1000;
    setTime(m, hours, minutes, 0);
    digitalzeit(m, t.face);
    const auto places = t.places();
    for (int i = 0; i < 4; ++i) {
        const QPixmap& shown = places[static_cast<std::size_t>(i)]->picture();
        if (digits[i] < 0) {
            QVERIFY2(shown.isNull(), qPrintable(QStringLiteral("place %1").arg(i)));
        } else {
            const QPixmap& stored = t.face.imgZiffer[static_cast<std::size_t>(digits[i])]->picture();
            QCOMPARE(shown.cacheKey(), stored.cacheKey());
        }
    }
}

void TestDigitalUpdate::everyCallHandsOverAllFour()
{
    TestFace t;
    Module1 m;
    m.lngFaktor = 1000;
    setTime(m, 7, 5, 1);
    digitalzeit(m, t.face);

    QPixmap foreign(5, 5);
    foreign.fill(Qt::blue);
    for (ImageBox* place : t.places())
        place->setPicture(foreign);

    digitalzeit(m, t.face); // the same time again
    const int expected[4] = {0, 7, 0, 5};
    const auto places = t.places();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(places[static_cast<std::size_t>(i)]->picture().cacheKey(),
                 t.face.imgZiffer[static_cast<std::size_t>(expected[i])]->picture().cacheKey());

    // from negative hours back to normal time: the empty place gets its digit again
    setTime(m, -1, 59, 59);
    digitalzeit(m, t.face);
    QVERIFY(t.face.imgStd[0]->picture().isNull());
    setTime(m, 0, 0, 0);
    digitalzeit(m, t.face);
    QCOMPARE(t.face.imgStd[0]->picture().cacheKey(), t.face.imgZiffer[0]->picture().cacheKey());
}

void TestDigitalUpdate::placesKeepCornerTakeNaturalSize()
{
    TestFace t;
    Module1 m;
    m.lngFaktor = 1000;
    setTime(m, 7, 7, 0);
    digitalzeit(m, t.face);
    QCOMPARE(t.face.imgStd[0]->geometry(), QRect(8, 10, 18, 29));
    QCOMPARE(t.face.imgStd[1]->geometry(), QRect(30, 10, 17, 29)); // the narrow 7, left-aligned
    QCOMPARE(t.face.imgMin[1]->geometry(), QRect(82, 10, 17, 29));
}

void TestDigitalUpdate::freshFaceShowsStoreColours()
{
    TestFace t;
    t.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.window));
    Module1 m;
    m.lngFaktor = 1000;
    setTime(m, -3, 48, 0);
    digitalzeit(m, t.face);

    QImage shot = t.window.grab().toImage();
    QCOMPARE(shot.pixelColor(15, 20), kBackground); // the minus sign's place stays empty
    QCOMPARE(shot.pixelColor(37, 20), digitColor(3));
    QCOMPARE(shot.pixelColor(67, 20), digitColor(4));
    QCOMPARE(shot.pixelColor(89, 20), digitColor(8));
    QCOMPARE(shot.pixelColor(53, 25), kBackground); // separator hidden at second 0

    setTime(m, 12, 9, 1);
    digitalzeit(m, t.face);
    shot = t.window.grab().toImage();
    QCOMPARE(shot.pixelColor(15, 20), digitColor(1));
    QCOMPARE(shot.pixelColor(37, 20), digitColor(2));
    QCOMPARE(shot.pixelColor(67, 20), digitColor(0));
    QCOMPARE(shot.pixelColor(89, 20), digitColor(9));
    QCOMPARE(shot.pixelColor(53, 25), kSeparator);
}

void TestDigitalUpdate::sevenOFiveOnTheFullMinute()
{
    TestFace t;
    t.face.lblSec->setText(QStringLiteral("55"));
    Module1 m;
    m.lngFaktor = 20;
    setTime(m, 7, 5, 0);
    digitalzeit(m, t.face);
    const DigitChoice d = digitsFor(7, 5);
    QCOMPARE(QList<int>(d.begin(), d.end()), (QList<int>{0, 7, 0, 5}));
    QCOMPARE(t.face.lblSec->text(), QStringLiteral("00"));
    QVERIFY(t.face.imgSec->isHidden());
}

void TestDigitalUpdate::midnight()
{
    TestFace t;
    Module1 m;
    m.lngFaktor = 1000;
    t.face.lblSec->setText(QStringLiteral("55"));
    t.face.imgSec->hide(); // the phase is taken as it is
    setTime(m, 23, 59, 59);
    digitalzeit(m, t.face);
    QCOMPARE(t.face.lblSec->text(), QStringLiteral("55"));
    QVERIFY(!t.face.imgSec->isHidden());
    QCOMPARE(t.face.imgStd[0]->picture().cacheKey(), t.face.imgZiffer[2]->picture().cacheKey());

    setTime(m, 0, 0, 0);
    digitalzeit(m, t.face);
    for (ImageBox* place : t.places())
        QCOMPARE(place->picture().cacheKey(), t.face.imgZiffer[0]->picture().cacheKey());
    QCOMPARE(t.face.lblSec->text(), QStringLiteral("00"));
    QVERIFY(t.face.imgSec->isHidden());
}

QTEST_MAIN(TestDigitalUpdate)
#include "tst_DigitalUpdate.moc"
