#include "Datagram.h"
#include "MrclockAddress.h"

#include <QTest>

using mrclock::Datagram;

class TestMrclock : public QObject {
    Q_OBJECT

private slots:
    void buildsInTheOrderStrictReceiversRead()
    {
        Datagram d;
        d.name = QStringLiteral("Anlage");
        d.address = QStringLiteral("192.168.0.7");
        d.port = QStringLiteral("2000");
        d.text = QStringLiteral("Bw Süd\r\nzweite Zeile");
        d.active = true;
        d.speed = 1000.0 / 83;
        d.time = 13 * 3600 + 4 * 60 + 5;
        d.interval = 20;
        QCOMPARE(mrclock::build(d),
                 QByteArray("fastclock\r\nversion=2\r\nname=Anlage\r\nip-address=192.168.0.7\r\nip-port=2000\r\n"
                            "text=Bw S\xc3\xbc" "d  zweite Zeile\r\nclocktype=fastclock\r\nactive=yes\r\nspeed=12.048\r\n"
                            "clock=13:04:05\r\nweekday=\r\ninterval=20\r\n"));
        // what is built is read back
        d.text = QStringLiteral("Bw Süd  zweite Zeile");
        d.speed = 12.048;
        QCOMPARE(mrclock::parse(mrclock::build(d)), d);
    }

    void longTextsAreCutAtAWholeCharacter()
    {
        Datagram d;
        d.name = QString(100, QChar(u'ä'));
        d.text = QString(300, QChar(u'€'));
        const auto back = mrclock::parse(mrclock::build(d));
        QVERIFY(back);
        QCOMPARE(back->name, QString(mrclock::kMaxNameBytes / 2, QChar(u'ä')));
        QCOMPARE(back->text, QString(mrclock::kMaxTextBytes / 3, QChar(u'€')));
        QVERIFY(mrclock::build(d).size() < 650);
    }

    void speedText_data()
    {
        QTest::addColumn<double>("speed");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("whole") << 6.0 << QByteArray("6");
        QTest::newRow("time base 83") << 1000.0 / 83 << QByteArray("12.048");
        QTest::newRow("slower than real") << 0.5 << QByteArray("0.5");
        QTest::newRow("one fast second a day") << 1.0 / 86400 << QByteArray("0.00001");
    }
    void speedText()
    {
        QFETCH(double, speed);
        QFETCH(QByteArray, text);
        QCOMPARE(mrclock::speedText(speed), text);
        QVERIFY(!text.contains('e'));
    }

