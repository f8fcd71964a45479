#pragma once

#include "Settings.h"

#include <QString>

class DisplaySource;
struct Module1;

// The control window's entries as they stand when the settings are saved.
struct ConfigEntries {
    QString txtStd;
    QString txtMin;
    QString txtFaktor;
    double konfigLeft = 0; // the control window's outer top-left, twips
    double konfigTop = 0;
};

// The values read from the settings file go to the shared state (the control
// window's own position is set by the window itself).
void applySettings(Module1& m, const Settings& s);

// The values to save: the start time and time base taken again from the box
// texts (without the time-base check, so a value still being edited is saved
// as typed), the display position from the current display window itself and
// the size of the large analog window from that window, created (not shown)
// for the purpose when it does not exist yet.
Settings gatherSettings(Module1& m, const ConfigEntries& entries, DisplaySource& windows);

// Writes the settings file strIniDatei whole.
void konfigSpeichern(Module1& m, const ConfigEntries& entries, DisplaySource& windows);
