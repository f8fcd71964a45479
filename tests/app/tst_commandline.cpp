// The command line: the plain clock without options, the sharing options
// with their values, Qt's own options let through, mistakes refused.
#include "CommandLine.h"

#include <QTest>

class TstCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("publish");
        QTest::addColumn<QString>("follow");
        QTest::addColumn<QString>("web");
        QTest::addColumn<bool>("error");

        QTest::newRow("plain clock") << QStringList{} << "" << "" << "" << false;
        QTest::newRow("Qt options let through")
            << QStringList{"-platform", "offscreen", "-reverse"} << "" << "" << "" << false;
        QTest::newRow("publish and web")
            << QStringList{"--publish", "mqtt://h/Anlage", "--web", "8080"} << "mqtt://h/Anlage" << "" << "8080" << false;
        QTest::newRow("follow with =")
            << QStringList{"--follow=mqtt://h:1884/A"} << "" << "mqtt://h:1884/A" << "" << false;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "" << "" << "" << true;
        QTest::newRow("missing value") << QStringList{"--web"} << "" << "" << "" << true;
        QTest::newRow("stray argument") << QStringList{"Quendrasil.ini"} << "" << "" << "" << true;
        QTest::newRow("publish and follow")
            << QStringList{"--publish", "mqtt://h/A", "--follow", "mqtt://h/B"} << "" << "" << "" << true;
    }

    void parse()
    {
        QFETCH(QStringList, args);
        args.prepend(QStringLiteral("quendrasil"));
        const CommandLine c = parseCommandLine(args);
        QFETCH(bool, error);
        QCOMPARE(!c.error.isEmpty(), error);
        if (error)
            return;
        QTEST(c.publish, "publish");
        QTEST(c.follow, "follow");
        QTEST(c.web, "web");
    }

    // MRclock beside MQTT: --publish once for each, and following an MRclock
    // clock while publishing over MQTT (the bridge) as the only combination
    void mrclock_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("shared"); // mqtt publish | mqtt follow | mrclock publish | mrclock follow
        QTest::addColumn<bool>("error");
        QTest::newRow("publish both") << QStringList{"--publish", "mrclock:///A", "--publish", "mqtt://h/A"}
                                      << "mqtt://h/A||mrclock:///A|" << false;
        QTest::newRow("the bridge") << QStringList{"--follow", "mrclock:///Z21", "--publish", "mqtt://h/A", "--web", "80"}
                                    << "mqtt://h/A|||mrclock:///Z21" << false;
        QTest::newRow("follow with interface") << QStringList{"--follow", "MRCLOCK://", "--interface", "10.0.0.2"}
                                               << "|||MRCLOCK://" << false;
        QTest::newRow("two mrclock publish") << QStringList{"--publish", "mrclock:///A", "--publish", "mrclock:///B"}
                                             << "" << true;
        QTest::newRow("follow and publish mrclock") << QStringList{"--follow", "mrclock:///A", "--publish", "mrclock:///B"}
                                                    << "" << true;
        QTest::newRow("follow mqtt, publish mrclock") << QStringList{"--follow", "mqtt://h/A", "--publish", "mrclock:///B"}
                                                      << "" << true;
        QTest::newRow("interface without mrclock") << QStringList{"--interface", "10.0.0.2"} << "" << true;
    }

    void mrclock()
    {
        QFETCH(QStringList, args);
        args.prepend(QStringLiteral("quendrasil"));
        const CommandLine c = parseCommandLine(args);
        QFETCH(bool, error);
        QCOMPARE(!c.error.isEmpty(), error);
        if (!error)
            QTEST(QStringList({c.publish, c.follow, c.publishMrclock, c.followMrclock}).join(u'|'), "shared");
    }
};

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"
