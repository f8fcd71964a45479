#include "DisplayTestSupport.h"
#include "DisplayWindows.h"
#include "Module1.h"
#include "OnScreen.h"
#include "SmallDisplayForm.h"
#include "Twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

// What the display windows do: their sizes on loading and activation, staying
// on top, handing their place on, dragging, bringing the control window back,
// closing, the round shape and staying on the screen.
class TestDisplayBehaviour : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sizes_data();
    void sizes();
    void deactivationRecordsPlace_data();
    void deactivationRecordsPlace();
    void placeHandedOn();
    void drag_data();
    void drag();
    void closing_data();
    void closing();
    void reopen_data();
    void reopen();
    void roundShape();
    void keepFormOnScreen();

private:
    // another window of the program takes the activation
    void activateOther()
    {
        m_other->show();
        m_other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_other.get()));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Module1> m_module;
    std::unique_ptr<DisplayWindows> m_windows;
    std::unique_ptr<QWidget> m_other;
};

namespace {

void sendMouse(QWidget* w, QEvent::Type type, const QPoint& local, const QPoint& global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

void TestDisplayBehaviour::init()
{
    QVERIFY(m_dir.isValid());
    m_windows = freshDisplays(m_module, m_dir);
    m_other = std::make_unique<QWidget>();
    m_other->setObjectName(QStringLiteral("other"));
    m_other->setGeometry(600, 400, 100, 100);
}

void TestDisplayBehaviour::cleanup()
{
    m_windows.reset();
    m_other.reset();
}

void TestDisplayBehaviour::sizes_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QSizeF>("loaded");
    QTest::addColumn<QSizeF>("active");
    QTest::newRow("frmAnalog_R") << 0 << QSizeF(1830, 1815) << QSizeF(1830, 1815);
    QTest::newRow("frmAnalog_X") << 1 << QSizeF(2100, 2400) << QSizeF(2100, 2400);
    QTest::newRow("frmAnalog") << 2 << QSizeF(2175, 2190) << QSizeF(2175, 2190);
    QTest::newRow("frmLCD_X") << 3 << QSizeF(1800, 1320) << QSizeF(1725, 1065);
    QTest::newRow("frmLCD") << 4 << QSizeF(1800, 1320) << QSizeF(1725, 750);
    QTest::newRow("frmLED_X") << 5 << QSizeF(1920, 2250) << QSizeF(1920, 1050);
    QTest::newRow("frmLED") << 6 << QSizeF(1935, 1950) << QSizeF(1935, 735);
}

void TestDisplayBehaviour::sizes()
{
    QFETCH(int, style);
    QFETCH(QSizeF, loaded);
    QFETCH(QSizeF, active);
    auto* form = static_cast<SmallDisplayForm*>(m_windows->get(style));
    QVERIFY(form->isLoaded());
    QCOMPARE(QSizeF(form->formWidth(), form->formHeight()), loaded);
    QVERIFY(!form->staysOnTop());

    // the window reaches the screen with its activation size and on top already
    struct AtShow : QObject {
        Form* form;
        QSizeF size;
        bool onTop = false;
        explicit AtShow(Form* f) : form(f) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Show && size.isEmpty()) {
                size = QSizeF(form->formWidth(), form->formHeight());
                onTop = form->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            }
            return false;
        }
    } atShow(form);
    form->installEventFilter(&atShow);

    for (int round = 0; round < 2; ++round) {
        QVERIFY(showActive(form));
        QCOMPARE(QSizeF(form->formWidth(), form->formHeight()), active);
        QVERIFY(form->staysOnTop());
        QVERIFY(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        if (const DigitalFace* face = form->digitalFace()) {
            // the digit store lies below the visible area, the digits within it
            for (ImageBox* stored : face->imgZiffer)
                QVERIFY2(stored->y() >= form->height(), qPrintable(stored->objectName()));
            for (ImageBox* place : {face->imgStd[0], face->imgStd[1], face->imgMin[0], face->imgMin[1]}) {
                QVERIFY(form->rect().contains(place->geometry()));
                QCOMPARE(form->childAt(place->geometry().center()), place); // above the background
            }
            QVERIFY(form->rect().contains(face->lblSec->geometry()));
            QCOMPARE(form->childAt(face->lblSec->geometry().center()), face->lblSec);
        }
        // once more after the control window had the activation
        activateOther();
    }
    QCOMPARE(atShow.size, active);
    QVERIFY(atShow.onTop);
}

