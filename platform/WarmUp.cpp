#include "WarmUp.h"

#include <QFontDatabase>
#include <QImageReader>

#include <fontconfig/fontconfig.h>

WarmUp::WarmUp() : m_configuration([] { FcInit(); }) {}

WarmUp::~WarmUp()
{
    // the second joins the first, once the application object exists
    for (std::thread* t : {&m_application, &m_configuration})
        if (t->joinable())
            t->join();
}

void WarmUp::applicationReady()
{
    m_application = std::thread([this] {
        m_configuration.join(); // the list is made from the configuration
        QFontDatabase::families();
        QImageReader::supportedImageFormats();
    });
}
