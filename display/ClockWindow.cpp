#include "ClockWindow.h"

#include "DisplayLayouts.h"
#include "Pictures.h"

ClockWindow::ClockWindow(Module1& m, int style)
    : DisplayForm(m, style, windowDesign(style).name, windowDesign(style).frame)
{
    const WindowDesign& design = windowDesign(style);
    setCaption(design.caption);
    setWindowIcon(pictures::clockIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, design.background);
    setPalette(pal);
    setAutoFillBackground(true);
    const QSizeF outer = designOuterSize(design);
    setFormSize(outer.width(), outer.height());
}

bool ClockWindow::formUnload()
{
    // the receiver writes the settings once and ends the program at once
    emit unloadRequested(true);
    return true;
}
