#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace {

// The mrclock:// addresses apart from the MQTT ones; true when the command
// line is decided here (an error, or the bridge).
bool splitMrclock(CommandLine& c, const QStringList& publish, const QStringList& follow, const QString& iface)
{
    const auto isMrclock = [](const QString& url) { return url.startsWith(QLatin1String("mrclock://"), Qt::CaseInsensitive); };
    c.interface = iface;
    c.publish.clear();
    c.follow = follow.value(follow.size() - 1);
    for (const QString& url : publish) {
        QString& slot = isMrclock(url) ? c.publishMrclock : c.publish;
        if (!slot.isEmpty()) {
            c.error = QStringLiteral("--publish darf je einmal für MQTT und für MRclock stehen.");
            return true;
        }
        slot = url;
    }
    if (isMrclock(c.follow))
        std::swap(c.follow, c.followMrclock);
    if (!iface.isEmpty() && c.publishMrclock.isEmpty() && c.followMrclock.isEmpty()) {
        c.error = QStringLiteral("--interface gilt nur für mrclock://-Adressen.");
        return true;
    }
    if (!c.followMrclock.isEmpty() && c.publishMrclock.isEmpty()) // alone, or the bridge
        return true;
    if (!c.followMrclock.isEmpty() || (!c.publishMrclock.isEmpty() && !c.follow.isEmpty())) {
        c.error = QStringLiteral("--publish und --follow schließen einander aus; erlaubt ist nur "
                                 "--follow mrclock://… mit --publish mqtt://… (Brücke).");
        return true;
    }
    return false;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quendrasil: Modellbahn-Uhr (fast clock)"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Zeigt diese Hilfe."));
    const QCommandLineOption publish(QStringLiteral("publish"),
                                     QStringLiteral("Gibt die Uhr über MQTT an andere Rechner weiter, mit "
                                                    "mrclock://[GRUPPE[:PORT]]/NAME per MRclock-Multicast an "
                                                    "Nebenuhren und Apps (je einmal, auch beides zugleich)."),
                                     QStringLiteral("mqtt://[user:password@]host[:port]/NAME"));
    const QCommandLineOption follow(QStringLiteral("follow"),
                                    QStringLiteral("Folgt der Uhr NAME eines anderen Rechners über MQTT, mit "
                                                   "mrclock://[GRUPPE[:PORT]]/[NAME] einer MRclock-Uhr (etwa einer "
                                                   "Zentrale). Nur beim Folgen einer MRclock-Uhr ist --publish "
                                                   "mqtt://… erlaubt (Brücke); --web geht immer."),
                                    QStringLiteral("mqtt://host[:port]/NAME"));
    const QCommandLineOption iface(QStringLiteral("interface"),
                                   QStringLiteral("Netzwerkschnittstelle für MRclock (ihre IPv4-Adresse)."),
                                   QStringLiteral("ADDRESS"));
    const QCommandLineOption web(QStringLiteral("web"),
                                 QStringLiteral("Zeigt die Uhr als Webseite auf diesem Port."),
                                 QStringLiteral("[ADDRESS:]PORT"));
    const QCommandLineOption passwordFile(
        QStringLiteral("password-file"),
        QStringLiteral("Liest das Passwort für den MQTT-Broker aus der ersten Zeile von FILE (sonst aus der "
                       "Umgebungsvariablen QUENDRASIL_MQTT_PASSWORD)."),
        QStringLiteral("FILE"));
    parser.addOptions({help, publish, follow, passwordFile, web, iface});
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
    c.passwordFile = parser.value(passwordFile);
    if (splitMrclock(c, parser.values(publish), parser.values(follow), parser.value(iface)))
        return c;
    if (parser.isSet(publish) && parser.isSet(follow))
        c.error = QStringLiteral("--publish und --follow schließen einander aus.");
    return c;
}

BrokerPassword brokerPassword(const QString& user, const QString& urlPassword, const QString& passwordFile,
                              const QString& fromEnvironment)
{
    BrokerPassword p;
    if (!urlPassword.isEmpty()) {
        p.password = urlPassword;
        p.warnings << QStringLiteral("Warnung: das Passwort in der Adresse können alle Benutzer dieses Rechners "
                                     "lesen (ps); besser --password-file oder QUENDRASIL_MQTT_PASSWORD.");
    }
    if (!passwordFile.isEmpty()) {
        QFile file(passwordFile);
        if (!file.open(QIODevice::ReadOnly)) {
            p.error = QStringLiteral("die Passwortdatei %1 ist nicht lesbar: %2").arg(passwordFile, file.errorString());
            return p;
        }
        if (file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
            p.warnings << QStringLiteral("Warnung: andere Benutzer können die Passwortdatei %1 lesen "
                                         "(chmod 600 %1).").arg(passwordFile);
        QByteArray line = file.readLine(4096);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        p.password = QString::fromUtf8(line);
        if (p.password.isEmpty()) {
            p.error = QStringLiteral("die Passwortdatei %1 ist leer").arg(passwordFile);
            return p;
        }
    } else if (!fromEnvironment.isEmpty()) {
        p.password = fromEnvironment;
    }
    if (!p.password.isEmpty() && user.isEmpty() && !passwordFile.isEmpty())
        p.error = QStringLiteral("zum Passwort fehlt der Benutzer: mqtt://BENUTZER@rechner/NAME");
    if (user.isEmpty())
        p.password.clear(); // a password alone is never sent
    return p;
}
