// The control window as it is created: names, places, containment, size, tab
// order, input limits, access keys and texts that fit their boxes.

#include "ControlTestSupport.h"

#include "Controls.h"
#include "ExactTimer.h"
#include "Program.h"

#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

class TestControlLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::prepareFonts(); }

    void window();
    void controls_data();
    void controls();
    void colorsAndFonts_data();
    void colorsAndFonts();
    void disabledQuitIsGreyed();
    void containment();
    void hintUnderPanel();
    void tabOrder_data();
    void tabOrder();
    void refusedCharacters_data();
    void refusedCharacters();
    void accessKeys_data();
    void accessKeys();
    void accessKeyAfterTyping();
    void textsFit();
};

void TestControlLayout::window()
{
    ControlFixture f;
    FrmConfig& frm = f.make();
    QCOMPARE(frm.objectName(), QStringLiteral("frmConfig"));
    QCOMPARE(frm.caption(), QStringLiteral(" Quendrasil-Konfiguration"));
    QCOMPARE(frm.size(), QSize(386, 421));
    QCOMPARE(frm.scaleWidth(), 5790.0);
    QCOMPARE(frm.scaleHeight(), 6315.0);
    const Qt::WindowFlags flags = frm.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool); // no task-bar entry
    QCOMPARE(frm.minimumSize(), frm.maximumSize());  // not resizable
    QCOMPARE(frm.palette().color(QPalette::Window), QColor(128, 128, 255));
    QCOMPARE(QFontInfo(frm.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(frm.font().pointSizeF(), 9.75);
    QVERIFY(!frm.windowIcon().isNull());

    auto* timer = frm.findChild<ExactTimer*>(QStringLiteral("Timer"));
    QVERIFY(timer);
    QVERIFY(!timer->isEnabled());
    QCOMPARE(timer->interval(), 10);
}

void TestControlLayout::controls_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QRect>("twips"); // left, top, width, height

    auto row = [](const char* name, const char* container, const char* caption, const char* tooltip,
                  int l, int t, int w, int h) {
        QTest::newRow(name) << QString::fromUtf8(container) << QString::fromUtf8(caption)
                            << QString::fromUtf8(tooltip) << QRect(l, t, w, h);
    };
    row("pnlConfig", "frmConfig", "", "", 150, 120, 3645, 5445);
    row("btnStart", "frmConfig", "st&arten", " startet die Quendrasil-Anzeige ", 4020, 150, 1500, 420);
    row("btnStop", "frmConfig", "an&halten", " hält die Quendrasil-Anzeige an ", 4020, 630, 1500, 420);
    row("btnVerbergen", "frmConfig", "ver&bergen", " blendet dieses Fenster aus ", 4020, 1110, 1500, 420);
    row("btnHilfe", "frmConfig", "H&ilfe", " ruft die Programmbeschreibung auf ", 4020, 1590, 1500, 420);
    row("btnBeenden", "frmConfig", "b&eenden", " beendet die Quendrasil-Anzeige ", 4020, 2250, 1500, 420);
    row("Label(2)", "frmConfig", "um die Konfiguration zu ändern müssen Sie die Uhr anhalten", "", 420, 630, 3015, 900);
    row("lblCopyright", "frmConfig", "", "", 1680, 5820, 3615, 255);
    row("imgCopyright", "frmConfig", "", "", 4590, 5280, 765, 495);
    row("Rahmen", "frmConfig", "", "", 150, 120, 3495, 4095);
    row("Frame(0)", "pnlConfig", " Konfiguration ", "", 150, 90, 3315, 5205);
    row("Label(3)", "Frame(0)", "Startzeit", "", 210, 420, 825, 285);
    row("txtStd", "Frame(0)", "", "", 1140, 390, 420, 360);
    row("Label(1)", "Frame(0)", ":", "", 1575, 420, 75, 285);
    row("txtMin", "Frame(0)", "", "", 1665, 390, 420, 360);
    row("btnLetzteZeit", "Frame(0)", "<<", " setzt die Startzeit auf die letzte Quendrasil ", 2160, 390, 915, 345);
    row("Label(4)", "Frame(0)", "Zeitbasis", "", 210, 870, 825, 285);
    row("txtFaktor", "Frame(0)", "", "", 1140, 840, 945, 360);
    row("Label(0)", "Frame(0)", "mSec", "", 2220, 870, 555, 285);
    row("optAnzeige(0)", "Frame(0)", "analog rund", "Analoguhr in runder Ausführung ", 150, 1500, 1305, 315);
    row("optAnzeige(1)", "Frame(0)", "analog [X]", " Analoguhr mit Titelzeile ", 150, 1950, 1155, 315);
    row("optAnzeige(2)", "Frame(0)", "analog    ", " Analoguhr ohne Titelzeile ", 1980, 1950, 975, 315);
    row("optAnzeige(3)", "Frame(0)", "LCD    [X]", " Digitaluhr (LCD) mit Titelzeile ", 150, 2400, 1155, 315);
    row("optAnzeige(4)", "Frame(0)", "LCD", " Digitaluhr (LCD) ohne Titelzeile ", 1980, 2400, 795, 315);
    row("optAnzeige(5)", "Frame(0)", "LED    [X]", " Digitaluhr (LED) mit Titelzeile ", 150, 2850, 1155, 315);
    row("optAnzeige(6)", "Frame(0)", "LED", " Digitaluhr (LED) ohne Titelzeile ", 1980, 2850, 795, 315);
    row("optAnzeige(7)", "Frame(0)", "Maxi", " große Analoguhr, in der Größe veränderbar ", 1980, 1500, 795, 315);
    row("optAnzeige(8)", "Frame(0)", "1024 LED stretch", " große Digitaluhr (LED), in der Größe veränderbar ", 150, 3300, 1995, 315);
    row("txtTitel", "Frame(0)", "", " Text der Titelzeile ", 150, 3840, 1245, 360);
    row("lblRelease", "Frame(0)", "Label2", "", 1710, 3930, 1215, 225);
    row("chkDatei", "Frame(0)", "Datei erzeugen", " erzeugt eine Datei mit der akt. Zeit ", 150, 4515, 1830, 360);
}

