#include "DisplayLayouts.h"
#include "DisplayTestSupport.h"
#include "DisplayWindows.h"
#include "Module1.h"
#include "StretchLayout.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

// The display windows as they are created, before they are loaded, and
// the layout of the stretched LED window at its sizes.
class TestDisplayLayouts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void names_data();
    void names();
    void frame_data();
    void frame();
    void tips_data();
    void tips();
    void placesAsCreated_data();
    void placesAsCreated();
    void faceAsCreated_data();
    void faceAsCreated();
    void analogDials_data();
    void analogDials();
    // the stretched LED window laid out at its sizes
    void stretchLayoutApplied_data();
    void stretchLayoutApplied();

private:
    std::unique_ptr<DisplayForm> create(int style)
    {
        m_module = std::make_unique<Module1>();
        m_module->app.path = m_dir.path();
        return makeDisplayWindow(*m_module, style);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Module1> m_module;
};

namespace {

QStringList digitalControls(const QString& background)
{
    QStringList names{background, "imgStd(1)", "imgStd(2)", "imgSec", "imgMin(1)", "imgMin(2)", "lblSec"};
    for (int i = 0; i < 10; ++i)
        names << QStringLiteral("imgZiffer(%1)").arg(i);
    return names;
}

const QColor kWorkspace(171, 171, 171);
const QColor kButtonFace(212, 208, 200);

} // namespace

void TestDisplayLayouts::init() { QVERIFY(m_dir.isValid()); }

void TestDisplayLayouts::names_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("controls");
    QTest::newRow("0") << 0 << "frmAnalog_R" << QStringList{"picUhr"};
    QTest::newRow("1") << 1 << "frmAnalog_X" << QStringList{"picUhr"};
    QTest::newRow("2") << 2 << "frmAnalog" << QStringList{"picUhr"};
    QTest::newRow("3") << 3 << "frmLCD_X" << digitalControls("Image1");
    QTest::newRow("4") << 4 << "frmLCD" << digitalControls("Image1");
    QTest::newRow("5") << 5 << "frmLED_X" << digitalControls("Label1");
    QTest::newRow("6") << 6 << "frmLED" << digitalControls("Label1");
    QTest::newRow("7") << 7 << "frmAnalogMaxi" << QStringList{"picUhr", "imgUhr(0)", "imgUhr(1)"};
    QTest::newRow("8") << 8 << "frmLEDStretch" << digitalControls("Image1");
}

void TestDisplayLayouts::names()
{
    QFETCH(int, style);
    QFETCH(QString, name);
    QFETCH(QStringList, controls);
    auto form = create(style);
    QVERIFY(form);
    QCOMPARE(form->objectName(), name);
    QCOMPARE(form->style(), style);
    QVERIFY(!form->isLoaded());
    for (const QString& c : controls)
        QVERIFY2(control(form.get(), c), qPrintable(c));
    // the analog windows hand their dial to the hands, the digital ones their face
    QCOMPARE(form->dial() != nullptr, routineFor(style) != Routine::Digital);
    QCOMPARE(form->digitalFace() != nullptr, routineFor(style) == Routine::Digital);
    QVERIFY(!makeDisplayWindow(*m_module, kStyleCount));
    QVERIFY(!makeDisplayWindow(*m_module, -1));
}

