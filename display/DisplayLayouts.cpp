#include "DisplayLayouts.h"

#include "Twips.h"

#include <cassert>

namespace {

FormStyle titled() { return {true, false, true, false, false, false}; }
FormStyle frameless() { return {false, false, false, false, false, false, false}; }
// no frame from the desktop, the dialog frame's edge drawn by the window itself
FormStyle edged() { return {false, false, false, false, false, false, true}; }

// By display style.
const WindowDesign* windowDesigns()
{
    static const WindowDesign designs[] = {
        {QStringLiteral("frmAnalog_R"), QStringLiteral("Uhr"), frameless(), Qt::black, {1830, 1815}, 0},
        {QStringLiteral("frmAnalog_X"), QStringLiteral(" Quendrasil"), titled(), colors::workspace(), {2010, 2025}, 1},
        {QStringLiteral("frmAnalog"), QString(), edged(), colors::workspace(), {2085, 2100}, 2},
        {QStringLiteral("frmLCD_X"), QString(), titled(), colors::workspace(), {1620, 1935}, 0},
        {QStringLiteral("frmLCD"), QString(), edged(), colors::workspace(), {1635, 1815}, 1},
        {QStringLiteral("frmLED_X"), QString(), titled(), colors::buttonFace(), {1830, 1875}, 2},
        {QStringLiteral("frmLED"), QString(), edged(), colors::buttonFace(), {1845, 1860}, 3},
        {QStringLiteral("frmAnalogMaxi"), QStringLiteral(" Uhrzeit"), {true, true, true, true, true, true},
         colors::buttonFace(), {9360, 8685}, 0},
        {QStringLiteral("frmLEDStretch"), QStringLiteral(" LED Stretch"), {true, true, true, false, true, true},
         colors::buttonFace(), {15270, 15270}, 0},
    };
    static_assert(std::size(designs) == kStyleCount, "a window design for each display style");
    return designs;
}

// The digit store of a small digital window: five digits on each of two rows.
std::array<Box, 10> store(const std::array<double, 10>& lefts, double top1, double top2, double width,
                          double height)
{
    std::array<Box, 10> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = {lefts[i], i < 5 ? top1 : top2, width, height};
    return boxes;
}

DigitalDesign lcd(double dy, const std::array<double, 10>& storeLefts)
{
    DigitalDesign d;
    d.digits = DigitSet::Lcd;
    d.background = {30, 30 + dy, 1560, 585};
    d.imgStd = {{{150, 120 + dy, 225, 405}, {420, 120 + dy, 225, 405}}};
    d.imgSec = {690, 240 + dy, 45, 165};
    d.imgMin = {{{780, 120 + dy, 225, 405}, {1050, 120 + dy, 225, 405}}};
    d.lblSec = {1320, 345 + dy, 315, 225};
    d.imgZiffer = store(storeLefts, 810, 1260, 225, 405);
    d.lblSecColor = Qt::black;
    d.loadSize = {1800, 1320};
    return d;
}

DigitalDesign led(double dy, double storeTop)
{
    DigitalDesign d;
    d.digits = DigitSet::Led;
    d.background = {30, 30 + dy, 1785, 585};
    d.imgStd = {{{120, 90 + dy, 270, 435}, {420, 90 + dy, 270, 435}}};
    d.imgSec = {750, 210 + dy, 45, 165};
    d.imgMin = {{{840, 90 + dy, 270, 435}, {1140, 90 + dy, 270, 435}}};
    d.lblSec = {1470, 315 + dy, 315, 225};
    d.imgZiffer = store({180, 480, 750, 1050, 1350, 180, 480, 765, 1050, 1350}, storeTop, storeTop + 450, 270, 435);
    d.imgZiffer[7].width = 255; // the LED seven is one pixel narrower
    d.lblSecColor = Qt::white;
    d.onBackground = Reopen::DoubleClick;
    return d;
}

const std::array<DigitalDesign, 4>& digitalDesigns()
{
    static const std::array<DigitalDesign, 4> designs = [] {
        DigitalDesign lcdX = lcd(30, {60, 330, 600, 870, 1170, 60, 330, 600, 900, 1170});
        lcdX.secTip = true;
        lcdX.onBackground = Reopen::Click;
        lcdX.onSec = Reopen::DoubleClick; // its tooltip promises it
        lcdX.activeWidth = 1725;
        lcdX.activeHeight = 1065;

        DigitalDesign lcdPlain = lcd(0, {90, 360, 630, 900, 1200, 60, 330, 600, 900, 1170});
        lcdPlain.onBackground = Reopen::DoubleClick;
        lcdPlain.activeWidth = 1725;
        lcdPlain.activeHeight = 750;
        lcdPlain.heightFirst = true;

        DigitalDesign ledX = led(30, 810);
        ledX.activeHeight = 1050;

        DigitalDesign ledPlain = led(0, 780);
        ledPlain.activeHeight = 735;
        return std::array<DigitalDesign, 4>{lcdX, lcdPlain, ledX, ledPlain};
    }();
    return designs;
}

} // namespace

const WindowDesign& windowDesign(int style)
{
    assert(displayStyle(style));
    return windowDesigns()[style];
}

QSizeF designOuterSize(const WindowDesign& design)
{
    constexpr double px = twips::kPerPixel;
    if (!design.frame.titleBar && design.frame.drawnEdge)
        return {design.client.width() + 2 * Form::kFramePx * px, design.client.height() + 2 * Form::kFramePx * px};
    if (!design.frame.titleBar)
        return design.client;
    return {design.client.width() + 2 * Form::kFramePx * px,
            design.client.height() + (Form::kClientTopPx + Form::kFramePx) * px};
}

const AnalogDesign& analogDesign(int style)
{
    static const std::array<AnalogDesign, 3> designs{{
        {{75, 90, 1665, 1665}, Dial::Round, false},
        {{15, 15, 1965, 1980}, Dial::Square, true},
        {{60, 60, 1965, 1980}, Dial::Square, true},
    }};
    assert(displayStyle(style) && displayStyle(style)->window == WindowKind::Analog);
    return designs.at(static_cast<std::size_t>(windowDesign(style).variant));
}

const DigitalDesign& digitalDesign(int style)
{
    assert(displayStyle(style) && displayStyle(style)->window == WindowKind::Digital);
    return digitalDesigns().at(static_cast<std::size_t>(windowDesign(style).variant));
}

Box stretch::imgZiffer(int digit)
{
    if (digit == 8)
        return {540 + 1080.0 * digit, 8130, 3120, 5565};
    return {540 + 1080.0 * digit, 8130, 3135, 5580};
}
