#pragma once

#include "DisplayForm.h"

struct WindowDesign;

// A display window built from its design: caption, frame, colour, client size
// and the clock icon. Closing any display window saves the settings and ends
// the program.
class ClockWindow : public DisplayForm {
    Q_OBJECT

public:
    ClockWindow(Module1& m, int style);

protected:
    bool formUnload() override;
};
