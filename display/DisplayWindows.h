#pragma once

#include "Dispatch.h"

#include <QObject>
#include <array>
#include <memory>

class DisplayForm;
struct Module1;

// The window of a display style as created, not yet loaded; nullptr for a
// style outside the table.
std::unique_ptr<DisplayForm> makeDisplayWindow(Module1& m, int style);

// The display windows, one for each style: each created on first use (its load handler runs
// then) and kept, shown or hidden, until the program ends. They are also the
// drawing routines the dispatch calls.
class DisplayWindows : public QObject, public DrawingRoutines {
    Q_OBJECT

public:
    explicit DisplayWindows(Module1& m, QObject* parent = nullptr);
    ~DisplayWindows() override;

    // The window of a style, created and loaded first if needed; nullptr for a
    // style outside the table.
    DisplayForm* get(int style);
    // The window of a style if it exists already.
    DisplayForm* existing(int style) const;

    // Drawing routines, on the current display window (Module1::frmAnzeige).
    void analogzeit(std::int32_t zeit) override;
    void analogzeitMaxi(std::int32_t zeit) override;
    void digitalzeit() override;

signals:
    // Forwarded from every display window.
    void configRequested();
    void unloadRequested(bool save);

private:
    Module1& m_module;
    std::array<std::unique_ptr<DisplayForm>, kStyleCount> m_forms;
};
