#include "CommandLine.h"

#include "AppInfo.h"

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

// The help, in German and within 80 columns.
QString helpText()
{
    return QStringLiteral(
        "Aufruf: quendrasil [OPTIONEN]\n"
        "Quendrasil: Modellbahn-Uhr mit Modellzeit. Ohne Optionen eine Uhr für\n"
        "diesen Rechner.\n"
        "\n"
        "Optionen:\n"
        "  --publish mqtt[s]://[BENUTZER[:PASSWORT]@]RECHNER[:PORT]/NAME\n"
        "        gibt die Uhr NAME über einen MQTT-Broker an andere Rechner weiter\n"
        "        (mqtts:// verschlüsselt).\n"
        "  --publish mrclock://[GRUPPE[:PORT]]/NAME\n"
        "        sendet die Uhr per MRclock-Multicast an Nebenuhren und Apps;\n"
        "        --publish darf für MQTT und MRclock je einmal stehen.\n"
        "  --follow mqtt[s]://[BENUTZER[:PASSWORT]@]RECHNER[:PORT]/NAME\n"
        "        folgt der Uhr NAME eines anderen Rechners.\n"
        "  --follow mrclock://[GRUPPE[:PORT]]/[NAME]\n"
        "        folgt einer MRclock-Uhr (etwa einer Zentrale); nur dazu ist\n"
        "        --publish mqtt://… erlaubt (Brücke).\n"
        "  --password-file DATEI\n"
        "        liest das Passwort für den MQTT-Broker aus der ersten Zeile von\n"
        "        DATEI (sonst aus QUENDRASIL_MQTT_PASSWORD).\n"
        "  --interface ADRESSE\n"
        "        Netzwerkschnittstelle für MRclock (ihre IPv4-Adresse).\n"
        "  --web [ADRESSE:]PORT\n"
        "        zeigt die Uhr als Webseite auf diesem Port.\n"
        "  -h, --help     zeigt diese Hilfe.\n"
        "  -v, --version  zeigt die Version.\n"
        "\n"
        "--publish und --follow schließen einander aus, bis auf die Brücke;\n"
        "--web geht immer. Mehr in der Programmbeschreibung (F1) und in\n"
        "man quendrasil.\n");
}

// Qt's parser speaks English; its few messages said again in German.
QString germanError(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.first();
        return QStringLiteral("Unbekannte Option %1%2 (quendrasil --help zeigt alle).")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    const QString english = parser.errorText();
    const qsizetype open = english.indexOf(u'\'');
    const qsizetype close = english.lastIndexOf(u'\'');
    const QString option = open >= 0 && close > open ? english.mid(open + 1, close - open - 1) : QString();
    if (english.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("Nach %1 fehlt ein Wert.").arg(option);
    if (english.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("Nach %1 steht ein Wert, den die Option nicht nimmt.").arg(option);
    return QStringLiteral("Die Befehlszeile ist nicht lesbar: %1").arg(english);
}

} // namespace

QString versionText()
{
    const AppInfo app;
    return QStringLiteral("Quendrasil %1.%2.%3\n").arg(app.major).arg(app.minor).arg(app.revision);
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption publish(QStringLiteral("publish"), QString(), QStringLiteral("URL"));
    const QCommandLineOption follow(QStringLiteral("follow"), QString(), QStringLiteral("URL"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), QString(), QStringLiteral("DATEI"));
    const QCommandLineOption iface(QStringLiteral("interface"), QString(), QStringLiteral("ADRESSE"));
    const QCommandLineOption web(QStringLiteral("web"), QString(), QStringLiteral("PORT"));
    parser.addOptions({help, version, publish, follow, passwordFile, web, iface});
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
        c.error = germanError(parser);
        return c;
    }
    if (!parser.positionalArguments().isEmpty()) {
        c.error = QStringLiteral("Unbekanntes Argument %1 (quendrasil --help zeigt die Optionen).")
                      .arg(parser.positionalArguments().join(u' '));
        return c;
    }
    c.help = parser.isSet(help);
    c.helpText = helpText();
    c.version = parser.isSet(version);
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