void TestDisplayBehaviour::deactivationRecordsPlace_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QPointF>("place");
    QTest::addColumn<QPoint>("recorded");
    QTest::newRow("frmLCD whole") << 4 << QPointF(1500, 900) << QPoint(1500, 900);
    QTest::newRow("frmLED_X halves to even") << 5 << QPointF(1000.5, 1001.5) << QPoint(1000, 1002);
    QTest::newRow("frmAnalog_R") << 0 << QPointF(30, 45.4) << QPoint(30, 45);
    QTest::newRow("frmAnalog_X") << 1 << QPointF(3000, 2000) << QPoint(3000, 2000);
    QTest::newRow("frmAnalogMaxi records nothing") << 7 << QPointF(1500, 900) << QPoint(-1, -1);
    QTest::newRow("frmLEDStretch records nothing") << 8 << QPointF(1500, 900) << QPoint(-1, -1);
}

void TestDisplayBehaviour::deactivationRecordsPlace()
{
    QFETCH(int, style);
    QFETCH(QPointF, place);
    QFETCH(QPoint, recorded);
    m_module->lngAnzeigeLeft = -1;
    m_module->lngAnzeigeTop = -1;
    DisplayForm* form = m_windows->get(style);
    form->setFormPos(place.x(), place.y());
    QVERIFY(showActive(form));
    QCOMPARE(m_module->lngAnzeigeLeft, -1); // activation records nothing
    activateOther();
    QVERIFY(!form->isFormActive());
    QCOMPARE(QPoint(m_module->lngAnzeigeLeft, m_module->lngAnzeigeTop), recorded);
    // the large windows are ordinary windows
    QCOMPARE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), style <= 6);
}

void TestDisplayBehaviour::placeHandedOn()
{
    DisplayForm* lcd = m_windows->get(4);
    lcd->setFormPos(500, 400);
    QVERIFY(showActive(lcd));
    // dragged 17 pixels right and 9 down by its surface
    const QPoint grip(3, 3);
    const QPoint start = lcd->mapToGlobal(grip);
    sendMouse(lcd, QEvent::MouseButtonPress, grip, start, Qt::LeftButton, Qt::LeftButton);
    sendMouse(lcd, QEvent::MouseMove, grip, start + QPoint(17, 9), Qt::NoButton, Qt::LeftButton);
    sendMouse(lcd, QEvent::MouseButtonRelease, grip, start + QPoint(17, 9), Qt::LeftButton, Qt::NoButton);
    const QPoint left = lcd->pos();
    QCOMPARE(left, QPoint(33 + 17, 27 + 9)); // placed at 500, 400 twips: 33, 27 pixels
    activateOther();
    lcd->hideForm();
    QCOMPARE(QPoint(m_module->lngAnzeigeLeft, m_module->lngAnzeigeTop), QPoint(50 * 15, 36 * 15));

    DisplayForm* led = m_windows->get(6);
    led->setFormPos(m_module->lngAnzeigeLeft, m_module->lngAnzeigeTop);
    QVERIFY(showActive(led));
    QCOMPARE(led->pos(), left);
    QCOMPARE(led->formLeft(), lcd->formLeft());
    QCOMPARE(led->formTop(), lcd->formTop());
}

void TestDisplayBehaviour::drag_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("frmAnalog_R left") << 0 << Qt::LeftButton << true;
    QTest::newRow("frmAnalog left") << 2 << Qt::LeftButton << true;
    QTest::newRow("frmLCD left") << 4 << Qt::LeftButton << true;
    QTest::newRow("frmLED left") << 6 << Qt::LeftButton << true;
    QTest::newRow("frmLCD right") << 4 << Qt::RightButton << false;
    QTest::newRow("frmLCD middle") << 4 << Qt::MiddleButton << false;
    QTest::newRow("frmLED right") << 6 << Qt::RightButton << false;
    QTest::newRow("frmLCD_X has a title bar") << 3 << Qt::LeftButton << false;
    QTest::newRow("frmAnalog_X has a title bar") << 1 << Qt::LeftButton << false;
}

