#pragma once

#include "Form.h"

class PictureBox;
struct DigitalFace;
struct Module1;

// A display window: the clock window of one display style, addressed by it.
class DisplayForm : public Form {
    Q_OBJECT

public:
    DisplayForm(Module1& m, int style, const QString& name, const FormStyle& formStyle);

    int style() const { return m_style; }

    // The dial of an analog window, into which the hands are drawn.
    virtual PictureBox* dial() { return nullptr; }
    // The digit places, digit store, seconds label and separator of a digital window.
    virtual const DigitalFace* digitalFace() const { return nullptr; }

signals:
    // A click or double-click on the face: the control window comes back.
    void configRequested();
    // The window is closed: save the settings (or not) and end the program.
    void unloadRequested(bool save);

protected:
    Module1& m_module;

private:
    int m_style;
};