void TestDisplayLayouts::frame_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("titleBar");
    QTest::addColumn<bool>("sizable");
    QTest::addColumn<bool>("minButton");
    QTest::addColumn<bool>("maxButton");
    QTest::addColumn<bool>("taskbar");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QSize>("client");
    QTest::newRow("frmAnalog_R") << 0 << false << false << false << false << false << "Uhr" << QColor(Qt::black) << QSize(122, 121);
    QTest::newRow("frmAnalog_X") << 1 << true << false << false << false << false << " Quendrasil" << kWorkspace << QSize(134, 135);
    QTest::newRow("frmAnalog") << 2 << false << false << false << false << false << "" << kWorkspace << QSize(139, 140);
    QTest::newRow("frmLCD_X") << 3 << true << false << false << false << false << "" << kWorkspace << QSize(108, 129);
    QTest::newRow("frmLCD") << 4 << false << false << false << false << false << "" << kWorkspace << QSize(109, 121);
    QTest::newRow("frmLED_X") << 5 << true << false << false << false << false << "" << kButtonFace << QSize(122, 125);
    QTest::newRow("frmLED") << 6 << false << false << false << false << false << "" << kButtonFace << QSize(123, 124);
    QTest::newRow("frmAnalogMaxi") << 7 << true << true << true << true << true << " Uhrzeit" << kButtonFace << QSize(624, 579);
    QTest::newRow("frmLEDStretch") << 8 << true << true << false << true << true << " LED Stretch" << kButtonFace << QSize(1018, 1018);
}

void TestDisplayLayouts::frame()
{
    QFETCH(int, style);
    QFETCH(bool, titleBar);
    QFETCH(bool, sizable);
    QFETCH(bool, minButton);
    QFETCH(bool, maxButton);
    QFETCH(bool, taskbar);
    QFETCH(QString, caption);
    QFETCH(QColor, background);
    QFETCH(QSize, client);
    auto form = create(style);
    const Qt::WindowFlags flags = form->windowFlags();
    QCOMPARE(!flags.testFlag(Qt::FramelessWindowHint), titleBar);
    QCOMPARE(flags.testFlag(Qt::WindowMinimizeButtonHint), minButton);
    QCOMPARE(flags.testFlag(Qt::WindowMaximizeButtonHint), maxButton);
    QCOMPARE(form->windowType() == Qt::Window, taskbar); // tool windows stay off the task bar
    QCOMPARE(form->minimumSize() != form->maximumSize(), sizable);
    if (titleBar)
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(form->caption(), caption);
    QCOMPARE(form->palette().color(QPalette::Window), background);
    QVERIFY(form->autoFillBackground());
    QCOMPARE(form->clientArea()->size(), client);
    // the outer size follows the frame model: 6 pixels wider, 25 higher with a
    // title bar; the fixed dialog frame of the windows without one is a
    // 3-pixel edge drawn inside them (the round clock shows only its circle)
    const bool edged = style == 2 || style == 4 || style == 6;
    QCOMPARE(form->formWidth(), (client.width() + (titleBar || edged ? 6 : 0)) * 15.0);
    QCOMPARE(form->formHeight(), (client.height() + (titleBar ? 25 : edged ? 6 : 0)) * 15.0);
    if (edged)
        QCOMPARE(form->clientArea()->geometry(), QRect(QPoint(3, 3), client));
    QVERIFY(!form->windowIcon().isNull());
}

void TestDisplayLayouts::tips_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("tipped");
    const QStringList places{"imgStd(1)", "imgStd(2)", "imgMin(1)", "imgMin(2)", "lblSec"};
    QTest::newRow("frmAnalog_R") << 0 << QStringList{"picUhr"};
    QTest::newRow("frmAnalog_X") << 1 << QStringList{"picUhr"};
    QTest::newRow("frmAnalog") << 2 << QStringList{"picUhr"};
    QTest::newRow("frmLCD_X") << 3 << (places + QStringList{"imgSec"});
    QTest::newRow("frmLCD") << 4 << places;
    QTest::newRow("frmLED_X") << 5 << places;
    QTest::newRow("frmLED") << 6 << places;
    QTest::newRow("frmAnalogMaxi") << 7 << QStringList();
    QTest::newRow("frmLEDStretch") << 8 << QStringList{"lblSec"};
}

void TestDisplayLayouts::tips()
{
    QFETCH(int, style);
    QFETCH(QStringList, tipped);
    auto form = create(style);
    const QString tip = QStringLiteral(" Doppelklick ruft das Konfigurations-Fenster auf ");
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty())
            continue;
        QCOMPARE(w->toolTip(), tipped.contains(w->objectName()) ? tip : QString());
    }
}

