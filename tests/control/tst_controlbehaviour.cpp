// The clock states of the control window (start, hold, continue, hide, come
// back), the number boxes, the last time and the time file.

#include "ControlTestSupport.h"

#include "Controls.h"
#include "ExactTimer.h"
#include "FastTime.h"
#include "Program.h"

#include <QApplication>
#include <QRadioButton>

using namespace drive;

class TestControlBehaviour : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }

    void stateTable_data();
    void stateTable();
    void startDrawsAtOnce();
    void holdBeforeStartThenContinue();
    void holdChangeStyleContinue_data();
    void holdChangeStyleContinue();
    void lastTimeAfterHold();
    void timeBaseBox_data();
    void timeBaseBox();
    void startTimeBoxes_data();
    void startTimeBoxes();
    void hideWhileHeldAndComeBack();
    void timeFile();
};

// Each code: timer enabled, hold caption (h/w), panel shown, quit enabled,
// window shown.
void TestControlBehaviour::stateTable_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("states");
    auto row = [](const char* name, const char* actions, const char* states) {
        QTest::newRow(name) << QString::fromLatin1(actions).split(u' ') << QString::fromLatin1(states).split(u' ');
    };
    row("start", "start", "1h000");
    row("hold before start", "hold", "0w111");
    row("hold then continue", "hold continue", "0w111 1h000");
    row("start hold continue", "start back hold continue", "1h000 1h001 0w111 1h000");
    row("start after hold", "hold start", "0w111 1h000");
    row("start while running", "start back start", "1h000 1h001 1h000");
    row("hide at start-up", "hide", "0h010");
    row("hide while running", "start back hide", "1h000 1h001 1h000");
    row("hide while held", "hold hide back", "0w111 0w010 0w011");
    row("continue after hide", "hold hide back continue", "0w111 0w010 0w011 1h000");
}

void TestControlBehaviour::stateTable()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, states);
    ControlFixture f;
    f.start();
    QCOMPARE(stateOf(f), QStringLiteral("0h111"));
    for (int i = 0; i < actions.size(); ++i) {
        const QString& a = actions[i];
        if (a == "start")
            click(f, QStringLiteral("btnStart"));
        else if (a == "hold" || a == "continue")
            click(f, QStringLiteral("btnStop"));
        else if (a == "hide")
            click(f, QStringLiteral("btnVerbergen"));
        else if (a == "back")
            f.frm->configRequested();
        QVERIFY2(stateOf(f) == states[i], qPrintable(QStringLiteral("after %1: %2").arg(a, stateOf(f))));
    }
    QCOMPARE(f.child(QStringLiteral("btnStop"))->toolTip(),
             f.child<QAbstractButton>(QStringLiteral("btnStop"))->text() == QStringLiteral("an&halten")
                 ? QStringLiteral(" hält die Quendrasil-Anzeige an ")
                 : QStringLiteral(" lässt die Quendrasil-Anzeige weiterlaufen "));
    QVERIFY(f.services.ends.isEmpty());
}

void TestControlBehaviour::startDrawsAtOnce()
{
    ControlFixture f;
    f.writeSettings(digitalAt(12, 0));
    f.start();
    click(f, QStringLiteral("btnStart"));
    QCOMPARE(f.drawing.calls.size(), 1);
    const RecordingDrawing::Call first = f.drawing.calls.first();
    QCOMPARE(first.routine, Routine::Digital);
    QCOMPARE(first.zeit, 12 * 3600);
    QCOMPARE(first.std, 12);
    QCOMPARE(first.min, 0);
    QCOMPARE(first.sec, 0);
    QCOMPARE(f.m.lngLetzteMinute, 0);
    QCOMPARE(timerOf(f)->interval(), 333);
}

