#include "Services.h"

#include "RuntimeError.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
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
    if (!QFileInfo(helpFile).isFile()) {
        msgBox(QStringLiteral("Die Hilfedatei '%1' wurde nicht gefunden .").arg(helpFile), Warning,
               QStringLiteral(" Hilfe"));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile)))
        msgBox(QStringLiteral("Für die Hilfedatei '%1' ist kein Anzeigeprogramm eingerichtet .")
                   .arg(helpFile),
               Warning, QStringLiteral(" Hilfe"));
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