void TestDisplayLayouts::placesAsCreated_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("round dial") << 0 << "picUhr" << QRect(5, 6, 111, 111);
    QTest::newRow("square dial X") << 1 << "picUhr" << QRect(1, 1, 131, 132);
    QTest::newRow("square dial") << 2 << "picUhr" << QRect(4, 4, 131, 132);
    QTest::newRow("LCD_X frame") << 3 << "Image1" << QRect(2, 4, 104, 39);
    QTest::newRow("LCD_X separator") << 3 << "imgSec" << QRect(46, 18, 3, 11);
    QTest::newRow("LCD hour tens") << 4 << "imgStd(1)" << QRect(10, 8, 15, 27);
    QTest::newRow("LCD minute units") << 4 << "imgMin(2)" << QRect(70, 8, 15, 27);
    QTest::newRow("LCD seconds") << 4 << "lblSec" << QRect(88, 23, 21, 15);
    QTest::newRow("LCD store 4") << 4 << "imgZiffer(4)" << QRect(80, 54, 15, 27);
    QTest::newRow("LED_X field") << 5 << "Label1" << QRect(2, 4, 119, 39);
    QTest::newRow("LED_X store 0") << 5 << "imgZiffer(0)" << QRect(12, 54, 18, 29);
    QTest::newRow("LED store 7, narrower") << 6 << "imgZiffer(7)" << QRect(51, 82, 17, 29);
    QTest::newRow("LED seconds") << 6 << "lblSec" << QRect(98, 21, 21, 15);
    QTest::newRow("Maxi second dial") << 7 << "imgUhr(1)" << QRect(6, 502, 82, 76);
    QTest::newRow("Maxi dial") << 7 << "imgUhr(0)" << QRect(2, 2, 468, 468);
    QTest::newRow("Maxi clock box") << 7 << "picUhr" << QRect(0, 2, 480, 479);
    QTest::newRow("Stretch background") << 8 << "Image1" << QRect(4, 4, 1006, 398);
    QTest::newRow("Stretch minute tens") << 8 << "imgMin(1)" << QRect(494, 16, 209, 372);
    QTest::newRow("Stretch separator") << 8 << "imgSec" << QRect(464, 176, 15, 48);
    QTest::newRow("Stretch seconds") << 8 << "lblSec" << QRect(928, 330, 75, 65);
    QTest::newRow("Stretch store 8") << 8 << "imgZiffer(8)" << QRect(612, 542, 208, 371);
    QTest::newRow("Stretch store 9") << 8 << "imgZiffer(9)" << QRect(684, 542, 209, 372);
}

void TestDisplayLayouts::placesAsCreated()
{
    QFETCH(int, style);
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    auto form = create(style);
    QWidget* c = control(form.get(), name);
    QVERIFY(c);
    QCOMPARE(c->geometry(), pixels);
}

void TestDisplayLayouts::faceAsCreated_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("digit");
    QTest::addColumn<QColor>("secondsColour");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("frmLCD_X") << 3 << 8 << QColor(Qt::black) << 9 << false;
    QTest::newRow("frmLCD") << 4 << 8 << QColor(Qt::black) << 9 << false;
    QTest::newRow("frmLED_X") << 5 << 8 << QColor(Qt::white) << 9 << false;
    QTest::newRow("frmLED") << 6 << 8 << QColor(Qt::white) << 9 << false;
    QTest::newRow("frmLEDStretch") << 8 << 0 << QColor(Qt::white) << 48 << true;
}

