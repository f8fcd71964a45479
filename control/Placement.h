#pragma once

class Form;
struct Module1;
class DisplaySource;

// Places a window at left, top twips. A place from which the window can be
// reached is kept exactly, also where the window reaches past the screen's
// edge; a place outside every screen (a screen that is no longer attached) is
// moved to the nearest screen. A resizable window larger than its screen's
// work area is made as large as that area.
void placeOnScreen(Form& form, double left, double top);

// Creates, places, shows and titles the display window of the current style
// (intAnzeige): placed at lngAnzeigeLeft, lngAnzeigeTop before it is shown,
// titled with strTitel after it, for the styles whose title bar shows the
// title box (titleFromBox). For a style without a window the current display
// window stays.
void anzeigeZeigen(Module1& m, DisplaySource& windows);
