// The whole program with the real display windows: start-up, a clock face
// asking for the control window, and the ways out.

#include "ControlTestSupport.h"

#include "DisplayWindows.h"
#include "FrmUhrImNetz.h"
#include "Program.h"
#include "WebAddresses.h"

#include <QFontInfo>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>

using namespace drive;

namespace {

struct ProgramFixture {
    QTemporaryDir dir;
    Module1 m;
    RecordingServices services;
    std::unique_ptr<Program> program;

    explicit ProgramFixture(const std::optional<Settings>& settings)
    {
        m.app.path = dir.path();
        if (settings)
            settingsfile::write(m.app.file(settingsfile::fileName()), *settings);
        program = std::make_unique<Program>(m, services);
    }
    FrmConfig& frm() const { return *program->frmConfig(); }
    QByteArray iniBytes() const
    {
        QFile file(m.app.file(settingsfile::fileName()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        return program->frmConfig()->findChild<T*>(name);
    }
};

Settings lcdAt500x400()
{
    Settings s;
    s.anzeige = 4;
    s.anzeigeLeft = 500;
    s.anzeigeTop = 400;
    s.startStd = 12;
    s.breiteMaxi = 7200;
    s.hoeheMaxi = 7500;
    return s;
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }

    void fonts_data();
    void fonts();
    void startUp();
    void faceBringsControlWindowBack();
    void closingDisplay_data();
    void closingDisplay();
    void quitThroughCloseBox();
    void pageUrls_data();
    void pageUrls();
    void qrCodesReadBack();
};

void TestProgram::fonts_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("Arial") << "Arial";
    QTest::newRow("Microsoft Sans Serif") << "Microsoft Sans Serif";
}

void TestProgram::fonts()
{
    QFETCH(QString, family);
    QCOMPARE(QFontInfo(QFont(family)).family(), QStringLiteral("Liberation Sans"));
}

void TestProgram::startUp()
{
    ProgramFixture p(lcdAt500x400());
    QVERIFY(!p.program->frmConfig());
    QCOMPARE(p.m.drawing, static_cast<DrawingRoutines*>(&p.program->displayWindows()));
    p.program->start();
    FrmConfig& frm = p.frm();
    QVERIFY(frm.isVisible());
    QCOMPARE(frm.objectName(), QStringLiteral("frmConfig"));
    DisplayForm* lcd = p.program->displayWindows().existing(4);
    QVERIFY(lcd);
    QCOMPARE(lcd->objectName(), QStringLiteral("frmLCD"));
    QCOMPARE(p.m.frmAnzeige, lcd);
    QVERIFY(lcd->isVisible());
    QCOMPARE(lcd->formLeft(), 500.0);
    QCOMPARE(lcd->formTop(), 400.0);
    for (int style = 0; style < kStyleCount; ++style)
        QCOMPARE(p.program->displayWindows().existing(style) != nullptr, style == 4);
    QVERIFY(p.services.messages.isEmpty());
    QVERIFY(p.services.errors.isEmpty());
}

void TestProgram::faceBringsControlWindowBack()
{
    ProgramFixture p(lcdAt500x400());
    p.program->start();
    p.child<QAbstractButton>(QStringLiteral("btnStart"))->click();
    QVERIFY(!p.frm().isVisible());
    emit p.m.frmAnzeige->configRequested(); // a click on the clock face
    QVERIFY(p.frm().isVisible());
    QVERIFY(p.frm().findChild<ExactTimer*>(QStringLiteral("Timer"))->isEnabled());
    QVERIFY(p.m.frmAnzeige->isVisible());
    QVERIFY(p.services.ends.isEmpty());
}

void TestProgram::closingDisplay_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("save and end") << true;
    QTest::newRow("end without saving") << false;
}

void TestProgram::closingDisplay()
{
    QFETCH(bool, save);
    ProgramFixture p(lcdAt500x400());
    const QByteArray before = p.iniBytes();
    p.program->start();
    p.child<QLineEdit>(QStringLiteral("txtStd"))->setText(QStringLiteral("15"));
    emit p.m.frmAnzeige->unloadRequested(save);
    QCOMPARE(p.services.ends, QList<int>{0});
    QCOMPARE(settingsfile::parse(p.iniBytes()).startStd, save ? 15 : 12);
    QCOMPARE(p.iniBytes() == before, !save);
}

