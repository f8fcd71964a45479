#include "DigitalUpdate.h"
#include "TestFace.h"

#include <QtTest>

#include <limits>

using namespace testface;

class TestDigitalRhythm : public QObject {
    Q_OBJECT

private slots:
    void blinkDivisorBounds_data();
    void blinkDivisorBounds();
    void secondsText_data();
    void secondsText();
    void separatorRhythm_data();
    void separatorRhythm();
};

void TestDigitalRhythm::blinkDivisorBounds_data()
{
    QTest::addColumn<int>("faktor");
    QTest::addColumn<int>("divisor");

    QTest::newRow("1000") << 1000 << 1;
    QTest::newRow("501") << 501 << 1;
    QTest::newRow("500") << 500 << 2;
    QTest::newRow("101") << 101 << 2;
    QTest::newRow("100") << 100 << 10;
    QTest::newRow("51") << 51 << 10;
    QTest::newRow("50") << 50 << 20;
    QTest::newRow("10") << 10 << 20;
    QTest::newRow("0") << 0 << 20;
    QTest::newRow("-5") << -5 << 20;
    QTest::newRow("largest") << std::numeric_limits<int>::max() << 1;
    QTest::newRow("smallest") << std::numeric_limits<int>::min() << 20;
}

void TestDigitalRhythm::blinkDivisorBounds()
{
    QFETCH(int, faktor);
    QFETCH(int, divisor);
    QCOMPARE(blinkDivisor(faktor), divisor);

    TestFace t;
    Module1 m;
    m.lngFaktor = faktor;
    setTime(m, 1, 2, 3);
    digitalzeit(m, t.face);
    QCOMPARE(m.lngBlinkTeiler, divisor);
}

void TestDigitalRhythm::secondsText_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QList<int>>("seconds");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("steps of five")
        << "00" << QList<int>{1, 4, 5, 6, 9, 10, 14, 15, 50, 54, 55, 59}
        << QStringList{"00", "00", "05", "05", "05", "10", "10", "15", "50", "50", "55", "55"};
    QTest::newRow("37 keeps, 40 sets") << "35" << QList<int>{37, 40} << QStringList{"35", "40"};
    QTest::newRow("start off the step keeps the design text") << "00" << QList<int>{13} << QStringList{"00"};
    QTest::newRow("over the minute") << "55" << QList<int>{58, 59, 0, 1} << QStringList{"55", "55", "00", "00"};
}

void TestDigitalRhythm::secondsText()
{
    QFETCH(QString, before);
    QFETCH(QList<int>, seconds);
    QFETCH(QStringList, texts);

    TestFace t;
    t.face.lblSec->setText(before);
    Module1 m;
    m.lngFaktor = 1000;
    QStringList shown;
    for (int s : seconds) {
        setTime(m, 10, 20, s);
        digitalzeit(m, t.face);
        shown << t.face.lblSec->text();
    }
    QCOMPARE(shown, texts);
}

void TestDigitalRhythm::separatorRhythm_data()
{
    QTest::addColumn<int>("faktor");
    QTest::addColumn<QList<int>>("seconds");
    QTest::addColumn<QList<int>>("toggles");

    QList<int> minute;
    for (int s = 0; s < 60; ++s)
        minute << s;
    QList<int> tenSeconds;
    for (int s = 0; s < 10; ++s)
        tenSeconds << s;

    QTest::newRow("1000 ms: every second") << 1000 << tenSeconds << tenSeconds;
    QTest::newRow("501 ms: every second") << 501 << tenSeconds << tenSeconds;
    QTest::newRow("500 ms: even seconds") << 500 << tenSeconds << QList<int>{0, 2, 4, 6, 8};
    QTest::newRow("101 ms: even seconds") << 101 << tenSeconds << QList<int>{0, 2, 4, 6, 8};
    QTest::newRow("100 ms: every ten") << 100 << minute << QList<int>{0, 10, 20, 30, 40, 50};
    QTest::newRow("50 ms: every twenty") << 50 << minute << QList<int>{0, 20, 40};
    QTest::newRow("20 ms: 0, 20, 40") << 20 << minute << QList<int>{0, 20, 40};
    QTest::newRow("20 ms over the minute") << 20 << (minute + QList<int>{0, 1, 19, 20, 21})
                                           << QList<int>{0, 20, 40, 0, 20};
    QTest::newRow("500 ms over the minute") << 500 << QList<int>{57, 58, 59, 0, 1, 2}
                                            << QList<int>{58, 0, 2};
    QTest::newRow("0 ms: as 20") << 0 << minute << QList<int>{0, 20, 40};
}

void TestDigitalRhythm::separatorRhythm()
{
    QFETCH(int, faktor);
    QFETCH(QList<int>, seconds);
    QFETCH(QList<int>, toggles);

    TestFace t;
    Module1 m;
    m.lngFaktor = faktor;
    QList<int> seen;
    for (int s : seconds) {
        const bool hidden = t.face.imgSec->isHidden();
        setTime(m, 8, 0, s);
        digitalzeit(m, t.face);
        if (t.face.imgSec->isHidden() != hidden)
            seen << s;
    }
    QCOMPARE(seen, toggles);
    // the phase runs on from the design state (shown)
    QCOMPARE(t.face.imgSec->isHidden(), toggles.size() % 2 == 1);
}

QTEST_MAIN(TestDigitalRhythm)
#include "tst_DigitalRhythm.moc"
