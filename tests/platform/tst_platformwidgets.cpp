#include "Application.h"
#include "Controls.h"
#include "FilesFolder.h"
#include "Form.h"
#include "RuntimeError.h"
#include "Services.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

class RecordingServices : public Services {
public:
    QList<int> errors;
    QList<int> ends;
    void runtimeError(const RuntimeError& error) override
    {
        errors << error.number();
        end(1);
    }
    void end(int status) override { ends << status; }
};

class Thrower : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw RuntimeError::pastEndOfFile();
        return QObject::event(e);
    }
};

} // namespace

class TestPlatformWidgets : public QObject {
    Q_OBJECT

private slots:
    // An installed binary is one in the bindir it was built for, or in the
    // bin folder of the same layout under another prefix; nothing else is.
    void installedPlace_data()
    {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<bool>("installed");
        QTest::newRow("the bindir it was built for") << "usr/bin" << true;
        QTest::newRow("the bindir through a link") << "link/bin" << true;
        QTest::newRow("another prefix") << "opt/bin" << true;
        QTest::newRow("a portable copy") << "portable" << false;
        QTest::newRow("a portable copy in a bin folder") << "home/bin" << false;
        QTest::newRow("a folder that does not exist") << "gone/bin" << false;
    }
    void installedPlace()
    {
        QFETCH(QString, programDir);
        QFETCH(bool, installed);
        QTemporaryDir root;
        QDir dir(root.path());
        for (const char* folder : {"usr/bin", "opt/bin", "opt/share/quendrasil/Quendrasil-Hilfe", "portable",
                                   "home/bin", "home/share/quendrasil"})
            QVERIFY(dir.mkpath(QString::fromLatin1(folder)));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("usr")), dir.filePath(QStringLiteral("link"))));
        QCOMPARE(filesfolder::isInstalledPlace(dir.filePath(programDir), dir.filePath(QStringLiteral("usr/bin")),
                                               QStringLiteral("../share/quendrasil")),
                 installed);
    }

    void outerSizeFollowsFrameModel_data()
    {
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QSize>("client");
        QTest::newRow("title bar") << true << 1725.0 << 1065.0 << QSize(109, 46);
        QTest::newRow("frameless") << false << 1725.0 << 750.0 << QSize(115, 50);
        QTest::newRow("fractional twips") << true << 15375.0 << 6450.0 << QSize(1019, 405);
    }
    void outerSizeFollowsFrameModel()
    {
        QFETCH(bool, titleBar);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QSize, client);
        FormStyle style;
        style.titleBar = titleBar;
        Form form(QStringLiteral("frmTest"), style);
        form.setFormSize(width, height);
        QCOMPARE(form.size(), client);
        QCOMPARE(form.formWidth(), width);
        QCOMPARE(form.formHeight(), height);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.size(), client);
        QCOMPARE(form.formWidth(), width);
    }

    void positionReadsBackExactly()
    {
        FormStyle style;
        Form form(QStringLiteral("frmTest"), style);
        form.setFormSize(1800, 1320);
        form.setFormPos(4500, 3007.5);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.formLeft(), 4500.0);
        QCOMPARE(form.formTop(), 3007.5);
        QCOMPARE(form.pos(), QPoint(300, 200));
        form.move(310, 220); // moved by the user
        QCOMPARE(form.formLeft(), 4650.0);
        QCOMPARE(form.formTop(), 3300.0);
    }

    void loadRunsOnce()
    {
        struct Counting : Form {
            int loads = 0;
            Counting() : Form(QStringLiteral("frmCount"), FormStyle{}) {}
            void formLoad() override { ++loads; }
        } form;
        form.load();
        form.showForm();
        form.hideForm();
        form.showForm();
        QCOMPARE(form.loads, 1);
    }

    void optionGroupSelectsByIndex()
    {
        QWidget container;
        OptionGroup group(&container);
        for (int i = 0; i < 3; ++i)
            group.add(i, QStringLiteral("optAnzeige"), QString::number(i), &container);
        QSignalSpy clicked(&group, &OptionGroup::clicked);
        QCOMPARE(group.selected(), -1);
        group.select(2);
        QCOMPARE(group.selected(), 2);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 2);
        group.select(2); // already selected: no second click
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(container.findChild<QRadioButton*>(QStringLiteral("optAnzeige(1)")), group.element(1));
        try {
            group.select(9);
            QFAIL("an index without an element must be a run-time error");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 340);
        }
    }

    void textBoxTellsLostFocus()
    {
        QWidget window;
        auto* a = new TextBox(QStringLiteral("txtA"), &window);
        auto* b = new TextBox(QStringLiteral("txtB"), &window);
        b->move(0, 40);
        a->setMaxLength(2);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy lost(a, &TextBox::lostFocus);
        a->setFocus();
        QTest::keyClicks(a, QStringLiteral("123"));
        QCOMPARE(a->text(), QStringLiteral("12"));
        b->setFocus();
        QCOMPARE(lost.size(), 1);
    }

    void imageTakesNaturalSizeUnlessStretched()
    {
        QWidget container;
        ImageBox image(QStringLiteral("imgStd(1)"), &container);
        place(&image, 120, 90, 270, 435);
        QPixmap seven(17, 29);
        seven.fill(Qt::red);
        image.setPicture(seven);
        QCOMPARE(image.geometry(), QRect(8, 6, 17, 29)); // keeps its top-left corner
        image.setStretch(true);
        place(&image, 0, 0, 300, 600);
        image.setPicture(seven);
        QCOMPARE(image.size(), QSize(20, 40));
    }

    void pictureBoxDrawsInTwips()
    {
        QWidget container;
        PictureBox box(QStringLiteral("picUhr"), &container);
        place(&box, 15, 15, 1965, 1980);
        box.setSunkenBorder(true);
        QCOMPARE(box.scaleWidth(), 1905.0); // inside the 2-pixel border
        box.setForeColor(Qt::red);
        box.setDrawWidth(3);
        box.line(150, 150, 750, 150);
        const QImage layer = box.drawing();
        QCOMPARE(layer.pixelColor(30, 10), QColor(Qt::red));
        QCOMPARE(layer.pixelColor(30, 40).alpha(), 0);
        box.cls();
        QCOMPARE(box.drawing().pixelColor(30, 10).alpha(), 0);
        box.setFillSolid(Qt::white);
        box.circle(600, 600, 300, Qt::white);
        QCOMPARE(box.drawing().pixelColor(40, 40), QColor(Qt::white));
    }

    // the session manager's last word is an end like a signal's (those: e2e)
    void sessionQuitRequestsEnd()
    {
        auto* app = qobject_cast<Application*>(QCoreApplication::instance());
        QSignalSpy spy(app, &Application::endRequested);
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(app, &quit);
        QCOMPARE(spy.size(), 1);
    }

    void runtimeErrorIsReportedOnceAndEnds()
    {
        auto* app = qobject_cast<Application*>(QCoreApplication::instance());
        QVERIFY(app);
        RecordingServices services;
        app->setServices(&services);
        Thrower thrower;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &event);
        QCOMPARE(services.errors, QList<int>{62});
        QCOMPARE(services.ends, QList<int>{1});
        // a signal while the error is told ends at once, nothing saved
        QSignalSpy spy(app, &Application::endRequested);
        std::raise(SIGTERM);
        QTRY_COMPARE(services.ends, (QList<int>{1, 1}));
        QCOMPARE(spy.size(), 0);
        app->setServices(nullptr);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestPlatformWidgets test;
    // the signals to stop are the application's to handle, not the crash handler's
    return QTest::qExec(&test, QCoreApplication::arguments() << QStringLiteral("-nocrashhandler"));
}
#include "tst_platformwidgets.moc"