void TestDisplayLayouts::faceAsCreated()
{
    QFETCH(int, style);
    QFETCH(int, digit);
    QFETCH(QColor, secondsColour);
    QFETCH(int, pointSize);
    QFETCH(bool, bold);
    auto form = create(style);
    const DigitalFace* face = form->digitalFace();
    QVERIFY(face);
    // the store holds the ten digits, each a picture of its own
    for (int d = 0; d < 10; ++d) {
        QVERIFY(face->imgZiffer[d] && !face->imgZiffer[d]->picture().isNull());
        QCOMPARE(face->imgZiffer[d]->objectName(), QStringLiteral("imgZiffer(%1)").arg(d));
        QCOMPARE(face->imgZiffer[d]->size(), face->imgZiffer[d]->picture().size()); // natural size
        if (d > 0)
            QVERIFY(face->imgZiffer[d]->picture().toImage() != face->imgZiffer[d - 1]->picture().toImage());
    }
    const QImage shown = face->imgZiffer[digit]->picture().toImage();
    for (ImageBox* place : {face->imgStd[0], face->imgStd[1], face->imgMin[0], face->imgMin[1]})
        QCOMPARE(place->picture().toImage(), shown);
    QVERIFY(!face->imgSec->isHidden());
    QCOMPARE(face->lblSec->text(), QStringLiteral("00"));
    QCOMPARE(face->lblSec->font().family(), QStringLiteral("Arial"));
    QCOMPARE(face->lblSec->font().pointSize(), pointSize);
    QCOMPARE(face->lblSec->font().bold(), bold);
    QCOMPARE(face->lblSec->palette().color(QPalette::WindowText), secondsColour);
    QVERIFY(!face->lblSec->autoFillBackground()); // transparent
    // the large digit places stretch their pictures smoothly; the store does not stretch
    QCOMPARE(face->imgStd[0]->stretch(), style == 8);
    QVERIFY(!face->imgZiffer[0]->stretch());
    QVERIFY(!face->imgSec->stretch());
}

void TestDisplayLayouts::analogDials_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QSize>("dial");
    QTest::addColumn<bool>("sunken");
    QTest::newRow("frmAnalog_R") << 0 << QSize(111, 111) << false;
    QTest::newRow("frmAnalog_X") << 1 << QSize(128, 129) << true;
    QTest::newRow("frmAnalog") << 2 << QSize(128, 129) << true;
    QTest::newRow("frmAnalogMaxi") << 7 << QSize(0, 0) << false;
}

void TestDisplayLayouts::analogDials()
{
    QFETCH(int, style);
    QFETCH(QSize, dial);
    QFETCH(bool, sunken);
    auto form = create(style);
    PictureBox* box = form->dial();
    QVERIFY(box);
    QCOMPARE(box->objectName(), QStringLiteral("picUhr"));
    QCOMPARE(box->picture().size(), dial);
    QCOMPARE(box->frameShadow() == QFrame::Sunken && box->lineWidth() > 0, sunken);
    if (sunken)
        QCOMPARE(box->palette().color(QPalette::Window), QColor(Qt::white));
    if (style == 7) {
        // the dial image lies inside the clock box; the second copy on the window, under it
        auto* img0 = control<ImageBox>(form.get(), "imgUhr(0)");
        auto* img1 = control<ImageBox>(form.get(), "imgUhr(1)");
        QCOMPARE(img0->parentWidget(), box);
        QCOMPARE(img1->parentWidget(), form.get());
        QVERIFY(img0->stretch() && img1->stretch());
        QCOMPARE(img0->picture().size(), QSize(480, 480));
        const QObjectList& order = form->children();
        QVERIFY(order.indexOf(img1) < order.indexOf(box));
    }
}

void TestDisplayLayouts::stretchLayoutApplied_data()
{
    // the outer size, the hour tens digit (left, top, width, height) and the
    // left edges of the hour units and minute units digits, all in twips
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QRectF>("std1");
    QTest::addColumn<double>("std2Left");
    QTest::addColumn<double>("min2Left");
    QTest::newRow("load size") << QSizeF(15360, 6450) << QRectF(307.2, 645, 3072, 5160) << 3532.6 << 11059.0;
    QTest::newRow("half") << QSizeF(7680, 3225) << QRectF(153.6, 322.5, 1536, 2580) << 1766.8 << 5530.0;
    QTest::newRow("odd") << QSizeF(15375, 9000) << QRectF(307.5, 900, 3075, 7200) << 3536.75 << 11070.5;
    QTest::newRow("small") << QSizeF(4500, 2400) << QRectF(90, 240, 900, 1920) << 1035.0 << 3240.0;
    QTest::newRow("low") << QSizeF(15360, 3075) << QRectF(307.2, 307.5, 3072, 2460) << 3532.6 << 11059.0;
}

