#include "Services.h"

#include "AppInfo.h"
#include "RuntimeError.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <QWidget>

namespace {

QString withLineBreaks(QString text)
{
    return text.replace(QChar(0x0D), QChar(u'\n'));
}

} // namespace

void Services::msgBox(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(icon == Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                    withLineBreaks(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.exec();
}

void Services::openHelp(const QString& helpFile)
{
    const QFileInfo help(helpFile);
    const QString startPage =
        help.dir().filePath(AppInfo::helpPagesFolder() + QStringLiteral("/index.html"));
    if (help.isFile() && hasHelpViewer() && QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile)))
        return;
    if (QFileInfo(startPage).isFile()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(startPage)))
            msgBox(QStringLiteral("Für die Hilfeseite '%1' ist kein Web-Browser eingerichtet .").arg(startPage),
                   Warning, QStringLiteral(" Hilfe"));
    } else if (help.isFile()) {
        msgBox(QStringLiteral("Für die Hilfedatei '%1' ist kein Anzeigeprogramm eingerichtet .").arg(helpFile),
               Warning, QStringLiteral(" Hilfe"));
    } else {
        msgBox(QStringLiteral("Die Hilfedatei '%1' wurde nicht gefunden .").arg(helpFile), Warning,
               QStringLiteral(" Hilfe"));
    }
}

bool Services::hasHelpViewer()
{
    // the desktop's default application for the help file's type, found as
    // xdg-open finds it; xdg-open itself would hand a help file without one to
    // the web browser, which cannot show it
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/vnd.ms-htmlhelp")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
        && !query.readAllStandardOutput().trimmed().isEmpty();
}

void Services::end(int status)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(status);
}

void Services::runtimeError(const RuntimeError& error)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QStringLiteral("Laufzeitfehler '%1':\n\n%2").arg(error.number()).arg(error.text()),
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("Laufzeitfehler"));
    box.exec();
    end(1);
}