void TestDisplayBehaviour::drag()
{
    QFETCH(int, style);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, moves);
    auto* form = static_cast<SmallDisplayForm*>(m_windows->get(style));
    form->setFormPos(1500, 1500);
    QVERIFY(showActive(form));
    const QPoint before = form->pos();
    // a point of the window's own surface, on the ring of the round clock
    const QPoint grip = style == 0 ? QPoint(2, 60) : QPoint(0, 0);
    QVERIFY(!form->childAt(grip));
    const QPoint start = form->mapToGlobal(grip);
    sendMouse(form, QEvent::MouseButtonPress, grip, start, button, button);
    QCOMPARE(form->isDragging(), moves);
    sendMouse(form, QEvent::MouseMove, grip, start + QPoint(40, -20), Qt::NoButton, button);
    sendMouse(form, QEvent::MouseButtonRelease, grip, start + QPoint(40, -20), button, Qt::NoButton);
    QVERIFY(!form->isDragging());
    QCOMPARE(form->pos(), moves ? before + QPoint(40, -20) : before);
    QCOMPARE(form->formLeft(), moves ? (before.x() + 40) * 15.0 : 1500.0);
}

void TestDisplayBehaviour::closing_data()
{
    QTest::addColumn<int>("style");
    for (int style = 0; style < kStyleCount; ++style)
        QTest::addRow("style %d", style) << style;
}

void TestDisplayBehaviour::closing()
{
    QFETCH(int, style);
    DisplayForm* form = m_windows->get(style);
    QVERIFY(showActive(form));
    QSignalSpy own(form, &DisplayForm::unloadRequested);
    QSignalSpy forwarded(m_windows.get(), &DisplayWindows::unloadRequested);
    QVERIFY(form->close());
    QCOMPARE(own.count(), 1);
    QCOMPARE(own.at(0).at(0).toBool(), true); // save the settings, then end
    QCOMPARE(forwarded.count(), 1);
    QCOMPARE(forwarded.at(0).at(0).toBool(), true);
}

void TestDisplayBehaviour::reopen_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("onClick");
    QTest::addColumn<QStringList>("onDoubleClick");
    const QStringList digits{"imgStd(1)", "imgStd(2)", "imgMin(1)", "imgMin(2)"};
    QTest::newRow("frmAnalog_R") << 0 << QStringList() << QStringList{"picUhr"};
    QTest::newRow("frmAnalog_X") << 1 << QStringList() << QStringList{"picUhr"};
    QTest::newRow("frmAnalog") << 2 << QStringList() << QStringList{"picUhr"};
    QTest::newRow("frmLCD_X") << 3 << QStringList{"Image1"} << (digits + QStringList{"lblSec", "imgSec"});
    QTest::newRow("frmLCD") << 4 << QStringList() << (digits + QStringList{"lblSec", "Image1"});
    QTest::newRow("frmLED_X") << 5 << QStringList() << (digits + QStringList{"lblSec", "Label1"});
    QTest::newRow("frmLED") << 6 << QStringList() << (digits + QStringList{"lblSec", "Label1"});
    QTest::newRow("frmAnalogMaxi") << 7 << QStringList() << QStringList{"picUhr", "imgUhr(0)", "imgUhr(1)"};
    QTest::newRow("frmLEDStretch") << 8 << QStringList{"Image1", "imgMin(1)", "imgMin(2)"}
                                   << QStringList{"imgStd(1)", "imgStd(2)", "lblSec"};
}

