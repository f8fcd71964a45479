#include "ExactTimer.h"

#include <QCoreApplication>
#include <QTest>

// The timer driven by a clock the test moves by hand.
class TestExactTimer : public QObject {
    Q_OBJECT

    qint64 m_now = 0;
    int m_events = 0;

    // Moves the clock to t and delivers everything that is due, as the event
    // loop would once the thread is free.
    void runUntil(ExactTimer& timer, qint64 t)
    {
        m_now = t;
        while (timer.poll() == 0) {
        }
    }

    std::unique_ptr<ExactTimer> makeTimer(int interval)
    {
        auto timer = std::make_unique<ExactTimer>(nullptr, [this] { return m_now; });
        connect(timer.get(), &ExactTimer::timeout, this, [this] { ++m_events; });
        timer->setInterval(interval);
        return timer;
    }

private slots:
    void init()
    {
        m_now = 1000;
        m_events = 0;
    }

    void disabledTimerNeverFires()
    {
        auto timer = makeTimer(10);
        runUntil(*timer, 5000);
        QCOMPARE(m_events, 0);
        QCOMPARE(timer->poll(), -1);
    }

    void eventsDueAtMultiplesOfInterval()
    {
        auto timer = makeTimer(10);
        timer->setEnabled(true);
        runUntil(*timer, 1009);
        QCOMPARE(m_events, 0);
        QCOMPARE(timer->poll(), 1);
        runUntil(*timer, 1010);
        QCOMPARE(m_events, 1);
        QCOMPARE(timer->poll(), 10);
    }

    void lateWakeUpsDoNotAddUp()
    {
        // each wake-up comes 7 ms late; the schedule stays on the multiples
        auto timer = makeTimer(10);
        timer->setEnabled(true);
        for (int n = 1; n <= 100; ++n)
            runUntil(*timer, 1000 + n * 10 + 7);
        QCOMPARE(m_events, 100);
        QCOMPARE(timer->poll(), 3); // the 101st is due at 2010
    }

    void backlogIsDeliveredOneAfterAnother()
    {
        auto timer = makeTimer(10);
        timer->setEnabled(true);
        m_now = 1000 + 500; // busy for half a second: 50 events due
        QCOMPARE(timer->poll(), 0);
        QCOMPARE(m_events, 1);
        runUntil(*timer, 1500);
        QCOMPARE(m_events, 50);
    }

    void backlogOverOneSecondIsDropped()
    {
        auto timer = makeTimer(10);
        timer->setEnabled(true);
        runUntil(*timer, 1000 + 5000); // a modal dialog held the thread for 5 s
        QCOMPARE(m_events, 1);
        runUntil(*timer, 1000 + 5010);
        QCOMPARE(m_events, 2);
    }

    void notReenteredWhileDelivering()
    {
        auto timer = makeTimer(10);
        int depth = 0, maxDepth = 0;
        connect(timer.get(), &ExactTimer::timeout, this, [&] {
            ++depth;
            maxDepth = std::max(maxDepth, depth);
            timer->poll(); // the handler lets waiting events through
            --depth;
        });
        timer->setEnabled(true);
        runUntil(*timer, 1030); // three events due at once
        QCOMPARE(maxDepth, 1);
        QCOMPARE(m_events, 3);
    }

    void settingIntervalRestartsSchedule()
    {
        auto timer = makeTimer(10);
        timer->setEnabled(true);
        runUntil(*timer, 1025);
        QCOMPARE(m_events, 2);
        timer->setInterval(100);
        QCOMPARE(timer->poll(), 100);
        runUntil(*timer, 1125);
        QCOMPARE(m_events, 3);
    }

    void zeroIntervalNeverFires()
    {
        auto timer = makeTimer(0);
        timer->setEnabled(true);
        runUntil(*timer, 10000);
        QCOMPARE(m_events, 0);
    }

