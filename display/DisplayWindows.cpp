#include "DisplayWindows.h"

#include "AnalogForm.h"
#include "AnalogHands.h"
#include "DigitalForm.h"
#include "DigitalUpdate.h"
#include "MaxiForm.h"
#include "Module1.h"
#include "StretchForm.h"

std::unique_ptr<DisplayForm> makeDisplayWindow(Module1& m, int style)
{
    if (style < 0 || style >= DisplayWindows::kStyles)
        return nullptr;
    if (style <= 2)
        return std::make_unique<AnalogForm>(m, style);
    if (style <= 6)
        return std::make_unique<DigitalForm>(m, style);
    if (style == 7)
        return std::make_unique<MaxiForm>(m);
    return std::make_unique<StretchForm>(m);
}

DisplayWindows::DisplayWindows(Module1& m, QObject* parent) : QObject(parent), m_module(m) {}

DisplayWindows::~DisplayWindows() = default;

DisplayForm* DisplayWindows::get(int style)
{
    if (style < 0 || style >= kStyles)
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
    if (style < 0 || style >= kStyles)
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
    static_cast<MaxiForm*>(get(7))->analogzeitMaxi(zeit);
}

void DisplayWindows::digitalzeit()
{
    if (const DigitalFace* face = m_module.frmAnzeige ? m_module.frmAnzeige->digitalFace() : nullptr)
        ::digitalzeit(m_module, *face);
}
