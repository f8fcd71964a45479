#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quendrasil: Modellbahn-Uhr (fast clock)"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Zeigt diese Hilfe."));
    const QCommandLineOption publish(QStringLiteral("publish"),
                                     QStringLiteral("Gibt die Uhr über MQTT an andere Rechner weiter."),
                                     QStringLiteral("mqtt://[user:password@]host[:port]/NAME"));
    const QCommandLineOption follow(QStringLiteral("follow"),
                                    QStringLiteral("Folgt der Uhr NAME eines anderen Rechners über MQTT."),
                                    QStringLiteral("mqtt://host[:port]/NAME"));
    const QCommandLineOption web(QStringLiteral("web"),
                                 QStringLiteral("Zeigt die Uhr als Webseite auf diesem Port."),
                                 QStringLiteral("[ADDRESS:]PORT"));
    parser.addOptions({help, publish, follow, web});
    // Qt's own options, read later by the application object; single-dash
    // words such as -platform are whole options, not letters
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "style",
                             "stylesheet", "session", "qwindowgeometry", "geometry", "qwindowtitle", "title",
                             "qwindowicon", "name", "font", "fn", "bg", "background", "fg", "foreground"}) {
        QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const char* name : {"reverse", "nograb", "dograb", "sync", "widgetcount"}) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    CommandLine c;
    if (!parser.parse(arguments)) {
        c.error = parser.errorText();
        return c;
    }
    if (!parser.positionalArguments().isEmpty()) {
        c.error = QStringLiteral("Unbekanntes Argument: %1").arg(parser.positionalArguments().join(u' '));
        return c;
    }
    c.help = parser.isSet(help);
    c.helpText = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("quendrasil"));
    c.publish = parser.value(publish);
    c.follow = parser.value(follow);
    c.web = parser.value(web);
    if (parser.isSet(publish) && parser.isSet(follow))
        c.error = QStringLiteral("--publish und --follow schließen einander aus.");
    return c;
}