    void oneHourKeepsTime_data()
    {
        QTest::addColumn<qint64>("intervalNs");
        QTest::addColumn<int>("lateness");
        QTest::addColumn<int>("shownMs");
        QTest::newRow("10 ms, 3 ms late") << qint64(10'000'000) << 3 << 10;
        QTest::newRow("333 ms, 40 ms late") << qint64(333'000'000) << 40 << 333;
        QTest::newRow("1000 ms, 999 ms late") << qint64(1'000'000'000) << 999 << 1000;
        QTest::newRow("17 ms, on time") << qint64(17'000'000) << 0 << 17;
        // fractional intervals: speed 6 and 7 of a clock that counts fast seconds
        QTest::newRow("1/6 s, on time") << qint64(166'666'667) << 0 << 167;
        QTest::newRow("1/7 s, 20 ms late") << qint64(142'857'143) << 20 << 143;
        QTest::newRow("1/12.048 s, 5 ms late") << qint64(83'001'328) << 5 << 83;
    }
    void oneHourKeepsTime()
    {
        QFETCH(qint64, intervalNs);
        QFETCH(int, lateness);
        auto timer = makeTimer(0);
        timer->setExactInterval(intervalNs);
        QTEST(timer->interval(), "shownMs");
        timer->setEnabled(true);
        const qint64 hour = 3600 * 1000;
        // wake up late every time, as a loaded machine does; the n-th event
        // is never before its exact moment
        for (qint64 n = 1;; ++n) {
            const qint64 exact = (n * intervalNs + 999'999) / 1'000'000;
            if (exact + lateness > hour)
                break;
            m_now = 1000 + exact - 1;
            QVERIFY(timer->poll() >= 1);
            runUntil(*timer, 1000 + exact + lateness);
        }
        runUntil(*timer, 1000 + hour);
        QCOMPARE(qint64(m_events), hour * 1'000'000 / intervalNs);
    }

    // When the last event was due, after the clock ran to `until` with every
    // event due by `delivered` delivered (the rest waits for a busy thread):
    // expected -1 for none.
    void lastDue_data()
    {
        QTest::addColumn<qint64>("intervalNs");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<qint64>("delivered");
        QTest::addColumn<qint64>("until");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("disabled") << qint64(10'000'000) << false << qint64(1025) << qint64(1025) << qint64(-1);
        QTest::newRow("before the first: the start") << qint64(10'000'000) << true << qint64(1005) << qint64(1005) << qint64(1000);
        QTest::newRow("between two") << qint64(10'000'000) << true << qint64(1027) << qint64(1027) << qint64(1020);
        QTest::newRow("one due, not yet delivered") << qint64(10'000'000) << true << qint64(1027) << qint64(1035) << qint64(1020);
        QTest::newRow("1/7 s") << qint64(142'857'143) << true << qint64(2000) << qint64(2000) << qint64(1858);
        QTest::newRow("backlog over a second dropped") << qint64(10'000'000) << true << qint64(6003) << qint64(6003) << qint64(6000);
    }
    void lastDue()
    {
        QFETCH(qint64, intervalNs);
        QFETCH(qint64, delivered);
        QFETCH(qint64, until);
        QFETCH(qint64, expected);
        QFETCH(bool, enabled);
        auto timer = makeTimer(0);
        timer->setExactInterval(intervalNs);
        timer->setEnabled(enabled);
        runUntil(*timer, delivered);
        m_now = until;
        QCOMPARE(timer->lastDue().value_or(-1), expected);
        QCOMPARE(timer->sinceLastDue().value_or(-1), expected < 0 ? -1 : until - expected);
    }

    void realTimerFiresInEventLoop()
    {
        ExactTimer timer;
        int events = 0;
        connect(&timer, &ExactTimer::timeout, this, [&] { ++events; });
        timer.setInterval(10);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(events >= 3, 2000);
        timer.setEnabled(false);
        const int stopped = events;
        QTest::qWait(50);
        QCOMPARE(events, stopped);
    }
};

QTEST_GUILESS_MAIN(TestExactTimer)
#include "tst_exacttimer.moc"
