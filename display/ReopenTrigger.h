#pragma once

#include "DisplayForm.h"
#include "DisplayLayouts.h"

#include <QObject>

// Lets a click or double-click on a control of a display window bring the
// control window back. Works for every control with clicked() and
// doubleClicked() signals (images, labels, picture boxes).
template <typename Control>
void reopenOn(DisplayForm* form, Control* control, Reopen how)
{
    switch (how) {
    case Reopen::Click:
        QObject::connect(control, &Control::clicked, form, &DisplayForm::configRequested);
        break;
    case Reopen::DoubleClick:
        QObject::connect(control, &Control::doubleClicked, form, &DisplayForm::configRequested);
        break;
    case Reopen::None:
        break;
    }
}
