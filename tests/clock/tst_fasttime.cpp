#include "Dispatch.h"
#include "FastTime.h"
#include "Module1.h"
#include "RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

// Records which drawing routine the dispatch chose.
class RecordingRoutines : public DrawingRoutines {
public:
    QStringList calls;
    void analogzeit(std::int32_t zeit) override { calls << QStringLiteral("analogzeit %1").arg(zeit); }
    void analogzeitMaxi(std::int32_t zeit) override { calls << QStringLiteral("analogzeitMaxi %1").arg(zeit); }
    void digitalzeit() override { calls << QStringLiteral("digitalzeit"); }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestFastTime : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    Module1 freshModule()
    {
        Module1 m;
        m.app.path = m_dir.path();
        QFile::remove(timeFilePath(m));
        return m;
    }

private slots:
    void split_data()
    {
        QTest::addColumn<int>("zeit");
        QTest::addColumn<int>("std");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("sec");
        QTest::newRow("midnight") << 0 << 0 << 0 << 0;
        QTest::newRow("08:15:42") << 29742 << 8 << 15 << 42;
        QTest::newRow("23:59:59") << 86399 << 23 << 59 << 59;
        QTest::newRow("25 hours") << 90000 << 25 << 0 << 0;
        QTest::newRow("-3599") << -3599 << -1 << 0 << 1;
        QTest::newRow("-1") << -1 << -1 << 59 << 59;
        QTest::newRow("-3600") << -3600 << -1 << 0 << 0;
    }
    void split()
    {
        QFETCH(int, zeit);
        QFETCH(int, std);
        QFETCH(int, min);
        QFETCH(int, sec);
        QCOMPARE(splitTime(zeit), (TimeParts{std, min, sec}));
    }