void TestProgram::quitThroughCloseBox()
{
    ProgramFixture p(std::nullopt);
    p.program->start();
    QCOMPARE(p.services.messages.size(), 1); // the missing-file message
    QVERIFY(p.frm().close());
    QCOMPARE(p.services.ends, QList<int>{0});
    const Settings saved = settingsfile::parse(p.iniBytes());
    QCOMPARE(saved.startStd, 12);
    QCOMPARE(saved.faktor, 333);
    QCOMPARE(saved.titel, QStringLiteral("Quendrasil"));
    DisplayForm* maxi = p.program->displayWindows().existing(7);
    QVERIFY(maxi); // made to give its size
    QVERIFY(!maxi->isVisible());
    QCOMPARE(saved.breiteMaxi, qRound(maxi->formWidth()));
}

void TestProgram::pageUrls_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<QStringList>("interfaces");
    QTest::addColumn<QStringList>("urls");
    const QStringList lan{"127.0.0.1", "::1", "192.168.1.20", "fe80::1%eth0", "2001:db8::20", "10.0.0.5",
                          "192.168.1.20"};
    QTest::newRow("every address: IPv4 first, no loopback or link-local, no repeats")
        << "any" << lan
        << QStringList{"http://192.168.1.20:8080/", "http://10.0.0.5:8080/", "http://[2001:db8::20]:8080/"};
    QTest::newRow("IPv6 only") << "::" << lan << QStringList{"http://[2001:db8::20]:8080/"};
    QTest::newRow("IPv4 only") << "0.0.0.0" << lan
                               << QStringList{"http://192.168.1.20:8080/", "http://10.0.0.5:8080/"};
    QTest::newRow("one address") << "192.168.1.20" << lan << QStringList{"http://192.168.1.20:8080/"};
    QTest::newRow("loopback only") << "127.0.0.1" << lan << QStringList{"http://127.0.0.1:8080/"};
    QTest::newRow("a computer without a network")
        << "any" << QStringList{"127.0.0.1", "::1"} << QStringList{"http://127.0.0.1:8080/"};
}

void TestProgram::pageUrls()
{
    QFETCH(QString, bound);
    QFETCH(QStringList, interfaces);
    QFETCH(QStringList, urls);
    QList<QHostAddress> addresses;
    for (const QString& a : interfaces)
        addresses << QHostAddress(a);
    const QHostAddress where = bound == u"any" ? QHostAddress(QHostAddress::Any) : QHostAddress(bound);
    QCOMPARE(::pageUrls(where, 8080, addresses), urls);
}

// The dialog's codes, as a phone's camera would read them from the screen.
void TestProgram::qrCodesReadBack()
{
    const QStringList urls{"http://192.168.1.20:8080/", "http://[2001:db8::20]:8080/?style=analog"};
    FrmUhrImNetz dialog(urls);
    QCOMPARE(dialog.windowTitle(), QStringLiteral(" Uhr im Netz"));
    QTemporaryDir dir;
    for (int i = 0; i < urls.size(); ++i) {
        auto* text = dialog.findChild<QLabel*>(QStringLiteral("lblAdresse%1").arg(i));
        auto* code = dialog.findChild<QLabel*>(QStringLiteral("imgQR%1").arg(i));
        QVERIFY(text && code);
        QVERIFY(text->text().contains(urls[i]));
        const QString png = dir.filePath(QStringLiteral("qr%1.png").arg(i));
        QVERIFY(code->pixmap().save(png));
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), png});
        QVERIFY2(zbar.waitForFinished(10000), "zbarimg is missing (./test installs zbar-tools)");
        QCOMPARE(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(), urls[i]);
    }
    QVERIFY(qrCode(QString(5000, QLatin1Char('x'))).isNull()); // more than a code holds
}

QTEST_MAIN(TestProgram)
#include "tst_controlprogram.moc"
