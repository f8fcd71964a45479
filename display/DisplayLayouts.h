#pragma once

#include "Dispatch.h"
#include "Form.h"

#include <QColor>
#include <QSizeF>
#include <QString>
#include <array>

// The display windows as designed, one for each display style: frames,
// captions, colours, client sizes and the places of their controls, in twips.
// The window classes build themselves from these tables.

// A control's place in its container, in twips.
struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Which mouse action on a control brings the control window back.
enum class Reopen { None, Click, DoubleClick };

namespace colors {
// The desktop's application-workspace grey and button face, as the pictures
// were drawn against them.
inline QColor workspace() { return {171, 171, 171}; }
inline QColor buttonFace() { return {212, 208, 200}; }
} // namespace colors

inline const QString kReopenTip = QStringLiteral(" Doppelklick ruft das Konfigurations-Fenster auf ");

// A window as created.
struct WindowDesign {
    QString name;
    QString caption;
    FormStyle frame;
    QColor background;
    QSizeF client; // twips
    // which of the designs of its kind of window (analogDesign, digitalDesign)
    // it takes; 0 for the kinds with one window
    int variant = 0;
};

// The window of a display style; a style outside the table is a programming
// error.
const WindowDesign& windowDesign(int style);
// The outer size that gives a window its design client size.
QSizeF designOuterSize(const WindowDesign& design);

// The small analog clocks.
enum class Dial { Round, Square };
struct AnalogDesign {
    Box picUhr;
    Dial dial = Dial::Square;
    bool sunkenWhiteBox = true; // white background and sunken border
};
const AnalogDesign& analogDesign(int style);

// The small digital windows.
enum class DigitSet { Lcd, Led };
struct DigitalDesign {
    DigitSet digits = DigitSet::Lcd;
    Box background;            // Image1 (LCD frame) or Label1 (black LED field)
    std::array<Box, 2> imgStd; // hour tens, units
    Box imgSec;
    std::array<Box, 2> imgMin; // minute tens, units
    Box lblSec;
    std::array<Box, 10> imgZiffer; // the digit store
    QColor lblSecColor;
    bool secTip = false; // the separator carries the reopen tip
    Reopen onBackground = Reopen::None;
    Reopen onDigits = Reopen::DoubleClick;
    Reopen onLblSec = Reopen::DoubleClick;
    Reopen onSec = Reopen::None;
    // sizes (twips, outer); 0 leaves a dimension as it is
    QSizeF loadSize;
    double activeWidth = 0;
    double activeHeight = 0;
    bool heightFirst = false; // order of the two settings on activation
};
const DigitalDesign& digitalDesign(int style);

// The large analog clock (style 7).
namespace maxi {
inline constexpr Box kPicUhr{0, 30, 7200, 7180};
inline constexpr Box kImgUhr0{30, 30, 7020, 7020}; // inside picUhr
inline constexpr Box kImgUhr1{90, 7530, 1230, 1140};
// The smallest client area, in pixels, at which the clock is still readable;
// a saved size below it opens the window at its design size.
inline constexpr int kMinClientPx = 150;
} // namespace maxi

// The stretched LED window (style 8).
namespace stretch {
inline constexpr Box kImage1{60, 60, 15090, 5970};
inline constexpr std::array<Box, 2> kImgStd{{{270, 240, 3135, 5580}, {3570, 240, 3135, 5580}}};
inline constexpr std::array<Box, 2> kImgMin{{{7410, 240, 3135, 5580}, {10680, 240, 3135, 5580}}};
inline constexpr Box kLblSec{13920, 4950, 1125, 975};
inline constexpr Box kImgSec{6960, 2640, 225, 720};
Box imgZiffer(int digit);
inline constexpr QSizeF kLoadSize{15360, 6450};
} // namespace stretch
