#pragma once

#include "ClockEvents.h"

#include <QObject>
#include <memory>

class DisplayWindows;
class FrmConfig;
class Services;
struct Module1;

// The program: the display windows and the control window, wired together.
class Program : public QObject {
    Q_OBJECT

public:
    Program(Module1& m, Services& services);
    ~Program() override;

    // Font stand-ins for the designed fonts; call once before any window exists.
    static void prepareFonts();

    // Creates the control window, runs its load handler and shows it.
    void start();

    FrmConfig* frmConfig() const { return m_config.get(); }
    DisplayWindows& displayWindows() const { return *m_windows; }
    // Start, hold, continue, time base, title and every fast minute, for
    // those who share the clock.
    ClockEvents& clockEvents() { return m_events; }

private:
    class Source;

    Module1& m_module;
    Services& m_services;
    ClockEvents m_events;
    std::unique_ptr<DisplayWindows> m_windows;
    std::unique_ptr<Source> m_source;
    std::unique_ptr<FrmConfig> m_config; // goes first, as it uses the windows
};
