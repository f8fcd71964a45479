#pragma once

#include "ClockWindow.h"
#include "DigitalFace.h"

class ImageBox;

// The stretched LED window (style 8): a resizable LED clock whose digits,
// separator and seconds are laid out as fixed fractions of the window's size.
class StretchForm : public ClockWindow {
    Q_OBJECT

public:
    explicit StretchForm(Module1& m);

    const DigitalFace* digitalFace() const override { return &m_face; }
    ImageBox* background() const { return m_image1; }

protected:
    void formLoad() override;
    void formResize() override;

private:
    void layOut();

    ImageBox* m_image1;
    DigitalFace m_face;
};
