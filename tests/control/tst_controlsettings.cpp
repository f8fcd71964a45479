// The control window's start-up with and without a settings file, the save on
// the way out, the values the file may bring, help and the about box.

#include "ControlTestSupport.h"

#include "Program.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace drive;

class TestControlSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }

    void startUp();
    void quitWhileHeldWritesOnce();
    void missingSettingsFile();
    void runtimeErrors_data();
    void runtimeErrors();
    void smallTimeBaseFromFile_data();
    void smallTimeBaseFromFile();
    void longValuesStayWhole();
    void titleBoxTakesWhatTheFileHolds();
    void aboutBox();
    void help();
};

void TestControlSettings::startUp()
{
    ControlFixture f;
    Settings s = digitalAt(7, 5);
    s.faktor = 250;
    s.titel = QStringLiteral("Bw Nord");
    s.datei = true;
    s.konfigLeft = 1200;
    s.konfigTop = 900;
    f.writeSettings(s);
    FrmConfig& frm = f.start();

    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(f.m.app.helpFile, f.m.app.file(QStringLiteral("Quendrasil.chm")));
    QCOMPARE(f.m.strIniDatei, f.iniPath());
    QCOMPARE(f.child<QLabel>(QStringLiteral("lblRelease"))->text(), QStringLiteral("Rel. %1").arg(QLatin1String(appversion::kText)));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtStd"))->text(), QStringLiteral("07"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtMin"))->text(), QStringLiteral("05"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtFaktor"))->text(), QStringLiteral("250"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtTitel"))->text(), QStringLiteral("Bw Nord"));
    QVERIFY(f.child<QCheckBox>(QStringLiteral("chkDatei"))->isChecked());
    QVERIFY(f.m.blnDatei);
    QVERIFY(f.child<QRadioButton>(QStringLiteral("optAnzeige(4)"))->isChecked());
    QVERIFY(!f.m.blnErsteAnzeige);
    QCOMPARE(frm.formLeft(), 1200.0);
    QCOMPARE(frm.formTop(), 900.0);
    QCOMPARE(f.child<QLabel>(QStringLiteral("lblCopyright"))->text(), QStringLiteral("© Tibor Quandel"));
    QVERIFY(f.child<QLabel>(QStringLiteral("Label(2)"))->text().contains(QStringLiteral("Doppelklick auf die Uhr")));
    QVERIFY(!f.child(QStringLiteral("imgCopyright"))->toolTip().isEmpty());
    QCOMPARE(stateOf(f), QStringLiteral("0h111"));
    QCOMPARE(f.m.lngZeit, 0);
    QVERIFY(f.drawing.calls.isEmpty()); // nothing drawn before Start
}

void TestControlSettings::quitWhileHeldWritesOnce()
{
    ControlFixture f;
    Settings s = digitalAt(6, 45);
    s.anzeigeLeft = 900;
    s.anzeigeTop = 600;
    s.breiteMaxi = 6000;
    s.hoeheMaxi = 5010;
    s.titel = QString();
    f.writeSettings(s);
    f.start();
    click(f, QStringLiteral("btnStart"));
    tick(f, 75); // 06:46:15
    f.frm->configRequested();
    click(f, QStringLiteral("btnStop"));
    f.child<QLineEdit>(QStringLiteral("txtFaktor"))->setText(QStringLiteral("7")); // still being edited
    f.child<QLineEdit>(QStringLiteral("txtStd"))->setText(QStringLiteral("5"));
    click(f, QStringLiteral("btnBeenden"));

    QCOMPARE(f.services.ends, QList<int>{0});
    Settings expected = s;
    expected.startStd = 5;
    expected.faktor = 7; // saved as typed
    expected.konfigLeft = f.frm->formLeft();
    expected.konfigTop = f.frm->formTop();
    expected.letzteStd = 6;
    expected.letzteMin = 46;
    QCOMPARE(f.iniBytes(), settingsfile::format(expected));
    QVERIFY(f.displays.at(7));             // the large window gave its size
    QVERIFY(!f.displays.at(7)->isVisible()); // but was not shown

    // whatever else closes now, the file is not written again
    QVERIFY(QFile::remove(f.iniPath()));
    f.frm->close();
    f.frm->unloadRequested(true);
    QVERIFY(!QFile::exists(f.iniPath()));
    QCOMPARE(f.services.ends, QList<int>{0});
    QVERIFY(!timerOf(f)->isEnabled());
}