    void tickAdvancesAndWraps_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("one second") << 29742 << 29743;
        QTest::newRow("23:59:59 to midnight") << 86399 << 0;
        QTest::newRow("above the day becomes 0, not the remainder") << 90000 << 0;
        QTest::newRow("negative runs up") << -3600 << -3599;
    }
    void tickAdvancesAndWraps()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        Module1 m = freshModule();
        m.lngZeit = before;
        advanceFastTime(m);
        QCOMPARE(m.lngZeit, after);
        const TimeParts p = splitTime(after);
        QCOMPARE(m.lngStd, p.std);
        QCOMPARE(m.lngMin, p.min);
        QCOMPARE(m.lngSec, p.sec);
    }

    void timeFileLines_data()
    {
        QTest::addColumn<int>("std");
        QTest::addColumn<int>("min");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("23:05") << 23 << 5 << QByteArray("23:05\r\n");
        QTest::newRow("midnight") << 0 << 0 << QByteArray("00:00\r\n");
        QTest::newRow("negative hour") << -1 << 0 << QByteArray("-01:00\r\n");
        QTest::newRow("hundred and more") << 123 << 5 << QByteArray("123:05\r\n");
    }
    void timeFileLines()
    {
        QFETCH(int, std);
        QFETCH(int, min);
        QFETCH(QByteArray, line);
        QCOMPARE(timeFileLine(std, min), line);
    }

    void timeFileOncePerMinute()
    {
        // started at 12:00 with the file enabled: empty for the first minute,
        // 12:01 at 12:01:00, 12:02 at 12:02:00
        Module1 m = freshModule();
        m.blnDatei = true;
        m.lngZeit = 12 * 3600;
        deriveParts(m);
        m.lngLetzteMinute = m.lngMin;
        writeTimeFile(m, {});
        for (int i = 0; i < 59; ++i)
            advanceFastTime(m);
        QCOMPARE(readAll(timeFilePath(m)), QByteArray());
        advanceFastTime(m);
        QCOMPARE(readAll(timeFilePath(m)), QByteArray("12:01\r\n"));
        QFile::remove(timeFilePath(m));
        for (int i = 0; i < 59; ++i)
            advanceFastTime(m);
        QVERIFY(!QFile::exists(timeFilePath(m))); // nothing written within the minute
        advanceFastTime(m);
        QCOMPARE(readAll(timeFilePath(m)), QByteArray("12:02\r\n"));
    }

    void timeFileAtMidnightAndNegative()
    {
        Module1 m = freshModule();
        m.blnDatei = true;
        m.lngZeit = 86399;
        m.lngLetzteMinute = 59;
        advanceFastTime(m);
        QCOMPARE(readAll(timeFilePath(m)), QByteArray("00:00\r\n"));

        m.lngZeit = -3600; // from a negative start hour
        m.lngLetzteMinute = 59;
        advanceFastTime(m);
        QCOMPARE(readAll(timeFilePath(m)), QByteArray("-01:00\r\n"));
    }

    void hourChangeAloneWritesNothing()
    {
        Module1 m = freshModule();
        m.blnDatei = true;
        m.lngZeit = 2 * 3600 - 1; // 01:59:59
        m.lngLetzteMinute = 0;    // the minute of 02:00:00 equals it
        advanceFastTime(m);
        QCOMPARE(m.lngStd, 2);
        QVERIFY(!QFile::exists(timeFilePath(m)));
    }

    void disabledTimeFileIsNeverTouched()
    {
        Module1 m = freshModule();
        m.blnDatei = false;
        for (int i = 0; i < 200; ++i)
            advanceFastTime(m);
        QVERIFY(!QFile::exists(timeFilePath(m)));
    }

    void readerNeverSeesPartOfTheFile()
    {
        // another program polls the file while the clock writes a new minute
        // as fast as it can: it finds the old line or the new one, whole
        Module1 m = freshModule();
        m.blnDatei = true;
        writeTimeFile(m, timeFileLine(0, 0));
        std::atomic<bool> done = false;
        std::atomic<int> reads = 0, bad = 0;
        std::thread reader([&] {
            while (!done) {
                QFile f(timeFilePath(m));
                if (f.open(QIODevice::ReadOnly) && f.readAll().size() != 7)
                    ++bad;
                ++reads;
            }
        });
        // at least 300 minutes, and on until the reader has looked often
        // enough, however the machine shares its time between the two
        for (int i = 0; i < 300 || (reads <= 100 && i < 1'000'000); ++i) {
            m.lngZeit = 59 + 60 * (i % 600);
            advanceFastTime(m);
        }
        done = true;
        reader.join();
        QCOMPARE(bad.load(), 0);
        QVERIFY(reads > 100);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Uhrzeit.txt")});
    }

    void unwritableTimeFileIsRunTimeError()
    {
        Module1 m = freshModule();
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Uhrzeit.txt"))); // a folder in its way
        m.blnDatei = true;
        m.lngZeit = 59;
        try {
            advanceFastTime(m);
            QFAIL("writing must fail");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 75);
        }
        QDir(m_dir.path()).rmdir(QStringLiteral("Uhrzeit.txt"));
    }

    void dispatchChoosesRoutine_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("call");
        for (int style : {0, 1, 2})
            QTest::addRow("style %d", style) << style << QStringLiteral("analogzeit 44");
        for (int style : {3, 4, 5, 6, 8})
            QTest::addRow("style %d", style) << style << QStringLiteral("digitalzeit");
        QTest::newRow("style 7") << 7 << QStringLiteral("analogzeitMaxi 44");
    }
    void dispatchChoosesRoutine()
    {
        QFETCH(int, style);
        QFETCH(QString, call);
        Module1 m = freshModule();
        RecordingRoutines routines;
        m.drawing = &routines;
        m.intAnzeige = static_cast<std::int16_t>(style);
        m.lngZeit = 43;
        timerTick(m);
        QCOMPARE(routines.calls, QStringList{call});
    }
};

QTEST_GUILESS_MAIN(TestFastTime)
#include "tst_fasttime.moc"