void TestControlLayout::controls()
{
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(QRect, twips);

    ControlFixture f;
    f.make();
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QWidget* w = f.child(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->parentWidget()->objectName(), container);
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        text = button->text();
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        text = box->title();
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        text = edit->text();
    QCOMPARE(text, caption);
    QCOMPARE(w->toolTip(), tooltip);
    QCOMPARE(QRect(controlLeft(w), controlTop(w), controlWidth(w), controlHeight(w)), twips);
}

void TestControlLayout::colorsAndFonts_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    const QColor blue(0, 0, 192);
    const QPalette system = QApplication::palette();
    const int text = QPalette::WindowText;
    const int buttonText = QPalette::ButtonText;
    QTest::newRow("btnStart") << buttonText << blue << "Arial" << 9.75 << false;
    QTest::newRow("btnBeenden") << buttonText << blue << "Arial" << 9.75 << false;
    QTest::newRow("btnLetzteZeit") << buttonText << system.color(QPalette::ButtonText) << "Arial" << 9.75 << false;
    QTest::newRow("pnlConfig") << int(QPalette::Window) << QColor(212, 208, 200) << "Arial" << 9.75 << false;
    QTest::newRow("Frame(0)") << text << system.color(QPalette::WindowText) << "Arial" << 9.75 << false;
    QTest::newRow("Label(3)") << text << blue << "Arial" << 9.75 << false;
    QTest::newRow("Label(1)") << text << blue << "Arial" << 9.75 << true;
    QTest::newRow("Label(2)") << text << QColor(Qt::white) << "Arial" << 9.75 << false;
    QTest::newRow("lblCopyright") << text << QColor(Qt::white) << "Microsoft Sans Serif" << 9.0 << false;
    QTest::newRow("lblRelease") << text << system.color(QPalette::WindowText) << "Arial" << 9.0 << false;
    QTest::newRow("optAnzeige(2)") << text << blue << "Arial" << 9.76 << false;
    QTest::newRow("chkDatei") << text << blue << "Arial" << 9.75 << false;
    QTest::newRow("txtTitel") << int(QPalette::Base) << QColor(Qt::white) << "Arial" << 9.75 << false;
    QTest::newRow("txtStd") << int(QPalette::Text) << system.color(QPalette::Text) << "Arial" << 9.75 << false;
}

