// The command line: the plain clock without options, the sharing options
// with their values, Qt's own options let through, mistakes refused.
#include "AppVersion.h"
#include "CommandLine.h"

#include <QFile>
#include <QTemporaryDir>
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

    // What the user reads: messages in German, the help within 80 columns
    void german_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing value") << QStringList{"--web"} << "Nach --web fehlt ein Wert.";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "Unbekannte Option --bogus (quendrasil --help zeigt alle).";
        QTest::newRow("value where none is taken") << QStringList{"--help=ja"} << "Nach --help steht ein Wert, den die Option nicht nimmt.";
        QTest::newRow("help") << QStringList{"--help"} << "";
        QTest::newRow("version") << QStringList{"--version"} << "";
    }

    void german()
    {
        QFETCH(QStringList, args);
        args.prepend(QStringLiteral("quendrasil"));
        const CommandLine c = parseCommandLine(args);
        QTEST(c.error, "error");
        QCOMPARE(c.version, args.contains(QStringLiteral("--version")));
        for (const QString& line : c.helpText.split(u'\n')) {
            QVERIFY2(line.size() <= 80, qPrintable(line));
            for (const char* english : {"Usage", "Options", "fast clock", "ADDRESS", "FILE", "Displays"})
                QVERIFY2(!line.contains(QLatin1String(english)), qPrintable(line));
        }
        if (c.error.isEmpty())
            QVERIFY(c.helpText.startsWith(QStringLiteral("Aufruf: quendrasil [OPTIONEN]")));
        QCOMPARE(versionText(), QStringLiteral("Quendrasil %1\n").arg(QLatin1String(appversion::kText)));
        // the file version: two digits for the minor, four for the patch number
        QCOMPARE(QLatin1String(appversion::kFileVersion), QStringLiteral("%1.%2.%3")
                                                              .arg(appversion::kMajor)
                                                              .arg(appversion::kMinor, 2, 10, QChar(u'0'))
                                                              .arg(appversion::kRevision, 4, 10, QChar(u'0')));
    }

    // Where the broker's password comes from. file: "600" or "644" a file
    // of that mode holding "aus-datei", "missing" a file that is not there.
    void password_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("inUrl");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("warnings"); // the start of each, joined by "|"
        QTest::addColumn<bool>("error");
        QTest::newRow("none") << "fdl" << "" << "" << "" << "" << "" << false;
        QTest::newRow("environment") << "fdl" << "" << "" << "aus-env" << "aus-env" << "" << false;
        QTest::newRow("own file") << "fdl" << "" << "600" << "aus-env" << "aus-datei" << "" << false;
        QTest::newRow("file others can read") << "fdl" << "" << "644" << "" << "aus-datei"
                                              << "Warnung: andere Benutzer" << false;
        QTest::newRow("in the URL") << "fdl" << "aus-url" << "" << "" << "aus-url" << "Warnung: das Passwort in der Adresse"
                                    << false;
        QTest::newRow("URL and environment") << "fdl" << "aus-url" << "" << "aus-env" << "aus-env"
                                             << "Warnung: das Passwort in der Adresse" << false;
        QTest::newRow("missing file") << "fdl" << "" << "missing" << "" << "" << "" << true;
        QTest::newRow("file without user") << "" << "" << "600" << "" << "" << "" << true;
        QTest::newRow("environment without user: not sent") << "" << "" << "" << "aus-env" << "" << "" << false;
    }

    void password()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString path = file.isEmpty() ? QString() : dir.filePath(QStringLiteral("pw"));
        if (file == "600" || file == "644") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("aus-datei\n") == 10);
            f.setPermissions(file == "600" ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                                 QFileDevice::ReadOther);
        }
        QFETCH(QString, user);
        QFETCH(QString, inUrl);
        QFETCH(QString, env);
        const BrokerPassword p = brokerPassword(user, inUrl, path, env);
        QFETCH(bool, error);
        QCOMPARE(!p.error.isEmpty(), error);
        if (error)
            return;
        QTEST(p.password, "password");
        QStringList starts;
        for (const QString& w : p.warnings) {
            starts << w.left(QStringLiteral("Warnung: das Passwort in der Adresse").size());
            QVERIFY2(!w.contains(QStringLiteral("aus-")), qPrintable(w)); // never the password itself
        }
        QFETCH(QString, warnings);
        for (const QString& w : warnings.split(u'|', Qt::SkipEmptyParts))
            QVERIFY2(starts.join(u'|').contains(w), qPrintable(p.warnings.join(u'|')));
        QCOMPARE(p.warnings.size(), int(warnings.split(u'|', Qt::SkipEmptyParts).size()));
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
