#include "Placement.h"

#include "Dispatch.h"
#include "DisplayForm.h"
#include "DisplaySource.h"
#include "Module1.h"
#include "OnScreen.h"

void placeOnScreen(Form& form, double left, double top)
{
    form.setFormPos(left, top);
    // moves it only when it lies outside every screen; shrinks a resizable
    // window only where it is larger than its screen
    keepOnScreen(form);
}

void anzeigeZeigen(Module1& m, DisplaySource& windows)
{
    if (DisplayForm* window = windows.get(m.intAnzeige))
        m.frmAnzeige = window;
    DisplayForm* window = m.frmAnzeige;
    if (!window)
        return;
    placeOnScreen(*window, m.lngAnzeigeLeft, m.lngAnzeigeTop);
    window->showForm();
    if (const DisplayStyle* style = displayStyle(m.intAnzeige); style && style->titleFromBox)
        window->setCaption(m.strTitel);
}
