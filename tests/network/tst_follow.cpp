// The follower's control window: how it takes the master's states, and that
// its own settings stay its own.

#include "../control/ControlTestSupport.h"
#include "ClockState.h"
#include "Numbers.h"
#include "Program.h"

#include <QLineEdit>

class TestFollow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }
    void takesStates_data();
    void takesStates();
    void keepsOwnSettings();
};

// States one after another, no tick between them (time base 100 ms unless
// said): "r<time>" running, "h<time>" held, "b<time>" running at 200 ms.
// file: the time file before and after (it holds "12:00" before); empty: no
// time file.
void TestFollow::takesStates_data()
{
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<int>("zeit");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("first state") << QStringList{"r1000"} << 1000 << true << QByteArray();
    QTest::newRow("behind: forward at once") << QStringList{"r1000", "r1003"} << 1003 << true << QByteArray();
    QTest::newRow("a little ahead: a late message, ignored") << QStringList{"r1000", "r997"} << 1000 << true << QByteArray();
    QTest::newRow("a little ahead twice: taken") << QStringList{"r1000", "r997", "r998"} << 998 << true << QByteArray();
    QTest::newRow("ahead, then in step again") << QStringList{"r1000", "r997", "r1000", "r997"} << 1000 << true << QByteArray();
    QTest::newRow("clearly back: at once") << QStringList{"r1000", "r900"} << 900 << true << QByteArray();
    QTest::newRow("a forged second ahead: the next state mends it") << QStringList{"r1010", "r1000"} << 1000 << true << QByteArray();
    QTest::newRow("held: at once") << QStringList{"r1000", "h998"} << 998 << false << QByteArray();
    QTest::newRow("continued from held") << QStringList{"h998", "r997"} << 997 << true << QByteArray();
    QTest::newRow("new time base: at once") << QStringList{"r1000", "b999"} << 999 << true << QByteArray();
    QTest::newRow("first state at minute 0 writes the file")
        << QStringList{"r" + QString::number(9 * 3600)} << 9 * 3600 << true << QByteArray("09:00\r\n");
    QTest::newRow("a jump by whole hours writes the file")
        << QStringList{"r" + QString::number(12 * 3600 + 5), "h" + QString::number(14 * 3600 + 5)} << 14 * 3600 + 5
        << false << QByteArray("14:00\r\n");
}

void TestFollow::takesStates()
{
    QFETCH(QStringList, states);
    QFETCH(int, zeit);
    QFETCH(bool, running);
    QFETCH(QByteArray, file);
    ControlFixture f;
    Settings settings;
    settings.datei = !file.isEmpty();
    f.writeSettings(settings);
    const QString timeFile = f.m.app.file(QStringLiteral("Uhrzeit.txt"));
    if (!file.isEmpty()) {
        QFile old(timeFile); // a file of an earlier session
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("12:00\r\n") == 7);
    }
    f.start();
    f.frm->beginFollowing();
    for (const QString& code : states) {
        ClockState s;
        s.time = code.mid(1).toInt();
        s.running = code[0] != u'h';
        s.timeBase = code[0] == u'b' ? 200 : 100;
        f.frm->applyFollowedState(s);
    }
    QCOMPARE(f.m.lngZeit, zeit);
    QCOMPARE(f.m.running, running);
    auto* timer = f.frm->findChild<ExactTimer*>(QStringLiteral("Timer"));
    QCOMPARE(timer->isEnabled(), running);
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtMin"))->text(), numbers::twoDigits(zeit / 60 % 60));
    if (!file.isEmpty()) {
        QFile written(timeFile);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), file);
    }
}

void TestFollow::keepsOwnSettings()
{
    ControlFixture f;
    Settings own;
    own.startStd = 7;
    own.startMin = 30;
    own.faktor = 250;
    f.writeSettings(own);
    f.start();
    f.frm->beginFollowing();
    for (const char* name : {"btnStart", "btnStop", "btnLetzteZeit"})
        QVERIFY2(!f.child(QString::fromLatin1(name))->isEnabled(), name);
    ClockState s;
    s.time = 12 * 3600 + 5 * 60;
    s.timeBase = 50;
    s.running = true;
    f.frm->applyFollowedState(s);
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtStd"))->text(), QStringLiteral("12"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtFaktor"))->text(), QStringLiteral("50"));
    QVERIFY(f.child<QLineEdit>(QStringLiteral("txtFaktor"))->isReadOnly());

    f.frm->konfigSpeichern();
    const std::optional<Settings> saved = settingsfile::read(f.iniPath());
    QVERIFY(saved);
    QCOMPARE(saved->startStd, 7);
    QCOMPARE(saved->startMin, 30);
    QCOMPARE(saved->faktor, 250);
    QCOMPARE(saved->letzteStd, 12); // the last time shown is the master's
    QCOMPARE(saved->letzteMin, 5);
}

QTEST_MAIN(TestFollow)
#include "tst_follow.moc"
