#include "WarmUp.h"

#include <QFontDatabase>
#include <QImageReader>

#include <fontconfig/fontconfig.h>

WarmUp::WarmUp() : m_configuration([] { FcInit(); }) {}

// the thread of applicationReady has joined the first one, if it ran
WarmUp::~WarmUp()
{
    if (m_configuration.joinable())
        m_configuration.join();
}

WarmUp::Running::~Running()
{
    if (m_thread.joinable())
        m_thread.join();
}

WarmUp::Running WarmUp::applicationReady()
{
    return Running(std::thread([this] {
        m_configuration.join(); // the list is made from the configuration
        QFontDatabase::families();
        QImageReader::supportedImageFormats();
    }));
}
