#pragma once

#include "ClockWindow.h"
#include "MaxiHands.h"

#include <QSizeF>
#include <cstdint>
#include <optional>

class ImageBox;
class PictureBox;

// The size the large analog clock opens at, from the saved outer size in
// twips: the saved size where it leaves a usable clock, else the design size.
QSizeF maxiOpeningSize(std::int32_t savedWidth, std::int32_t savedHeight);

// The large analog clock (style 7): a resizable window whose dial and hands
// follow its size. It takes its saved size and the title when it loads.
class MaxiForm : public ClockWindow {
    Q_OBJECT

public:
    explicit MaxiForm(Module1& m);

    PictureBox* dial() override { return m_picUhr; }
    // Draws the hands for the fast time, scaled to the window. A change of
    // size draws the time shown at once again, at the new size.
    void analogzeitMaxi(std::int32_t zeit);
    const MaxiHandState& hands() const { return m_hands; }

protected:
    void formLoad() override;
    void formResize() override;

private:
    void layOut();
    void draw(std::int32_t zeit);

    ImageBox* m_imgUhr1;
    PictureBox* m_picUhr;
    ImageBox* m_imgUhr0;
    MaxiHandState m_hands;
    // the fast time the hands show, once they have been drawn
    std::optional<std::int32_t> m_shown;
};
