#include "Dispatch.h"
#include "DisplayLayouts.h"
#include "DisplayTestSupport.h"
#include "DisplayWindows.h"
#include "MaxiForm.h"
#include "Module1.h"
#include "Numbers.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

// What the display windows show: the large analog clock at its sizes, and the
// drawing routines reaching the window of every display style.
class TestDisplayDrawing : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void maxiOpening_data();
    void maxiOpening();
    void maxiResize();
    void maxiDrawsUnshown();
    void maxiDialStaysRound_data();
    void maxiDialStaysRound();
    void routinesReachCurrentWindow();
    void dispatchReachesEveryStyle_data();
    void dispatchReachesEveryStyle();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Module1> m_module;
    std::unique_ptr<DisplayWindows> m_windows;
};

namespace {

// Whether anything is drawn on a transparent drawing.
bool hasInk(const QImage& drawing)
{
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            if (qAlpha(drawing.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

void TestDisplayDrawing::init()
{
    QVERIFY(m_dir.isValid());
    m_windows = freshDisplays(m_module, m_dir);
}

void TestDisplayDrawing::cleanup() { m_windows.reset(); }

void TestDisplayDrawing::maxiOpening_data()
{
    QTest::addColumn<int>("savedWidth");
    QTest::addColumn<int>("savedHeight");
    QTest::addColumn<QSize>("client");
    QTest::newRow("no settings") << 0 << 0 << QSize(624, 579);
    QTest::newRow("too small") << 600 << 600 << QSize(624, 579);
    QTest::newRow("saved") << 6000 << 5250 << QSize(394, 325);
    QTest::newRow("larger than the screen, kept until shown") << 30000 << 20000 << QSize(1994, 1308);
}

void TestDisplayDrawing::maxiOpening()
{
    QFETCH(int, savedWidth);
    QFETCH(int, savedHeight);
    QFETCH(QSize, client);
    m_module->lngBreiteMaxi = savedWidth;
    m_module->lngHoeheMaxi = savedHeight;
    m_module->strTitel = QStringLiteral(" Bahnhof Nord");
    auto* maxi = static_cast<MaxiForm*>(m_windows->get(7));
    QCOMPARE(maxi->size(), client);
    QCOMPARE(maxi->caption(), QStringLiteral(" Bahnhof Nord"));
    QCOMPARE(maxi->minimumSize(), QSize(150, 150));
    // the clock box takes the window's outer size, the round dial the largest
    // square in it less 120 twips
    QVERIFY(qAbs(controlWidth(maxi->dial()) - maxi->formWidth()) <= 7.5);
    QVERIFY(qAbs(controlHeight(maxi->dial()) - maxi->formHeight()) <= 7.5);
    QCOMPARE(maxi->dial()->pos(), QPoint(0, 2));
    auto* dialImage = control(maxi, "imgUhr(0)");
    const double side = std::min(maxi->formWidth(), maxi->formHeight()) - 120;
    QVERIFY(qAbs(controlWidth(dialImage) - side) <= 15);
    QCOMPARE(dialImage->width(), dialImage->height());
    QVERIFY(control<ImageBox>(maxi, "imgUhr(0)")->stretch());
}

void TestDisplayDrawing::maxiResize()
{
    auto* maxi = static_cast<MaxiForm*>(m_windows->get(7));
    QVERIFY(showActive(maxi));
    // the second dial lies covered by the clock box
    QWidget* hit = maxi->childAt(control(maxi, "imgUhr(1)")->geometry().center());
    QVERIFY(hit == maxi->dial() || maxi->dial()->isAncestorOf(hit));
    auto* dialImage = control(maxi, "imgUhr(0)");
    maxi->setFormSize(7200, 7180);
    // round: 7060 twips across, within 7200 by 7180
    QTRY_COMPARE(dialImage->size(), QSize(471, 471));
    QCOMPARE(dialImage->y(), 2);
    QCOMPARE(controlWidth(maxi->dial()), 7200.0);
    // the window cannot be made smaller than a readable clock
    maxi->resize(40, 30);
    QTRY_COMPARE(maxi->size(), QSize(150, 150));
    QCOMPARE(controlWidth(dialImage), (156 * 15) - 120.0);
    // minimized by the user, it comes back whenever it is shown
    maxi->setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
    maxi->showForm();
    QCOMPARE(maxi->windowState(), Qt::WindowMaximized);
}

void TestDisplayDrawing::maxiDrawsUnshown()
{
    // the tick draws the large clock also when its window was never shown
    m_windows->analogzeitMaxi(15);
    auto* maxi = static_cast<MaxiForm*>(m_windows->existing(7));
    QVERIFY(maxi);
    QVERIFY(!maxi->isVisible());
    QCOMPARE(maxi->hands().lngLaengeSec,
             numbers::toLong(std::min(controlWidth(maxi->dial()), controlHeight(maxi->dial())) / 3.7));
    QCOMPARE(maxi->hands().intSekunden, 15);
    QVERIFY(!maxi->dial()->drawing().isNull());
    QCOMPARE(m_windows->get(7), maxi); // one window, loaded once
}

void TestDisplayDrawing::maxiDialStaysRound_data()
{
    QTest::addColumn<QSize>("outer"); // pixels
    QTest::newRow("16:9") << QSize(1600, 900);
    QTest::newRow("4:3") << QSize(800, 600);
    QTest::newRow("portrait") << QSize(450, 800);
    QTest::newRow("square") << QSize(606, 606);
}

// In a window of any shape the dial is the largest centred circle, and the
// disc that erases the old hands never reaches the dial's marks.
void TestDisplayDrawing::maxiDialStaysRound()
{
    QFETCH(QSize, outer);
    auto* maxi = static_cast<MaxiForm*>(m_windows->get(7));
    maxi->setFormSize(outer.width() * 15.0, outer.height() * 15.0);
    QVERIFY(showActive(maxi));
    QTRY_COMPARE(maxi->outerSizePx(), outer);
    PictureBox* box = maxi->dial();
    QWidget* dial = control(maxi, "imgUhr(0)");
    const int side = std::min(outer.width(), outer.height()) - 8;
    QCOMPARE(dial->size(), QSize(side, side));
    // centred where the dial of a square box lies: 30 twips left of and above the middle
    QVERIFY(qAbs(dial->geometry().center().x() - (box->width() / 2 - 2)) <= 1);
    QVERIFY(qAbs(dial->geometry().center().y() - (box->height() / 2 - 2)) <= 1);

    // the ring of marks, as the dial shows it, and after the hands were drawn
    // and erased twice
    const QImage before = box->grab().toImage();
    for (std::int32_t zeit : {0, 3 * 3600 + 1805, 6 * 3600 + 910})
        m_windows->analogzeitMaxi(zeit);
    const QImage after = box->grab().toImage();
    QCOMPARE(after.size(), before.size());
    const QPointF centre = QRectF(dial->geometry()).center();
    int marks = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const double r = QLineF(centre, QPointF(x + 0.5, y + 0.5)).length() / side;
            if (r < 0.31 || r > 0.42)
                continue;
            marks += qGray(before.pixel(x, y)) < 64;
            if (before.pixel(x, y) != after.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("the mark at %1, %2 was painted over").arg(x).arg(y)));
        }
    QVERIFY(marks > side); // the ring holds the marks
}

void TestDisplayDrawing::routinesReachCurrentWindow()
{
    m_module->frmAnzeige = m_windows->get(4);
    m_module->lngStd = 7;
    m_module->lngMin = 5;
    m_module->lngSec = 0;
    m_module->lngFaktor = 1000;
    m_windows->digitalzeit();
    const DigitalFace* face = m_module->frmAnzeige->digitalFace();
    QCOMPARE(face->imgStd[1]->picture().toImage(), face->imgZiffer[7]->picture().toImage());
    QCOMPARE(face->imgMin[1]->picture().toImage(), face->imgZiffer[5]->picture().toImage());
    QVERIFY(face->imgSec->isHidden());

    m_module->frmAnzeige = m_windows->get(1);
    m_windows->analogzeit(3600);
    QVERIFY(hasInk(m_module->frmAnzeige->dial()->drawing()));
}

void TestDisplayDrawing::dispatchReachesEveryStyle_data()
{
    QTest::addColumn<int>("style");
    for (int style = 0; style < kStyleCount; ++style)
        QTest::addRow("%d %s", style, qPrintable(windowDesign(style).name)) << style;
}

// The tick's dispatch draws 07:05 into the window of every style: the hands on
// its dial or the digits on its face.
void TestDisplayDrawing::dispatchReachesEveryStyle()
{
    QFETCH(int, style);
    m_module->intAnzeige = static_cast<std::int16_t>(style);
    m_module->frmAnzeige = m_windows->get(style);
    m_module->lngZeit = 7 * 3600 + 5 * 60;
    m_module->lngStd = 7;
    m_module->lngMin = 5;
    m_module->lngSec = 0;
    m_module->lngFaktor = 1000;
    anzeigeAktualisieren(*m_module);
    DisplayForm* form = m_module->frmAnzeige;
    if (routineFor(style) == Routine::Digital) {
        const DigitalFace* face = form->digitalFace();
        QVERIFY(face);
        QVERIFY(!face->imgZiffer[7]->picture().isNull());
        QCOMPARE(face->imgStd[1]->picture().toImage(), face->imgZiffer[7]->picture().toImage());
        QCOMPARE(face->imgMin[1]->picture().toImage(), face->imgZiffer[5]->picture().toImage());
    } else {
        QVERIFY(form->dial());
        QVERIFY(hasInk(form->dial()->drawing()));
    }
}

QTEST_MAIN(TestDisplayDrawing)
#include "tst_DisplayDrawing.moc"