void TestControlLayout::colorsAndFonts()
{
    QFETCH(int, role);
    QFETCH(QColor, color);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    ControlFixture f;
    f.make();
    QWidget* w = f.child(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(w->palette().color(QPalette::Active, QPalette::ColorRole(role)), color);
    QCOMPARE(w->font().family(), family);
    QCOMPARE(w->font().pointSizeF(), points);
    QCOMPARE(w->font().bold(), bold);
}

void TestControlLayout::disabledQuitIsGreyed()
{
    ControlFixture f;
    f.start();
    auto* quit = f.child(QStringLiteral("btnBeenden"));
    f.child<QAbstractButton>(QStringLiteral("btnStart"))->click();
    QVERIFY(!quit->isEnabled());
    QVERIFY(quit->palette().color(QPalette::Disabled, QPalette::ButtonText) != QColor(0, 0, 192));
}

void TestControlLayout::containment()
{
    ControlFixture f;
    FrmConfig& frm = f.start();
    auto* panel = f.child(QStringLiteral("pnlConfig"));
    const QStringList inside = {"Frame(0)", "txtStd",   "txtMin",    "txtFaktor",  "txtTitel",
                                "chkDatei", "Label(0)", "lblRelease", "btnLetzteZeit", "optAnzeige(8)"};
    const QStringList outside = {"btnStart", "btnStop", "btnVerbergen", "btnHilfe", "btnBeenden",
                                 "Label(2)", "lblCopyright", "imgCopyright", "Rahmen"};
    for (const QString& name : inside)
        QVERIFY2(f.child(name)->isVisible(), qPrintable(name));
    panel->hide();
    for (const QString& name : inside)
        QVERIFY2(!f.child(name)->isVisible(), qPrintable(name));
    for (const QString& name : outside)
        QVERIFY2(f.child(name)->isVisible(), qPrintable(name));
    QVERIFY(frm.isVisible());
}

void TestControlLayout::hintUnderPanel()
{
    ControlFixture f;
    FrmConfig& frm = f.start();
    auto* hint = f.child(QStringLiteral("Label(2)"));
    const QPoint inHint = hint->geometry().center();
    QVERIFY(frm.childAt(inHint) != hint); // covered by the panel
    f.child(QStringLiteral("pnlConfig"))->hide();
    QCOMPARE(frm.childAt(inHint), hint);
    QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(Qt::white));
}

void TestControlLayout::tabOrder_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("style 0 chosen") << 0;
    QTest::newRow("style 3 chosen") << 3;
    QTest::newRow("style 8 chosen") << 8;
}

void TestControlLayout::tabOrder()
{
    QFETCH(int, style);
    ControlFixture f;
    Settings s;
    s.anzeige = static_cast<std::int16_t>(style);
    f.writeSettings(s);
    FrmConfig& frm = f.start();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    // a click on another option must not take the others out of the order
    f.child<QRadioButton>(QStringLiteral("optAnzeige(6)"))->click();
    frm.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    f.child(QStringLiteral("txtStd"))->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), f.child(QStringLiteral("txtStd")));

    const QStringList expected = {
        "txtStd",        "txtMin",        "btnBeenden",    "btnStop",       "btnStart",
        "txtFaktor",     "btnVerbergen",  "optAnzeige(2)", "optAnzeige(1)", "btnHilfe",
        "optAnzeige(3)", "optAnzeige(4)", "txtTitel",      "optAnzeige(5)", "optAnzeige(6)",
        "optAnzeige(0)", "optAnzeige(7)", "btnLetzteZeit", "optAnzeige(8)", "chkDatei",
        "txtStd",
    };
    QStringList visited = {QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestControlLayout::refusedCharacters_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("hours, third character") << "txtStd" << "123" << "12";
    QTest::newRow("minutes, third character") << "txtMin" << "459" << "45";
    QTest::newRow("time base, fifth character") << "txtFaktor" << "33335" << "3333";
    QTest::newRow("time base, four fit") << "txtFaktor" << "9999" << "9999";
    QTest::newRow("title, no limit") << "txtTitel" << "Bahnhof Quendrasil Nord" << "Bahnhof Quendrasil Nord";
}

void TestControlLayout::refusedCharacters()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    ControlFixture f;
    f.start();
    auto* edit = f.child<QLineEdit>(box);
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), kept);
}

