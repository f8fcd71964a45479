#include "Numbers.h"
#include "RuntimeError.h"
#include "Twips.h"

#include <QTest>
#include <limits>

using namespace numbers;

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("settings format") << " 12 " << 12.0;
        QTest::newRow("negative") << "-300 " << -300.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("fraction") << "10.5" << 10.5;
        QTest::newRow("fraction without digits before") << ".5" << 0.5;
        QTest::newRow("stops at other text") << "  42abc" << 42.0;
        QTest::newRow("comma is other text") << "9,9" << 9.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("blank inside ends it") << "1 2" << 1.0;
        QTest::newRow("too large for a double") << u'1' + QString(400, u'0') << qInf();
        QTest::newRow("negative too large") << u'-' + QString(400, u'9') + ".5" << -qInf();
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numbers::leadingNumber(text), expected);
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("832.5 to even") << 832.5 << 832;
        QTest::newRow("307.5 to even") << 307.5 << 308;
        QTest::newRow("10.5") << 10.5 << 10;
        QTest::newRow("11.5") << 11.5 << 12;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("-3.5") << -3.5 << -4;
        QTest::newRow("307.2") << 307.2 << 307;
        QTest::newRow("153.6") << 153.6 << 154;
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(toLong(value), expected);
        QCOMPARE(int(toInt(value)), expected);
    }

    void overflow_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fitsInt");
        QTest::addColumn<bool>("fitsLong");
        QTest::newRow("32767") << 32767.0 << true << true;
        QTest::newRow("32767.5 rounds to 32768") << 32767.5 << false << true;
        QTest::newRow("-32768") << -32768.0 << true << true;
        QTest::newRow("-32768.5 rounds to even -32768") << -32768.5 << true << true;
        QTest::newRow("-32769") << -32769.0 << false << true;
        QTest::newRow("2147483647") << 2147483647.0 << false << true;
        QTest::newRow("2147483648") << 2147483648.0 << false << false;
        QTest::newRow("-2147483648") << -2147483648.0 << false << true;
        QTest::newRow("-2147483649") << -2147483649.0 << false << false;
        QTest::newRow("huge") << 1e300 << false << false;
    }
    void overflow()
    {
        QFETCH(double, value);
        QFETCH(bool, fitsInt);
        QFETCH(bool, fitsLong);
        auto overflows = [](auto convert) {
            try {
                convert();
            } catch (const RuntimeError& e) {
                return e.number() == 6 && e.text() == QStringLiteral("Überlauf");
            }
            return false;
        };
        QCOMPARE(overflows([&] { toInt(value); }), !fitsInt);
        QCOMPARE(overflows([&] { toLong(value); }), !fitsLong);
    }

    void checkedArithmetic()
    {
        QCOMPARE(add(2147483646, 1), std::numeric_limits<std::int32_t>::max());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, add(2147483647, 1));
        QCOMPARE(mul(596523, 3600), 2147482800);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, mul(596524, 3600));
    }

    void floorDivision_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("q");
        QTest::newRow("positive") << 7199 << 3600 << 1;
        QTest::newRow("negative rounds down") << -3599 << 3600 << -1;
        QTest::newRow("negative exact") << -3600 << 3600 << -1;
        QTest::newRow("zero") << 0 << 60 << 0;
    }
    void floorDivision()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, q);
        QCOMPARE(floorDiv(a, b), q);
    }

    void textForms_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("two");
        QTest::addColumn<QString>("settings");
        QTest::newRow("7") << 7 << "07" << " 7 ";
        QTest::newRow("0") << 0 << "00" << " 0 ";
        QTest::newRow("12") << 12 << "12" << " 12 ";
        QTest::newRow("123") << 123 << "123" << " 123 ";
        QTest::newRow("-5") << -5 << "-05" << "-5 ";
        QTest::newRow("-300") << -300 << "-300" << "-300 ";
    }
    void textForms()
    {
        QFETCH(int, value);
        QFETCH(QString, two);
        QFETCH(QString, settings);
        QCOMPARE(twoDigits(value), two);
        QCOMPARE(settingsNumber(value), settings);
    }

    void twipsToPixels()
    {
        QCOMPARE(twips::toPixels(1725), 115);
        QCOMPARE(twips::toPixels(7.5), 0);   // 0.5 to even
        QCOMPARE(twips::toPixels(22.5), 2);  // 1.5 to even
        // neighbouring boxes share their edge whatever the fractions
        const QRect a = twips::toPixelRect(307.2, 645, 3072, 5160);
        const QRect b = twips::toPixelRect(307.2 + 3072, 645, 100, 5160);
        QCOMPARE(a.x() + a.width(), b.x());
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
