// The sharing module's entry: the options of the command line read, then the
// publisher, the followers and the web server made and begun.

#include "SharingModule.h"

#include "BrokerAddress.h"
#include "CommandLine.h"
#include "FrmConfig.h"
#include "FrmUhrImNetz.h"
#include "MrclockSharing.h"
#include "Program.h"
#include "Sharing.h"
#include "WebAddresses.h"
#include "WebServer.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace {

class SharingFromOptions : public Sharing {
public:
    std::optional<BrokerAddress> broker;
    bool publish = false;
    MrclockOptions mrclock;
    QString webOption;
    std::optional<ListenAddress> web;

    bool prepare(Program& program, Module1& m, Services& services, QString* why) override
    {
        if (broker && publish)
            m_share = sharePublished(program, m, services, *broker);
        else if (broker)
            m_share = shareFollowed(program, *broker);
        m_share = withMrclock(program, m, mrclock, m_share);
        if (!web)
            return true;
        m_webServer = std::make_unique<WebServer>(m, &program.clockEvents());
        QString webError;
        if (m_webServer->listen(*web, &webError))
            return true;
        *why = QStringLiteral("--web %1: %2").arg(webOption, webError);
        return false;
    }

    void begin(Program& program) override
    {
        if (m_share)
            m_share();
        FrmConfig* config = program.frmConfig();
        if (!config || !m_webServer)
            return;
        QObject::connect(config, &FrmConfig::pageAddressesWanted, config, [config](const QStringList& urls) {
            FrmUhrImNetz dialog(urls, config);
            dialog.exec();
        });
        config->offerPageAddresses(pageUrls(web->address, m_webServer->port()));
    }

private:
    std::function<void()> m_share; // begins sharing once the control window is loaded
    std::unique_ptr<WebServer> m_webServer; // only with --web
};

} // namespace

extern "C" Sharing* quendrasilSharing(const CommandLine& options, QString* why)
{
    auto s = std::make_unique<SharingFromOptions>();
    if (!options.publish.isEmpty() || !options.follow.isEmpty()) {
        s->publish = !options.publish.isEmpty();
        s->broker = parseBrokerUrl(s->publish ? options.publish : options.follow, why);
        if (!s->broker)
            return nullptr;
        const BrokerPassword password = brokerPassword(s->broker->user, s->broker->password, options.passwordFile,
                                                       qEnvironmentVariable("QUENDRASIL_MQTT_PASSWORD"));
        for (const QString& warning : password.warnings)
            std::fprintf(stderr, "quendrasil: %s\n", qPrintable(warning));
        if (!password.error.isEmpty()) {
            *why = password.error;
            return nullptr;
        }
        s->broker->password = password.password;
    }
    const auto mrclock = readMrclockOptions(options.publishMrclock, options.followMrclock, options.interface, why);
    if (!mrclock)
        return nullptr;
    s->mrclock = *mrclock;
    s->webOption = options.web;
    if (!options.web.isEmpty() && !(s->web = parseListenAddress(options.web, why)))
        return nullptr;
    return s.release();
}
