#include "RuntimeError.h"
#include "Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>

namespace {

QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(QUENDRASIL_TEST_DATA "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int errorOf(const QByteArray& bytes)
{
    try {
        settingsfile::parse(bytes);
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

Settings sessionSettings()
{
    Settings s;
    s.startStd = 7;
    s.startMin = 45;
    s.faktor = 10;
    s.anzeige = 4;
    s.anzeigeLeft = 500;
    s.anzeigeTop = 400;
    s.konfigLeft = 4500;
    s.konfigTop = 1200;
    s.titel = QStringLiteral("Bahnhof Kälberbach €");
    s.breiteMaxi = 7200;
    s.hoeheMaxi = 7665;
    s.letzteStd = 8;
    s.letzteMin = 15;
    s.datei = true;
    return s;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void defaultsWriteTheKnownFile()
    {
        const QByteArray bytes = settingsfile::format(Settings{});
        QCOMPARE(bytes, fixture(QStringLiteral("defaults.ini")));
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(bytes.contains("[H\xf6he Maxi]\r\n")); // one byte for the umlaut
    }

    void windows1252TitleRoundTrip()
    {
        const QByteArray bytes = settingsfile::format(sessionSettings());
        QCOMPARE(bytes, fixture(QStringLiteral("session.ini")));
        QCOMPARE(settingsfile::parse(bytes), sessionSettings());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("titel");
        QTest::addColumn<int>("std");
        QTest::addColumn<bool>("datei");
        QTest::newRow("empty title") << QString() << 0 << false;
        QTest::newRow("blanks kept") << QStringLiteral("  Spur 0  ") << 23 << true;
        QTest::newRow("negative start hour") << QStringLiteral("x") << -3 << true;
    }
    void roundTrip()
    {
        QFETCH(QString, titel);
        QFETCH(int, std);
        QFETCH(bool, datei);
        Settings s;
        s.titel = titel;
        s.startStd = std;
        s.datei = datei;
        s.anzeigeLeft = -300;
        QCOMPARE(settingsfile::parse(settingsfile::format(s)), s);
    }

    void readByPositionOnly()
    {
        // keys changed and without brackets, LF line ends, "Wahr", lines after 28
        const Settings s = settingsfile::parse(fixture(QStringLiteral("changed-keys.ini")));
        Settings expected = sessionSettings();
        expected.titel.clear();
        QCOMPARE(s, expected);
    }

    void valueConversions()
    {
        const Settings s = settingsfile::parse(fixture(QStringLiteral("numbers.ini")));
        QCOMPARE(s.startStd, -3);
        QCOMPARE(s.konfigLeft, 300.7); // the control window's position is not rounded
        QCOMPARE(s.datei, false);      // a number 0 reads as false
        QCOMPARE(settingsfile::parse(fixture(QStringLiteral("faktor-without-number.ini"))).faktor, 0);
    }

    void booleanWords_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("value");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("Wahr") << "Wahr" << true;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("Falsch") << "Falsch" << false;
        QTest::newRow("-1") << "-1" << true;
        QTest::newRow("0") << " 0 " << false;
    }
    void booleanWords()
    {
        QFETCH(QString, line);
        QFETCH(bool, value);
        QCOMPARE(settingsfile::parseBoolean(line), value);
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("error");
        QTest::newRow("fewer than 28 lines") << "too-short.ini" << 62;
        QTest::newRow("style beyond 16 bits") << "style-overflow.ini" << 6;
        QTest::newRow("hours beyond 32 bits") << "hours-overflow.ini" << 6;
        QTest::newRow("Boolean neither word nor number") << "boolean-garbage.ini" << 13;
        QTest::newRow("empty file") << "no-such-file" << 62;
    }
    void badInput()
    {
        QFETCH(QString, file);
        QFETCH(int, error);
        QCOMPARE(errorOf(fixture(file)), error);
    }

    // a value line damaged by hand: pair number and its text
    void damagedValueLine_data()
    {
        QTest::addColumn<int>("pair");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("error");
        const QString tooLarge = u'1' + QString(400, u'0'); // more than a double holds
        QTest::newRow("hours too large for a double") << 0 << tooLarge << 6;
        QTest::newRow("style of 400 nines") << 3 << QString(400, u'9') << 6;
        QTest::newRow("negative left too large") << 4 << u'-' + tooLarge << 6;
        QTest::newRow("control window left beyond a single") << 6 << " 1" + QString(39, u'0') << 6;
        QTest::newRow("Boolean too large for a double") << 13 << tooLarge << 6;
        QTest::newRow("Boolean nan") << 13 << "nan" << 13;
        QTest::newRow("Boolean inf") << 13 << "inf" << 13;
        QTest::newRow("Boolean -inf") << 13 << "-inf" << 13;
        QTest::newRow("tiny fraction is 0") << 0 << "0." + QString(400, u'0') + u'1' << 0;
    }
    void damagedValueLine()
    {
        QFETCH(int, pair);
        QFETCH(QString, line);
        QFETCH(int, error);
        QList<QByteArray> lines = settingsfile::format(sessionSettings()).split('\n');
        lines[2 * pair + 1] = line.toLatin1() + '\r';
        QCOMPARE(errorOf(lines.join('\n')), error);
    }

    void titleTheFileCanHold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("holds");
        QTest::newRow("umlauts and euro") << QStringLiteral("Kälberbach € Süd") << true;
        QTest::newRow("Polish letters") << QStringLiteral("łdź Hbf") << false;
        QTest::newRow("line end") << QStringLiteral("Spur\r\n0") << false;
        QTest::newRow("bytes 1252 leaves free, as read") << QString::fromLatin1("\x81\x1a") << true;
    }
    void titleTheFileCanHold()
    {
        QFETCH(QString, text);
        QFETCH(bool, holds);
        QCOMPARE(settingsfile::holdsText(text), holds);
    }

    void missingFileReadsAsNothing()
    {
        QTemporaryDir dir;
        QVERIFY(!settingsfile::read(dir.filePath(settingsfile::fileName())).has_value());
    }

    void writeThenRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(settingsfile::fileName());
        settingsfile::write(path, sessionSettings());
        QCOMPARE(settingsfile::read(path).value(), sessionSettings());
    }

    void failedSaveIsRunTimeErrorAndLeavesOldFile()
    {
        QTemporaryDir dir;
        // the folder does not exist: nothing can be written there
        const QString nowhere = dir.filePath(QStringLiteral("sub/") + settingsfile::fileName());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, settingsfile::write(nowhere, Settings{}));
        QVERIFY(!QFile::exists(nowhere));

        // a save that cannot replace what stands there leaves it as it was
        const QString path = dir.filePath(settingsfile::fileName());
        QVERIFY(QDir(dir.path()).mkpath(settingsfile::fileName() + QStringLiteral("/keep")));
        try {
            settingsfile::write(path, Settings{});
            QFAIL("a folder cannot be replaced by the settings file");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 75);
        }
        QVERIFY(QDir(path + QStringLiteral("/keep")).exists());
        // and no temporary file is left behind
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void fullDiskLeavesOldFile()
    {
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("cannot mount a small tmpfs here (needs root): the full-disk save is not tested");
        auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString path = dir.filePath(settingsfile::fileName());
        settingsfile::write(path, sessionSettings());
        const QByteArray old = fixture(QStringLiteral("session.ini"));
        QFile fill(dir.filePath(QStringLiteral("fill")));
        QVERIFY(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (fill.write(QByteArray(512, 'x')) > 0) {
        }
        fill.close();
        try {
            settingsfile::write(path, Settings{});
            QFAIL("a save on a full disk reported success");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 75);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