void TestControlBehaviour::holdBeforeStartThenContinue()
{
    ControlFixture f;
    Settings s = digitalAt(12, 0);
    s.letzteStd = 9;
    s.letzteMin = 30;
    f.writeSettings(s);
    f.start();
    click(f, QStringLiteral("btnStop"));
    QCOMPARE(f.m.heldZeit, 0);
    QCOMPARE(f.child<QAbstractButton>(QStringLiteral("btnStop"))->text(), QStringLiteral("&weiter"));
    click(f, QStringLiteral("btnStop"));
    QCOMPARE(timerOf(f)->interval(), 333);
    QVERIFY(timerOf(f)->isEnabled());
    QCOMPARE(f.drawing.calls.size(), 1);
    const RecordingDrawing::Call first = f.drawing.calls.last();
    QCOMPARE(first.routine, Routine::Digital);
    QCOMPARE(first.window, 4);
    QCOMPARE(first.zeit, 0);
    QCOMPARE(first.std, 9); // the time saved by the last run
    QCOMPARE(first.min, 30);
    tick(f);
    QCOMPARE(f.drawing.calls.last().zeit, 1);
    QCOMPARE(f.drawing.calls.last().std, 0);
    QCOMPARE(f.drawing.calls.last().min, 0);
    QCOMPARE(f.drawing.calls.last().sec, 1);
}

void TestControlBehaviour::holdChangeStyleContinue_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("routine");
    QTest::newRow("08:15:40 to analog") << 40 << 2 << int(Routine::Analog);
    QTest::newRow("08:15:40 to LED") << 40 << 5 << int(Routine::Digital);
    QTest::newRow("08:15:42 to LCD") << 42 << 3 << int(Routine::Digital);
    QTest::newRow("08:15:42 to Maxi") << 42 << 7 << int(Routine::AnalogMaxi);
}

void TestControlBehaviour::holdChangeStyleContinue()
{
    QFETCH(int, seconds);
    QFETCH(int, style);
    QFETCH(int, routine);
    ControlFixture f;
    f.writeSettings(digitalAt(8, 15));
    f.start();
    click(f, QStringLiteral("btnStart"));
    tick(f, seconds);
    f.frm->configRequested();
    click(f, QStringLiteral("btnStop"));
    f.child<QRadioButton>(QStringLiteral("optAnzeige(%1)").arg(style))->click();
    QCOMPARE(int(f.m.intAnzeige), style);
    const qsizetype before = f.drawing.calls.size();
    click(f, QStringLiteral("btnStop"));
    QCOMPARE(f.drawing.calls.size(), before + 1);
    const RecordingDrawing::Call shown = f.drawing.calls.last();
    QCOMPARE(int(shown.routine), routine);
    QCOMPARE(shown.window, style);
    QCOMPARE(shown.zeit, 8 * 3600 + 15 * 60 + seconds);
    QCOMPARE(shown.std, 8);
    QCOMPARE(shown.min, 15);
    QCOMPARE(shown.sec, seconds);
    tick(f);
    QCOMPARE(f.drawing.calls.last().zeit, 8 * 3600 + 15 * 60 + seconds + 1);
}

void TestControlBehaviour::lastTimeAfterHold()
{
    ControlFixture f;
    f.writeSettings(digitalAt(8, 15));
    f.start();
    click(f, QStringLiteral("btnStart"));
    tick(f, 42);
    f.frm->configRequested();
    click(f, QStringLiteral("btnStop"));
    auto* std = f.child<QLineEdit>(QStringLiteral("txtStd"));
    auto* min = f.child<QLineEdit>(QStringLiteral("txtMin"));
    std->setText(QStringLiteral("3"));
    min->setText(QStringLiteral("3"));
    click(f, QStringLiteral("btnLetzteZeit"));
    QCOMPARE(std->text(), QStringLiteral("08"));
    QCOMPARE(min->text(), QStringLiteral("15"));
    click(f, QStringLiteral("btnStart"));
    QCOMPARE(f.m.lngZeit, 8 * 3600 + 15 * 60);
    QCOMPARE(f.drawing.calls.last().sec, 0);
    QCOMPARE(f.drawing.calls.last().min, 15);
}