void TestControlSettings::missingSettingsFile()
{
    ControlFixture f;
    FrmConfig& frm = f.start();
    QCOMPARE(f.services.messages.size(), 1);
    const RecordingServices::Message msg = f.services.messages.first();
    QCOMPARE(msg.title, QStringLiteral(" Datei nicht gefunden..."));
    QCOMPARE(msg.text, QStringLiteral("Die Datei 'Quendrasil.ini' wurde nicht gefunden !    \r\r"
                                      "Es werden Standardwerte eingesetzt ."));
    QCOMPARE(msg.icon, Services::Warning);
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtStd"))->text(), QStringLiteral("12"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtMin"))->text(), QStringLiteral("00"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtFaktor"))->text(), QStringLiteral("333"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtTitel"))->text(), QStringLiteral("Quendrasil"));
    QVERIFY(!f.child<QCheckBox>(QStringLiteral("chkDatei"))->isChecked());
    QVERIFY(f.child<QRadioButton>(QStringLiteral("optAnzeige(0)"))->isChecked());
    QCOMPARE(frm.formLeft(), 300.0);
    QCOMPARE(frm.formTop(), 3300.0);
    FakeDisplay* round = f.displays.at(0);
    QVERIFY(round && round->isVisible());
    QCOMPARE(round->formLeft(), 0.0);
    QCOMPARE(round->formTop(), 0.0);
    QVERIFY(!QFile::exists(f.iniPath())); // created by the first save only
    click(f, QStringLiteral("btnBeenden"));
    QCOMPARE(f.iniBytes().count("\r\n"), 28);
}

void TestControlSettings::runtimeErrors_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("startStd");
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<int>("number");
    QTest::newRow("style past the last") << kStyleCount << 12 << false << 340;
    QTest::newRow("style -1") << -1 << 12 << false << 340;
    QTest::newRow("start time overflows") << 4 << 1000000 << true << 6;
}

void TestControlSettings::runtimeErrors()
{
    QFETCH(int, style);
    QFETCH(int, startStd);
    QFETCH(bool, atStart);
    QFETCH(int, number);
    ControlFixture f;
    Settings s;
    s.anzeige = static_cast<std::int16_t>(style);
    s.startStd = startStd;
    f.writeSettings(s);
    const QByteArray before = f.iniBytes();
    int caught = 0;
    try {
        f.start();
        if (atStart)
            click(f, QStringLiteral("btnStart"));
    } catch (const RuntimeError& e) {
        caught = e.number();
    }
    QCOMPARE(caught, number);
    QCOMPARE(f.iniBytes(), before); // nothing written
    QVERIFY(f.services.ends.isEmpty());
}

void TestControlSettings::smallTimeBaseFromFile_data()
{
    QTest::addColumn<int>("faktor");
    QTest::addColumn<int>("interval");
    QTest::newRow("0") << 0 << 10;
    QTest::newRow("negative") << -50 << 10;
    QTest::newRow("5") << 5 << 10;
    QTest::newRow("10") << 10 << 10;
    QTest::newRow("large") << 60000 << 60000;
}

void TestControlSettings::smallTimeBaseFromFile()
{
    QFETCH(int, faktor);
    QFETCH(int, interval);
    ControlFixture f;
    Settings s = digitalAt(12, 0);
    s.faktor = faktor;
    f.writeSettings(s);
    f.start();
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtFaktor"))->text(), QString::number(faktor));
    click(f, QStringLiteral("btnStart"));
    QCOMPARE(timerOf(f)->interval(), interval);
    f.frm->configRequested();
    click(f, QStringLiteral("btnStop"));
    click(f, QStringLiteral("btnStop")); // continue
    QCOMPARE(timerOf(f)->interval(), interval);
    QCOMPARE(f.m.lngFaktor, faktor);
    f.frm->unloadRequested(true);
    QCOMPARE(settingsfile::parse(f.iniBytes()).faktor, faktor);
}

