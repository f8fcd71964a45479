// The picture generator: it draws exactly the committed pictures, and refuses
// a missing or unusable output folder.

#include "Emblems.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray errors;
};

Run runGenerator(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(QUENDRASIL_ASSETGEN), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardError()};
}

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestAssetGen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writesTheCommittedPictures_data();
    void writesTheCommittedPictures();
    void writesNothingElse();
    void runsAgainIntoAFilledFolder();
    void refusesBadArguments_data();
    void refusesBadArguments();

private:
    QTemporaryDir m_out;
};

void TestAssetGen::initTestCase()
{
    QVERIFY(m_out.isValid());
    const Run run = runGenerator({m_out.path()});
    QVERIFY2(run.exitCode == 0, run.errors.constData());
}

void TestAssetGen::writesTheCommittedPictures_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
    // the desktop icon set, committed in assets/icons/
    QDirIterator it(QStringLiteral(QUENDRASIL_ICONS), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = QStringLiteral("icons/") + QDir(QStringLiteral(QUENDRASIL_ICONS)).relativeFilePath(it.next());
        QTest::newRow(qPrintable(file)) << file;
    }
}

void TestAssetGen::writesTheCommittedPictures()
{
    QFETCH(QString, file);
    const QString committed = file.startsWith(QLatin1String("icons/"))
        ? QStringLiteral(QUENDRASIL_ICONS) + file.mid(5)
        : QStringLiteral(":/pictures/") + file;
    const QString fresh = QDir(m_out.path()).filePath(file);
    QVERIFY2(QFile::exists(fresh), qPrintable(fresh));
    if (file == QLatin1String("monogram.png") && !QFile::exists(emblems::monogramFontFile()))
        QSKIP("the monogram's font file is not installed; its letters come from another font");

    const QByteArray expected = contents(committed);
    const QByteArray actual = contents(fresh);
    if (actual == expected)
        return;
    // the same pixels in a differently encoded file are fine too
    const QImage a = QImage(fresh).convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage(committed).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!b.isNull(), qPrintable(file + QStringLiteral(" differs from the committed file")));
    QCOMPARE(a.size(), b.size());
    QVERIFY2(a == b, qPrintable(file + QStringLiteral(" differs from the committed picture")));
}

void TestAssetGen::writesNothingElse()
{
    QStringList fresh = QDir(m_out.path()).entryList(QDir::Files | QDir::Hidden);
    QStringList committed = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    fresh.sort();
    committed.sort();
    QCOMPARE(fresh, committed);
    // the icon set: eight sizes and the SVG, drawn and committed alike
    const auto iconFiles = [](const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(folder).relativeFilePath(it.next());
        files.sort();
        return files;
    };
    const QStringList icons = iconFiles(QDir(m_out.path()).filePath(QStringLiteral("icons")));
    QCOMPARE(icons.size(), 9);
    QCOMPARE(icons, iconFiles(QStringLiteral(QUENDRASIL_ICONS)));
}

void TestAssetGen::runsAgainIntoAFilledFolder()
{
    // a second run overwrites its earlier pictures with the same bytes
    const QString file = QDir(m_out.path()).filePath(QStringLiteral("dial_round.png"));
    const QByteArray before = contents(file);
    QVERIFY(!before.isEmpty());
    QVERIFY(QFile::resize(file, 10));
    QCOMPARE(runGenerator({m_out.path()}).exitCode, 0);
    QCOMPARE(contents(file), before);
}

void TestAssetGen::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no folder") << QStringList() << 2;
    QTest::newRow("two folders") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 2;
    QTest::newRow("missing folder") << QStringList{QStringLiteral("/nonexistent/quendrasil/pictures")} << 1;
}

void TestAssetGen::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const Run run = runGenerator(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.errors.trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(TestAssetGen)
#include "tst_assetgen.moc"