void TestDisplayLayouts::stretchLayoutApplied()
{
    QFETCH(QSizeF, size);
    QFETCH(QRectF, std1);
    QFETCH(double, std2Left);
    QFETCH(double, min2Left);
    const auto window = create(8);
    DisplayForm* form = window.get();
    form->load();
    QCOMPARE(QSizeF(form->formWidth(), form->formHeight()), QSizeF(15360, 6450));
    QVERIFY(showActive(form));
    form->setFormSize(size.width(), size.height());
    QTRY_COMPARE(QSizeF(form->formWidth(), form->formHeight()), size);
    QCOMPARE(form->minimumSize(), QSize(0, 0));
    // the digits and the separator as fractions of the outer size
    const double w = size.width(), h = size.height();
    const DigitalFace* face = form->digitalFace();
    const auto px = [](double left, double top, double width, double height) {
        return twips::toPixelRect(left, top, width, height);
    };
    QTRY_COMPARE(face->imgStd[0]->geometry(), px(std1.left(), std1.top(), std1.width(), std1.height()));
    QCOMPARE(face->imgStd[1]->geometry(), px(std2Left, std1.top(), std1.width(), std1.height()));
    QCOMPARE(face->imgMin[0]->geometry(), px(w / 2, std1.top(), std1.width(), std1.height()));
    QCOMPARE(face->imgMin[1]->geometry(), px(min2Left, std1.top(), std1.width(), std1.height()));
    QCOMPARE(control(form, "Image1")->geometry(), px(60, 60, float(w) * 0.98f, float(h) * 0.98f));
    QCOMPARE(face->imgSec->pos(), QPoint(twips::toPixels(float(w) * 0.46f), twips::toPixels(float(h) * 0.5f)));
    QCOMPARE(face->imgSec->size(), QSize(15, 48));
    // the seconds show whole in the window, at their place where they fit
    // there, else moved in just to the window's edge
    const QRect seconds = face->lblSec->geometry();
    QVERIFY2(form->rect().contains(seconds), qPrintable(QStringLiteral("seconds at %1, %2")
                                                            .arg(seconds.x()).arg(seconds.y())));
    const QPoint place(twips::toPixels(float(w) * 0.92f), twips::toPixels(float(h) * 0.85f));
    QVERIFY(seconds.x() == place.x() || (seconds.x() < place.x() && seconds.right() == form->width() - 1));
    QVERIFY(seconds.y() == place.y() || (seconds.y() < place.y() && seconds.bottom() == form->height() - 1));
    QCOMPARE(seconds.size(), QSize(75, 65));
    for (ImageBox* stored : face->imgZiffer) {
        QCOMPARE(stored->y(), 1200); // top 18000, below the window
        QCOMPARE(stored->size(), stored->picture().size());
    }
    // the digits and seconds stay above the background at any size (the
    // seconds may lie over a digit in a small window)
    for (ImageBox* place : {face->imgStd[0], face->imgStd[1], face->imgMin[0], face->imgMin[1]})
        if (place->width() > 0 && place->height() > 0) {
            QWidget* hit = form->childAt(place->geometry().center());
            QVERIFY(hit == place || (hit == face->lblSec && seconds.intersects(place->geometry())));
        }
    for (QWidget* top : {static_cast<QWidget*>(face->lblSec), static_cast<QWidget*>(face->imgSec)}) {
        const QPoint inside = top->geometry().topLeft() + QPoint(1, 1);
        if (form->rect().contains(inside))
            QCOMPARE(form->childAt(inside), top);
    }
}

QTEST_MAIN(TestDisplayLayouts)
#include "tst_DisplayLayouts.moc"
