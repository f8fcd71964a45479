#include "DisplayWindows.h"

#include "AnalogForm.h"
#include "AnalogHands.h"
#include "DigitalForm.h"
#include "DigitalUpdate.h"
#include "MaxiForm.h"
#include "Module1.h"
#include "StretchForm.h"

// The one place that names the window class of each kind of display window.
std::unique_ptr<DisplayForm> makeDisplayWindow(Module1& m, int style)
{
    const DisplayStyle* row = displayStyle(style);
    if (!row)
        return nullptr;
    switch (row->window) {
    case WindowKind::Analog:
        return std::make_unique<AnalogForm>(m, style);
    case WindowKind::Digital:
        return std::make_unique<DigitalForm>(m, style);
    case WindowKind::Maxi:
        return std::make_unique<MaxiForm>(m);
    case WindowKind::Stretch:
        return std::make_unique<StretchForm>(m);
    }
    return nullptr;
}

DisplayWindows::DisplayWindows(Module1& m, QObject* parent) : QObject(parent), m_module(m) {}

DisplayWindows::~DisplayWindows() = default;

DisplayForm* DisplayWindows::get(int style)
{
    if (!displayStyle(style))
        return nullptr;
    auto& slot = m_forms[static_cast<std::size_t>(style)];
    if (!slot) {
        slot = makeDisplayWindow(m_module, style);
        connect(slot.get(), &DisplayForm::configRequested, this, &DisplayWindows::configRequested);
        connect(slot.get(), &DisplayForm::unloadRequested, this, &DisplayWindows::unloadRequested);
        slot->load();
    }
    return slot.get();
}

DisplayForm* DisplayWindows::existing(int style) const
{
    if (!displayStyle(style))
        return nullptr;
    return m_forms[static_cast<std::size_t>(style)].get();
}

void DisplayWindows::analogzeit(std::int32_t zeit)
{
    if (PictureBox* dial = m_module.frmAnzeige ? m_module.frmAnzeige->dial() : nullptr)
        ::analogzeit(m_module, *dial, zeit);
}

void DisplayWindows::analogzeitMaxi(std::int32_t zeit)
{
    // the large clock draws also when it is not shown; it is created if needed
    static_cast<MaxiForm*>(get(styleOf(WindowKind::Maxi)))->analogzeitMaxi(zeit);
}

void DisplayWindows::digitalzeit()
{
    if (const DigitalFace* face = m_module.frmAnzeige ? m_module.frmAnzeige->digitalFace() : nullptr)
        ::digitalzeit(m_module, *face);
}
