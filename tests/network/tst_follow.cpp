// The follower's control window: how it takes the master's states, and that
// its own settings stay its own.

#include "../control/ControlTestSupport.h"
#include "ClockState.h"
#include "Numbers.h"
#include "Program.h"

#include <QLabel>
#include <QLineEdit>

class TestFollow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }
    void takesStates_data();
    void takesStates();
    void keepsOwnSettings();
    void statusLine_data();
    void statusLine();
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

// The status line of a program that shares its clock: none without a note,
// below the panel with one, the window grown by as much and the caption plain;
// a follower whose master holds says so in its display window's caption too.
// notes: "m:", "r:" or "w:" (MQTT, MRclock, web page) and the text; held: the
// master's last state was a held one.
void TestFollow::statusLine_data()
{
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<bool>("held");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << QStringList{} << false << "";
    QTest::newRow("no broker") << QStringList{"m:MQTT-Broker 127.0.0.1:18711 nicht erreichbar"} << false
                               << "MQTT-Broker 127.0.0.1:18711 nicht erreichbar";
    QTest::newRow("master holds") << QStringList{"m:folgt der Uhr \u201eAnlage\u201c \u2013 angehalten"} << true
                                  << "folgt der Uhr \u201eAnlage\u201c \u2013 angehalten";
    QTest::newRow("bridge and page, in their order")
        << QStringList{"w:Webseite: http://192.168.1.20:8080/", "r:folgt der MRclock-Uhr \u201eZ21\u201c (1:6)",
                       "m:gibt die Uhr \u201eAnlage\u201c weiter"}
        << false
        << "gibt die Uhr \u201eAnlage\u201c weiter\nfolgt der MRclock-Uhr \u201eZ21\u201c (1:6)\nWebseite: http://192.168.1.20:8080/";
    QTest::newRow("a long note wraps")
        << QStringList{"m:Anmeldung am MQTT-Broker broker.eisenbahnfreunde-musterstadt.example:8883 abgelehnt \u2013 "
                       "Achtung: zwei Rechner geben die Uhr \u201eAnlage\u201c weiter"}
        << false
        << "Anmeldung am MQTT-Broker broker.eisenbahnfreunde-musterstadt.example:8883 abgelehnt \u2013 "
           "Achtung: zwei Rechner geben die Uhr \u201eAnlage\u201c weiter";
}

void TestFollow::statusLine()
{
    QFETCH(QStringList, notes);
    QFETCH(bool, held);
    QFETCH(QString, shown);
    ControlFixture f;
    Settings settings;
    settings.anzeige = 3; // a display window with a title bar
    settings.titel = QStringLiteral("Bahnhof");
    f.writeSettings(settings);
    f.start();
    const QRect panel = f.child(QStringLiteral("pnlConfig"))->geometry();
    const QRect quit = f.child(QStringLiteral("btnBeenden"))->geometry();
    const QSize plain = f.frm->size();
    f.frm->beginFollowing();
    ClockState s;
    s.time = 1000;
    s.timeBase = 100;
    s.running = !held;
    f.frm->applyFollowedState(s);
    const QString plainCaption = f.frm->caption();
    for (const QString& note : notes) {
        if (note[0] == u'w')
            f.frm->offerPageAddresses({note.section(u' ', 1), QStringLiteral("http://[fd00::20]:8080/")});
        else
            f.frm->setNetworkNote(note[0] == u'm' ? FrmConfig::Note::Mqtt : FrmConfig::Note::Mrclock, note.mid(2));
    }
    auto* status = f.frm->findChild<QLabel*>(QStringLiteral("lblStatus"));
    QCOMPARE(f.frm->caption(), plainCaption);
    QCOMPARE(f.child(QStringLiteral("pnlConfig"))->geometry(), panel);
    QCOMPARE(f.child(QStringLiteral("btnBeenden"))->geometry(), quit);
    if (shown.isEmpty()) {
        QVERIFY(!status);
        QCOMPARE(f.frm->size(), plain);
    } else {
        QVERIFY(status);
        QCOMPARE(status->accessibleName(), shown);
        // below everything of the design, whole, inside the grown window
        QVERIFY(status->geometry().top() > f.child(QStringLiteral("lblCopyright"))->geometry().bottom());
        QVERIFY(f.frm->rect().contains(status->geometry()));
        QVERIFY(status->height() >= status->heightForWidth(status->width()));
        QCOMPARE(f.frm->width(), plain.width());
        QVERIFY(f.frm->height() > plain.height());
    }
    // with the web page, its button beside the status line, Alt+N
    auto* page = f.frm->findChild<QAbstractButton*>(QStringLiteral("btnUhrImNetz"));
    QCOMPARE(page != nullptr, shown.contains(QStringLiteral("Webseite")));
    if (page) {
        QCOMPARE(page->text(), QStringLiteral("Uhr im &Netz\u2026"));
        QVERIFY(!page->geometry().intersects(status->geometry()));
        QVERIFY(f.frm->rect().contains(page->geometry()));
    }
    QCOMPARE(f.m.frmAnzeige->caption(), held ? QStringLiteral("Bahnhof \u2013 angehalten") : QStringLiteral("Bahnhof"));
    s.running = true; // the master goes on
    f.frm->applyFollowedState(s);
    QCOMPARE(f.m.frmAnzeige->caption(), QStringLiteral("Bahnhof"));
}

QTEST_MAIN(TestFollow)
#include "tst_follow.moc"