    void readsLeniently_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("time");
        QTest::addColumn<double>("speed");
        QTest::addColumn<bool>("active");
        QTest::newRow("LF only, any order") << QByteArray("fastclock\nclock=06:30:00\nspeed=6\nactive=no\nname=Z21\n")
                                            << "Z21" << 6 * 3600 + 1800 << 6.0 << false;
        QTest::newRow("single digits, stray line, no name")
            << QByteArray("fastclock\r\nclock=7:5:9\r\nactive=YES\r\nspeed=4\r\nweekday=none\r\n \r\n")
            << "" << 7 * 3600 + 5 * 60 + 9 << 4.0 << true;
        QTest::newRow("hours and minutes, realclock")
            << QByteArray("fastclock\r\nclocktype=realclock\r\nspeed=1.0\r\nclock=23:59\r\nactive=yes\r\nfuture=x\r\n")
            << "" << 86340 << 1.0 << true;
        QTest::newRow("Latin-1 name") << QByteArray("fastclock\nname=M\xfchle\nclock=0:0:0\nspeed=12.5\nactive=yes")
                                      << QStringLiteral("Mühle") << 0 << 12.5 << true;
    }
    void readsLeniently()
    {
        QFETCH(QByteArray, bytes);
        QString why;
        const auto d = mrclock::parse(bytes, &why);
        QVERIFY2(d, qPrintable(why));
        QTEST(d->name, "name");
        QTEST(int(d->time), "time");
        QTEST(d->speed, "speed");
        QTEST(d->active, "active");
    }

    void refusesMalformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = "clock=12:00:00\nspeed=6\nactive=yes\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other first line") << "fastclock2\n" + good;
        QTest::newRow("first line later") << "name=x\nfastclock\n" + good;
        QTest::newRow("oversized") << "fastclock\n" + good + "text=" + QByteArray(1400, 'x');
        QTest::newRow("hour 24") << QByteArray("fastclock\nclock=24:00:00\nspeed=6\nactive=yes");
        QTest::newRow("minute 60") << QByteArray("fastclock\nclock=12:60:00\nspeed=6\nactive=yes");
        QTest::newRow("negative second") << QByteArray("fastclock\nclock=12:00:-1\nspeed=6\nactive=yes");
        QTest::newRow("three digits") << QByteArray("fastclock\nclock=012:00:00\nspeed=6\nactive=yes");
        QTest::newRow("no clock") << QByteArray("fastclock\nspeed=6\nactive=yes");
        QTest::newRow("speed 0") << QByteArray("fastclock\nclock=12:00:00\nspeed=0\nactive=yes");
        QTest::newRow("speed negative") << QByteArray("fastclock\nclock=12:00:00\nspeed=-6\nactive=yes");
        QTest::newRow("speed 1000") << QByteArray("fastclock\nclock=12:00:00\nspeed=1000\nactive=yes");
        QTest::newRow("speed nan") << QByteArray("fastclock\nclock=12:00:00\nspeed=nan\nactive=yes");
        QTest::newRow("speed inf") << QByteArray("fastclock\nclock=12:00:00\nspeed=inf\nactive=yes");
        QTest::newRow("speed text") << QByteArray("fastclock\nclock=12:00:00\nspeed=6x\nactive=yes");
        QTest::newRow("active maybe") << QByteArray("fastclock\nclock=12:00:00\nspeed=6\nactive=maybe");
        QTest::newRow("no active") << QByteArray("fastclock\nclock=12:00:00\nspeed=6");
    }
    void refusesMalformed()
    {
        QFETCH(QByteArray, bytes);
        QString why;
        QVERIFY(!mrclock::parse(bytes, &why));
        QVERIFY(!why.isEmpty());
    }

    void address_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("shown"); // group:port name ttl, or empty when refused
        QTest::newRow("defaults") << "mrclock:///Anlage" << "239.50.50.20:2000 Anlage 1";
        QTest::newRow("no name") << "mrclock://" << "239.50.50.20:2000  1";
        QTest::newRow("group, port, ttl") << "mrclock://239.1.2.3:2001/Bw%20S?ttl=4" << "239.1.2.3:2001 Bw S 4";
        QTest::newRow("not multicast") << "mrclock://192.168.0.1/A" << "";
        QTest::newRow("a host name") << "mrclock://uhr.local/A" << "";
        QTest::newRow("ttl 0") << "mrclock:///A?ttl=0" << "";
        QTest::newRow("other parameter") << "mrclock:///A?loop=1" << "";
        QTest::newRow("slash in name") << "mrclock:///A/B" << "";
        QTest::newRow("user") << "mrclock://u:p@239.1.2.3/A" << "";
    }
    void address()
    {
        QFETCH(QString, url);
        QString why;
        const auto a = parseMrclockUrl(url, &why);
        const QString shown = a ? QStringLiteral("%1 %2 %3").arg(a->shown(), a->name).arg(a->ttl) : QString();
        QTEST(shown, "shown");
        QCOMPARE(why.isEmpty(), bool(a));
    }

    void timeBaseAndRatio()
    {
        QCOMPARE(mrclock::timeBaseOfSpeed(6), 167);
        QCOMPARE(mrclock::timeBaseOfSpeed(999.9), 10);        // never below the smallest
        QCOMPARE(mrclock::timeBaseOfSpeed(1e-9), 86'400'000); // nor above the largest
        QCOMPARE(mrclock::exactIntervalOfSpeed(7), qint64(142'857'143));
        QCOMPARE(mrclock::exactIntervalOfSpeed(1e-300), qint64(86'400'000) * 1'000'000);
        QCOMPARE(mrclock::ratioText(mrclock::speedOfTimeBase(250)), QStringLiteral("1:4"));
    }
};

QTEST_APPLESS_MAIN(TestMrclock)
#include "tst_mrclock.moc"
