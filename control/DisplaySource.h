#pragma once

class DisplayForm;

// Where the control window gets the display windows from: each style's one
// window, created and loaded on first use.
class DisplaySource {
public:
    virtual ~DisplaySource() = default;
    // The window of a style, created and loaded first if needed; nullptr for a
    // style outside the table of display styles.
    virtual DisplayForm* get(int style) = 0;
};