void TestDisplayBehaviour::reopen()
{
    QFETCH(int, style);
    QFETCH(QStringList, onClick);
    QFETCH(QStringList, onDoubleClick);
    DisplayForm* form = m_windows->get(style);
    QVERIFY(showActive(form));
    QSignalSpy forwarded(m_windows.get(), &DisplayWindows::configRequested);
    QSignalSpy all(form, &DisplayForm::configRequested);
    // every named control of the window: those not listed do nothing
    for (QWidget* c : form->findChildren<QWidget*>()) {
        const QString name = c->objectName();
        if (name.isEmpty())
            continue;
        QSignalSpy spy(form, &DisplayForm::configRequested);
        QTest::mouseClick(c, Qt::LeftButton);
        QCOMPARE(spy.count() > 0, onClick.contains(name));
        spy.clear();
        QTest::mouseClick(c, Qt::RightButton);
        QCOMPARE(spy.count(), 0);
        QTest::mouseDClick(c, Qt::LeftButton);
        if (onDoubleClick.contains(name))
            QVERIFY2(spy.count() == 1, qPrintable(name));
        else if (!onClick.contains(name))
            QVERIFY2(spy.count() == 0, qPrintable(name));
    }
    QVERIFY(all.count() >= onClick.size() + onDoubleClick.size());
    QCOMPARE(forwarded.count(), all.count());
    // a press on the window's own surface brings nothing back
    QSignalSpy surface(form, &DisplayForm::configRequested);
    QTest::mouseDClick(form, Qt::LeftButton, {}, QPoint(0, 0));
    QCOMPARE(surface.count(), 0);
    QVERIFY(form->isVisible()); // the window stays where it is
}

void TestDisplayBehaviour::roundShape()
{
    DisplayForm* round = m_windows->get(0);
    // in place from loading on, before the window is first shown
    QVERIFY(!round->isVisible());
    const QRegion mask = round->mask();
    QCOMPARE(mask.boundingRect(), QRect(0, 1, 120, 120));
    QCOMPARE(round->size(), QSize(122, 121));
    const QRect dial = round->dial()->geometry();
    QVERIFY(mask.contains(QPoint(60, 61)));
    for (const QPoint corner : {QPoint(0, 0), QPoint(121, 0), QPoint(0, 120), QPoint(121, 120), QPoint(6, 8)})
        QVERIFY(!mask.contains(corner));
    // the whole dial stays visible, and a black ring of about 4.5 pixels around it
    QVERIFY(mask.contains(dial.center()));
    int ringLeft = 0;
    while (mask.contains(QPoint(dial.left() - ringLeft - 1, 61)))
        ++ringLeft;
    int ringRight = 0;
    while (mask.contains(QPoint(dial.right() + ringRight + 1, 61)))
        ++ringRight;
    int ringTop = 0;
    while (mask.contains(QPoint(60, dial.top() - ringTop - 1)))
        ++ringTop;
    int ringBottom = 0;
    while (mask.contains(QPoint(60, dial.bottom() + ringBottom + 1)))
        ++ringBottom;
    QCOMPARE(ringLeft + ringRight, 9);
    QCOMPARE(ringTop + ringBottom, 9);
    QVERIFY(qAbs(ringLeft - ringRight) <= 1 && qAbs(ringTop - ringBottom) <= 1);

    // kept for the window's life
    QVERIFY(showActive(round));
    round->hideForm();
    QVERIFY(showActive(round));
    QCOMPARE(round->mask(), mask);
    QVERIFY(m_windows->get(2)->mask().isEmpty());
}

void TestDisplayBehaviour::keepFormOnScreen()
{
    DisplayForm* form = m_windows->get(6);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    form->setFormPos(1500.5, 1200);
    QVERIFY(!::keepOnScreen(*form));
    QCOMPARE(form->formLeft(), 1500.5); // kept exactly as saved
    form->setFormPos((screen.right() + 500) * 15.0, -4000);
    QVERIFY(::keepOnScreen(*form));
    QVERIFY(screen.contains(QRect(form->pos(), form->size())));
    QCOMPARE(form->pos(), QPoint(screen.right() + 1 - form->width(), screen.top()));
}

QTEST_MAIN(TestDisplayBehaviour)
#include "tst_DisplayBehaviour.moc"
