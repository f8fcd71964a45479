#pragma once

#include <array>
#include <cstdint>

struct Module1;

// The drawing routines of the display windows, as the dispatch calls them.
class DrawingRoutines {
public:
    virtual ~DrawingRoutines() = default;
    // The hands of a small analog clock, into the current display window.
    virtual void analogzeit(std::int32_t zeit) = 0;
    // The large analog clock; its window is created if needed, not shown.
    virtual void analogzeitMaxi(std::int32_t zeit) = 0;
    // The digits of the current digital display window; reads the state itself.
    virtual void digitalzeit() = 0;
};

enum class Routine { Analog, AnalogMaxi, Digital };

// The kinds of display window; the display library makes each kind with one
// class, and lays a window out by its style.
enum class WindowKind { Analog, Digital, Maxi, Stretch };

// A display style: the kind of its window, the routine that draws into it and
// whether showing it sets its caption to the title (strTitel).
struct DisplayStyle {
    WindowKind window;
    Routine routine;
    bool titleFromBox;
};

// The display styles, by number, as the option buttons, the settings file and
// the shared clock name them. A new style is a row here, a window design in
// the display library and an option button on the control window.
inline constexpr std::array<DisplayStyle, 9> kDisplayStyles{{
    {WindowKind::Analog, Routine::Analog, false},         // 0 frmAnalog_R, round
    {WindowKind::Analog, Routine::Analog, true},          // 1 frmAnalog_X
    {WindowKind::Analog, Routine::Analog, false},         // 2 frmAnalog
    {WindowKind::Digital, Routine::Digital, true},        // 3 frmLCD_X
    {WindowKind::Digital, Routine::Digital, false},       // 4 frmLCD
    {WindowKind::Digital, Routine::Digital, true},        // 5 frmLED_X
    {WindowKind::Digital, Routine::Digital, false},       // 6 frmLED
    {WindowKind::Maxi, Routine::AnalogMaxi, false},       // 7 frmAnalogMaxi, titled when it loads
    {WindowKind::Stretch, Routine::Digital, false},       // 8 frmLEDStretch, keeps its caption
}};
inline constexpr int kStyleCount = static_cast<int>(kDisplayStyles.size());

// The row of a style; nullptr for a number outside the table.
constexpr const DisplayStyle* displayStyle(int style)
{
    return style >= 0 && style < kStyleCount ? &kDisplayStyles[static_cast<std::size_t>(style)] : nullptr;
}

// The style of the one window of a kind (the large windows); -1 if none.
constexpr int styleOf(WindowKind kind)
{
    for (int style = 0; style < kStyleCount; ++style)
        if (kDisplayStyles[static_cast<std::size_t>(style)].window == kind)
            return style;
    return -1;
}

// The drawing routine of a display style. A number outside the table, which
// the control window refuses, draws analog below the table, digital above it.
constexpr Routine routineFor(int style)
{
    if (const DisplayStyle* row = displayStyle(style))
        return row->routine;
    return style < 0 ? Routine::Analog : Routine::Digital;
}

// Shows the fast time in the current display window.
void anzeigeAktualisieren(Module1& m);