// Values from the file longer than a box's limit are shown and saved whole; a
// fractional position is taken and saved as whole twips; what a save cut short
// left beside the file goes at start, and nothing else.
void TestControlSettings::longValuesStayWhole()
{
    ControlFixture f;
    Settings s = digitalAt(-5, 125);
    s.faktor = 123456;
    s.titel = QString(40000, u'T');
    s.konfigLeft = 1000.7;
    f.writeSettings(s);
    // the user's own files, whatever their names, stay through a start and a
    // quit; only the program's own temporary files go
    const QDir dir = QFileInfo(f.iniPath()).absoluteDir();
    const QStringList mine{QStringLiteral("Quendrasil.ini.240101"), QStringLiteral("Quendrasil.ini.BACKUP"),
                           QStringLiteral("Quendrasil.ini.Alt123"), QStringLiteral("Quendrasil.ini.a1b2c3"),
                           QStringLiteral("Quendrasil.ini.backup"), QStringLiteral("Uhrzeit.txt.200101"),
                           QStringLiteral("Quendrasil.ini.Xy12Ab"), QStringLiteral(".Quendrasil.ini.quendrasil-tmp-1234567"),
                           QStringLiteral(".Uhrzeit.txt.quendrasil-tmp-"),
                           QStringLiteral(".quendrasil.ini.quendrasil-tmp-Xy12Ab")};
    const QStringList leftovers{QStringLiteral(".Quendrasil.ini.quendrasil-tmp-Xy12Ab"),
                                QStringLiteral(".Uhrzeit.txt.quendrasil-tmp-a1B2c3")};
    for (const QString& name : mine + leftovers) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    f.start();
    for (const QString& name : leftovers)
        QVERIFY2(!dir.exists(name), qPrintable(name));
    for (const QString& name : mine)
        QVERIFY2(dir.exists(name), qPrintable(name));
    QCOMPARE(f.frm->formLeft(), 1001.0);
    auto* titel = f.child<QLineEdit>(QStringLiteral("txtTitel"));
    titel->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(titel->hasFocus());
    QTest::keyClick(titel, Qt::Key_Tab);
    QCOMPARE(f.m.strTitel.size(), 40000);
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtStd"))->text(), QStringLiteral("-05"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtMin"))->text(), QStringLiteral("125"));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("txtFaktor"))->text(), QStringLiteral("123456"));
    f.frm->unloadRequested(true);
    const Settings saved = settingsfile::parse(f.iniBytes());
    QCOMPARE(saved.startStd, -5);
    QCOMPARE(saved.startMin, 125);
    QCOMPARE(saved.faktor, 123456);
    QCOMPARE(saved.titel, s.titel);
    QCOMPARE(saved.konfigLeft, 1001.0);
    const QStringList after = dir.entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(after.size(), mine.size() + 1); // the settings file, no temporary file
    for (const QString& name : mine)
        QVERIFY2(after.contains(name), qPrintable(name));
}

// The title box refuses what the settings file cannot hold: characters
// without a byte in Windows-1252 (typed one by one or pasted) and line ends.
void TestControlSettings::titleBoxTakesWhatTheFileHolds()
{
    ControlFixture f;
    f.writeSettings(digitalAt(12, 0));
    f.start();
    auto* titel = f.child<QLineEdit>(QStringLiteral("txtTitel"));
    titel->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(titel->hasFocus());
    titel->selectAll();
    for (QChar c : QStringLiteral("łdź Hbf")) // typed key by key
        QTest::sendKeyEvent(QTest::Click, titel, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(titel->text(), QStringLiteral("d Hbf"));
    titel->insert(QStringLiteral(" Łódź"));
    titel->insert(QStringLiteral("\nSüd"));
    QCOMPARE(titel->text(), QStringLiteral("d Hbf"));
    titel->insert(QStringLiteral(" Süd €"));
    QTest::keyClick(titel, Qt::Key_Tab);
    f.frm->unloadRequested(true);
    QVERIFY(f.iniBytes().contains("[Titel]\r\nd Hbf S\xfc" "d \x80\r\n"));
}

void TestControlSettings::aboutBox()
{
    ControlFixture f;
    f.start();
    QWidget* monogram = f.child(QStringLiteral("imgCopyright"));
    QTest::mouseClick(monogram, Qt::LeftButton, {}, monogram->rect().center());
    QCOMPARE(f.services.messages.size(), 2); // after the missing-file message
    const RecordingServices::Message msg = f.services.messages.last();
    QCOMPARE(msg.icon, Services::Information);
    QCOMPARE(msg.title, QStringLiteral(" Info über Quendrasil-Uhr"));
    QCOMPARE(msg.text, QStringLiteral("Programm:     Quendrasil-Uhr\r"
                                      "Release :       1.2\r\r"
                                      "Copyright :     Tibor Quandel\r\r"
                                      "mailto :           quendrasil@tquandel.de                         "));
}

void TestControlSettings::help()
{
    ControlFixture f;
    FrmConfig& frm = f.start();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    click(f, QStringLiteral("btnHilfe"));
    QVERIFY(f.services.helpFiles.isEmpty()); // the key comes after the click
    QTRY_COMPARE(f.services.helpFiles.size(), 1);
    QCOMPARE(f.services.helpFiles.first(), f.m.app.file(QStringLiteral("Quendrasil.chm")));
    QTest::keyClick(f.child(QStringLiteral("txtTitel")), Qt::Key_F1);
    QCOMPARE(f.services.helpFiles.size(), 2);
}

QTEST_MAIN(TestControlSettings)
#include "tst_controlsettings.moc"
