#pragma once

#include "DigitalFace.h"
#include "SmallDisplayForm.h"

class QWidget;

// The small digital windows (WindowKind::Digital), with LCD or LED digits: a
// background picture or field, four digit places, the separator and the
// seconds label, and below the visible area the store of the ten digits. They
// open tall and take their final size on activation, which leaves the digit
// store outside the window.
class DigitalForm : public SmallDisplayForm {
    Q_OBJECT

public:
    DigitalForm(Module1& m, int style);

    const DigitalFace* digitalFace() const override { return &m_face; }
    QWidget* background() const { return m_background; }

protected:
    void formLoad() override;
    void applyActivationSize() override;

private:
    DigitalFace m_face;
    QWidget* m_background = nullptr; // Image1 or Label1
};
