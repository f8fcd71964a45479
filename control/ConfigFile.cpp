#include "ConfigFile.h"

#include "DisplayForm.h"
#include "DisplaySource.h"
#include "Module1.h"
#include "Numbers.h"

void applySettings(Module1& m, const Settings& s)
{
    m.lngStartStd = s.startStd;
    m.lngStartMin = s.startMin;
    m.lngFaktor = s.faktor;
    m.intAnzeige = s.anzeige;
    m.lngAnzeigeLeft = s.anzeigeLeft;
    m.lngAnzeigeTop = s.anzeigeTop;
    m.strTitel = s.titel;
    m.lngBreiteMaxi = s.breiteMaxi;
    m.lngHoeheMaxi = s.hoeheMaxi;
    m.lngStd = s.letzteStd;
    m.lngMin = s.letzteMin;
    m.blnDatei = s.datei;
}

Settings gatherSettings(Module1& m, const ConfigEntries& entries, DisplaySource& windows)
{
    using numbers::leadingNumber;
    using numbers::toLong;
    m.lngStartStd = toLong(leadingNumber(entries.txtStd));
    m.lngStartMin = toLong(leadingNumber(entries.txtMin));
    m.lngFaktor = toLong(leadingNumber(entries.txtFaktor));

    Settings s;
    s.startStd = m.lngStartStd;
    s.startMin = m.lngStartMin;
    s.faktor = m.lngFaktor;
    s.anzeige = m.intAnzeige;
    if (m.frmAnzeige) {
        s.anzeigeLeft = toLong(m.frmAnzeige->formLeft());
        s.anzeigeTop = toLong(m.frmAnzeige->formTop());
    } else {
        s.anzeigeLeft = m.lngAnzeigeLeft;
        s.anzeigeTop = m.lngAnzeigeTop;
    }
    s.konfigLeft = entries.konfigLeft;
    s.konfigTop = entries.konfigTop;
    s.titel = m.strTitel;
    // the large clock's size comes from its window, created (not shown) if needed
    const DisplayForm* maxi = windows.get(7);
    s.breiteMaxi = toLong(maxi->formWidth());
    s.hoeheMaxi = toLong(maxi->formHeight());
    s.letzteStd = m.lngStd;
    s.letzteMin = m.lngMin;
    s.datei = m.blnDatei;
    return s;
}

void konfigSpeichern(Module1& m, const ConfigEntries& entries, DisplaySource& windows)
{
    settingsfile::write(m.strIniDatei, gatherSettings(m, entries, windows));
}
