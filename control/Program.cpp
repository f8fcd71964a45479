#include "Program.h"

#include "DisplaySource.h"
#include "DisplayWindows.h"
#include "FrmConfig.h"
#include "Module1.h"

#include <QFont>

class Program::Source : public DisplaySource {
public:
    explicit Source(DisplayWindows& windows) : m_windows(windows) {}
    DisplayForm* get(int style) override { return m_windows.get(style); }

private:
    DisplayWindows& m_windows;
};

Program::Program(Module1& m, Services& services)
    : m_module(m), m_services(services), m_windows(std::make_unique<DisplayWindows>(m)),
      m_source(std::make_unique<Source>(*m_windows))
{
    m_module.drawing = m_windows.get();
    m_module.events = &m_events;
    connect(m_windows.get(), &DisplayWindows::configRequested, this, [this] {
        if (m_config)
            m_config->configRequested();
    });
    connect(m_windows.get(), &DisplayWindows::unloadRequested, this, [this](bool save) {
        if (m_config)
            m_config->unloadRequested(save);
    });
}

Program::~Program()
{
    m_config.reset();
    m_module.frmAnzeige = nullptr;
    m_module.drawing = nullptr;
    m_module.events = nullptr;
}

void Program::prepareFonts()
{
    // the designed fonts come from another desktop; these have the same metrics
    QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

void Program::start()
{
    if (!m_config)
        m_config = std::make_unique<FrmConfig>(m_module, m_services, *m_source);
    m_config->showForm(); // loads it first
}
