// The choice of the display style: the first window at start-up, a change of
// style, a window coming back, the title, and a display window asking for the
// control window or closing.

#include "ControlTestSupport.h"

#include "Program.h"

#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>

using namespace drive;

class TestDisplaySelection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }

    void startUpPlacement_data();
    void startUpPlacement();
    void changeOfStyle();
    void chosenOptionAgain();
    void title_data();
    void title();
    void comeBackWhileRunning();
    void displayClosing_data();
    void displayClosing();
};

void TestDisplaySelection::startUpPlacement_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("kept");
    QTest::newRow("LCD at 500, 400") << 4 << 500 << 400 << true;
    QTest::newRow("LED [X] at 1234, 2345") << 5 << 1234 << 2345 << true;
    QTest::newRow("round, left of every screen") << 0 << -60000 << 300 << false;
    QTest::newRow("Maxi, far below") << 7 << 200 << 90000 << false;
}

void TestDisplaySelection::startUpPlacement()
{
    QFETCH(int, style);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, kept);
    ControlFixture f;
    Settings s;
    s.anzeige = static_cast<std::int16_t>(style);
    s.anzeigeLeft = left;
    s.anzeigeTop = top;
    s.breiteMaxi = 6000;
    s.hoeheMaxi = 5000;
    s.titel = QStringLiteral("Stellwerk");
    f.writeSettings(s);
    f.start();
    QCOMPARE(f.displays.created, 1); // nothing else made, nothing hidden
    FakeDisplay* shown = f.displays.at(style);
    QVERIFY(shown);
    QCOMPARE(f.m.frmAnzeige, shown);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->loads, 1);
    if (kept) {
        QCOMPARE(shown->formLeft(), double(left));
        QCOMPARE(shown->formTop(), double(top));
    } else {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(shown->pos()), qPrintable(QStringLiteral("at %1, %2").arg(shown->x()).arg(shown->y())));
    }
    QCOMPARE(shown->caption(), style == 5 ? QStringLiteral("Stellwerk") : QString());
}

void TestDisplaySelection::changeOfStyle()
{
    ControlFixture f;
    Settings s;
    s.anzeige = 4;
    s.anzeigeLeft = 500;
    s.anzeigeTop = 400;
    s.titel = QStringLiteral("Bw Süd");
    f.writeSettings(s);
    f.start();
    FakeDisplay* lcd = f.displays.at(4);
    // where frmLCD was when it last lost activation
    f.m.lngAnzeigeLeft = 1200;
    f.m.lngAnzeigeTop = 900;
    f.child<QRadioButton>(QStringLiteral("optAnzeige(3)"))->click();
    FakeDisplay* lcdX = f.displays.at(3);
    QVERIFY(lcdX);
    QVERIFY(!lcd->isVisible());
    QVERIFY(lcdX->isVisible());
    QCOMPARE(f.m.frmAnzeige, lcdX);
    QCOMPARE(f.m.intAnzeige, std::int16_t(3));
    QCOMPARE(lcdX->formLeft(), 1200.0);
    QCOMPARE(lcdX->formTop(), 900.0);
    QCOMPARE(lcdX->caption(), QStringLiteral("Bw Süd"));

    f.child<QRadioButton>(QStringLiteral("optAnzeige(4)"))->click();
    QCOMPARE(f.m.frmAnzeige, lcd); // the same object again
    QCOMPARE(lcd->loads, 1);      // not loaded anew
    QCOMPARE(f.displays.created, 2);
    QVERIFY(lcd->isVisible());
    QVERIFY(!lcdX->isVisible());
    QCOMPARE(lcd->formLeft(), 1200.0);
    QVERIFY(f.drawing.calls.isEmpty()); // a change of style draws nothing
}

void TestDisplaySelection::chosenOptionAgain()
{
    ControlFixture f;
    Settings s;
    s.anzeige = 6;
    f.writeSettings(s);
    f.start();
    FakeDisplay* led = f.displays.at(6);
    led->setFormPos(3000, 1500); // dragged since
    f.child<QRadioButton>(QStringLiteral("optAnzeige(6)"))->click();
    QVERIFY(led->isVisible());
    QCOMPARE(led->formLeft(), 3000.0);
    QCOMPARE(f.displays.created, 1);
}

void TestDisplaySelection::title_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption");
    QTest::newRow("LED [X], empty title") << 5 << "" << "";
    QTest::newRow("analog [X]") << 1 << "Abzw. Ost" << "Abzw. Ost";
    QTest::newRow("LCD [X], blanks kept") << 3 << "  Nord " << "  Nord ";
    QTest::newRow("analog without title bar") << 2 << "Neu" << "frmAnalog";
    QTest::newRow("Maxi keeps its title") << 7 << "Neu" << "frmAnalogMaxi";
    QTest::newRow("stretched LED keeps its caption") << 8 << "Neu" << "frmLEDStretch";
}

void TestDisplaySelection::title()
{
    QFETCH(int, style);
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    ControlFixture f;
    Settings s;
    s.anzeige = static_cast<std::int16_t>(style);
    s.anzeigeLeft = 600;
    s.anzeigeTop = 450;
    f.writeSettings(s);
    FrmConfig& frm = f.start();
    FakeDisplay* shown = f.displays.at(style);
    if (shown->caption() != s.titel)
        shown->setCaption(windowDesign(style).name);
    shown->setFormPos(2000, 2000); // moved without losing activation
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    drive::typeAndLeave(f.child<QLineEdit>(QStringLiteral("txtTitel")), typed);
    QCOMPARE(f.m.strTitel, typed);
    QCOMPARE(shown->caption(), caption);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->formLeft(), 600.0); // placed again
    QCOMPARE(shown->formTop(), 450.0);
    QCOMPARE(f.displays.created, 1);
}

void TestDisplaySelection::comeBackWhileRunning()
{
    ControlFixture f;
    Settings s;
    s.anzeige = 4;
    f.writeSettings(s);
    f.start();
    click(f, QStringLiteral("btnStart"));
    tick(f, 3);
    f.frm->configRequested();
    QVERIFY(f.frm->isVisible());
    QVERIFY(timerOf(f)->isEnabled()); // neither held nor restarted
    QCOMPARE(f.m.lngZeit, 12 * 3600 + 3);
    QVERIFY(f.displays.at(4)->isVisible());
    QCOMPARE(stateOf(f), QStringLiteral("1h001"));
}

void TestDisplaySelection::displayClosing_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("small window saves") << true;
    QTest::newRow("large analog window does not") << false;
}

void TestDisplaySelection::displayClosing()
{
    QFETCH(bool, save);
    ControlFixture f;
    f.writeSettings(digitalAt(10, 0));
    const QByteArray before = f.iniBytes();
    f.start();
    click(f, QStringLiteral("btnStart"));
    tick(f, 120);
    f.frm->unloadRequested(save);
    QCOMPARE(f.services.ends, QList<int>{0});
    QVERIFY(!timerOf(f)->isEnabled());
    const Settings now = settingsfile::parse(f.iniBytes());
    QCOMPARE(now.letzteMin, save ? 2 : 0);
    QCOMPARE(f.iniBytes() == before, !save);
    f.frm->configRequested(); // nothing comes back after the end
    QVERIFY(!f.frm->isVisible());
}

QTEST_MAIN(TestDisplaySelection)
#include "tst_controlselection.moc"