void TestControlLayout::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    QTest::newRow("Alt+A starts") << int(Qt::Key_A) << "started";
    QTest::newRow("Alt+H holds") << int(Qt::Key_H) << "held";
    QTest::newRow("Alt+B hides") << int(Qt::Key_B) << "hidden";
    QTest::newRow("Alt+I opens the help") << int(Qt::Key_I) << "help";
    QTest::newRow("Alt+E quits") << int(Qt::Key_E) << "ended";
}

void TestControlLayout::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, effect);
    ControlFixture f;
    FrmConfig& frm = f.start();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    auto* timer = frm.findChild<ExactTimer*>(QStringLiteral("Timer"));
    auto* stop = f.child<QAbstractButton>(QStringLiteral("btnStop"));
    QTest::keyClick(&frm, static_cast<Qt::Key>(key), Qt::AltModifier);
    if (effect == "started") {
        QTRY_VERIFY(timer->isEnabled());
        QVERIFY(!frm.isVisible());
    } else if (effect == "held") {
        QTRY_COMPARE(stop->text(), QStringLiteral("&weiter"));
        QVERIFY(frm.isVisible());
    } else if (effect == "hidden") {
        QTRY_VERIFY(!frm.isVisible());
        QVERIFY(!timer->isEnabled());
        QCOMPARE(stop->text(), QStringLiteral("an&halten"));
    } else if (effect == "help") {
        QTRY_COMPARE(f.services.helpFiles, QStringList{f.m.app.file(QStringLiteral("Quendrasil.chm"))});
        QVERIFY(f.services.ends.isEmpty());
    } else {
        QTRY_COMPARE(f.services.ends, QList<int>{0});
        QVERIFY(!f.iniBytes().isEmpty());
        QVERIFY(f.services.helpFiles.isEmpty());
    }
}

// An access key leaves the box being edited first, so its value counts.
void TestControlLayout::accessKeyAfterTyping()
{
    ControlFixture f;
    FrmConfig& frm = f.start();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    auto* box = f.child<QLineEdit>(QStringLiteral("txtFaktor"));
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("50"));
    QTest::keyClick(box, Qt::Key_A, Qt::AltModifier);
    auto* timer = frm.findChild<ExactTimer*>(QStringLiteral("Timer"));
    QTRY_VERIFY(timer->isEnabled());
    QCOMPARE(timer->interval(), 50);
    QCOMPARE(f.m.lngFaktor, 50);
}

// Every caption is seen whole in its box with the stand-in fonts.
void TestControlLayout::textsFit()
{
    ControlFixture f;
    FrmConfig& frm = f.start();
    int checked = 0;
    QStringList cutOff;
    auto need = [&cutOff, &checked](const QWidget* w, QSize needed, QSize box) {
        ++checked;
        if (needed.width() > box.width() || needed.height() > box.height())
            cutOff << QStringLiteral("%1 needs %2 x %3 in %4 x %5")
                          .arg(w->objectName())
                          .arg(needed.width())
                          .arg(needed.height())
                          .arg(box.width())
                          .arg(box.height());
    };
    for (QWidget* w : frm.findChildren<QWidget*>()) {
        const QFontMetrics fm(w->font());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty())
                continue;
            const QRect box = label->contentsRect();
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            need(w, fm.boundingRect(QRect(0, 0, box.width(), 10000), flags, label->text()).size(), box.size());
        } else if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
            // the caption is drawn in the contents part beside the mark; its
            // trailing blanks only line up the marks and need not be seen
            auto* button = static_cast<QAbstractButton*>(w);
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const bool radio = qobject_cast<QRadioButton*>(w);
            const QRect contents = button->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
            const QString seen = QString(button->text()).remove(QRegularExpression(QStringLiteral(" +$")));
            need(w, QSize(fm.horizontalAdvance(seen), fm.height()), contents.size());
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
            need(w, QSize(fm.horizontalAdvance(QString(button->text()).remove(u'&')) + margin, fm.height()),
                 button->size());
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const int digits = edit->maxLength() < 32767 ? edit->maxLength() : 0;
            need(w, QSize(fm.horizontalAdvance(QString(digits, u'0')) + 8, edit->minimumSizeHint().height()),
                 edit->size());
        }
    }
    QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff.join(QStringLiteral("; "))));
    QCOMPARE(checked, 6 + 7 + 9 + 1 + 4); // push buttons, labels, options, check box, text boxes
}

QTEST_MAIN(TestControlLayout)
#include "tst_controllayout.moc"