void TestControlBehaviour::timeBaseBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("faktor");
    QTest::newRow("5 is raised") << "5" << "10" << 10;
    QTest::newRow("no digits") << "abc" << "10" << 10;
    QTest::newRow("empty") << "" << "10" << 10;
    QTest::newRow("negative") << "-20" << "10" << 10;
    QTest::newRow("9.9 is raised") << "9.9" << "10" << 10;
    QTest::newRow("250 stays") << "250" << "250" << 250;
    QTest::newRow("10.5 to even") << "10.5" << "10.5" << 10;
    QTest::newRow("11.5 to even") << "11.5" << "11.5" << 12;
    QTest::newRow("trailing text") << "40ms" << "40ms" << 40;
}

void TestControlBehaviour::timeBaseBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, faktor);
    ControlFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.start()));
    auto* box = f.child<QLineEdit>(QStringLiteral("txtFaktor"));
    drive::typeAndLeave(box, typed);
    QCOMPARE(box->text(), text);
    QCOMPARE(f.m.lngFaktor, faktor);
    click(f, QStringLiteral("btnStart"));
    QCOMPARE(timerOf(f)->interval(), faktor); // takes effect at Start
}

void TestControlBehaviour::startTimeBoxes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::newRow("7 stays 7") << "7" << 7;
    QTest::newRow("not validated") << "99" << 99;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("leading blank") << " 4" << 4;
    QTest::newRow("no number") << "x" << 0;
}

void TestControlBehaviour::startTimeBoxes()
{
    QFETCH(QString, typed);
    QFETCH(int, value);
    ControlFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.start()));
    for (const char* name : {"txtStd", "txtMin"}) {
        auto* box = f.child<QLineEdit>(QString::fromLatin1(name));
        drive::typeAndLeave(box, typed);
        QCOMPARE(box->text(), typed); // left as typed
    }
    QCOMPARE(f.m.lngStartStd, value);
    QCOMPARE(f.m.lngStartMin, value);
}

void TestControlBehaviour::hideWhileHeldAndComeBack()
{
    ControlFixture f;
    f.start();
    click(f, QStringLiteral("btnStart"));
    f.frm->configRequested();
    click(f, QStringLiteral("btnStop"));
    click(f, QStringLiteral("btnVerbergen"));
    QVERIFY(!f.frm->isVisible());
    f.frm->configRequested(); // a double-click on the clock
    QVERIFY(f.frm->isVisible());
    QVERIFY(!f.child(QStringLiteral("pnlConfig"))->isVisible());
    QVERIFY(f.child(QStringLiteral("Label(2)"))->isVisible());
    QCOMPARE(f.child<QAbstractButton>(QStringLiteral("btnStop"))->text(), QStringLiteral("&weiter"));
    QVERIFY(!timerOf(f)->isEnabled());
    click(f, QStringLiteral("btnBeenden"));
    QCOMPARE(f.services.ends, QList<int>{0});
    QVERIFY(!f.iniBytes().isEmpty());
}





void TestControlBehaviour::timeFile()
{
    ControlFixture f;
    f.writeSettings(digitalAt(12, 0));
    f.start();
    auto* check = f.child<QCheckBox>(QStringLiteral("chkDatei"));
    const QString path = timeFilePath(f.m);
    click(f, QStringLiteral("btnStart"));
    QVERIFY(!QFile::exists(path)); // disabled: never touched
    f.frm->configRequested();
    check->click();
    QVERIFY(f.m.blnDatei);
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("11:59\r\n");
    stale.close();
    click(f, QStringLiteral("btnStart"));
    QCOMPARE(QFileInfo(path).size(), 0); // emptied at Start
    tick(f, 60);
    QFile line(path);
    QVERIFY(line.open(QIODevice::ReadOnly));
    QCOMPARE(line.readAll(), QByteArray("12:01\r\n"));
    check->click();
    QVERIFY(!f.m.blnDatei);
}


QTEST_MAIN(TestControlBehaviour)
#include "tst_controlbehaviour.moc"
