#pragma once

#include "Form.h"

#include <array>

class CheckBox;
class CommandButton;
class DisplaySource;
class ExactTimer;
class ImageBox;
class Label;
class OptionGroup;
class Panel3D;
class QGroupBox;
class QKeyEvent;
class Services;
class ShapeOutline;
class TextBox;
struct ClockState;
struct ConfigEntries;
struct Module1;

// The control window: sets the start time, the time base, the title, the
// display style and the time file, and starts, holds and continues the clock.
// While the clock runs it hides itself; a click on the clock face brings it back.
class FrmConfig : public Form {
    Q_OBJECT

public:
    FrmConfig(Module1& m, Services& services, DisplaySource& windows);
    ~FrmConfig() override;

    // A click on a clock face: the window comes back, modeless and in front;
    // the clock keeps running.
    void configRequested();
    // A display window was closed: save first if it asks so, then end.
    void unloadRequested(bool save);

    // The desktop session ends or the program is told to stop: save once and
    // end, as closing the window does.
    void endSession();
    // The session manager asks for the data: saved, and the program goes on.
    void commitSession();

    // Writes the settings file with the entries as they stand now.
    void konfigSpeichern();

    // The captions of the hold button, by which it knows the clock state.
    static QString holdCaption();     // "an&halten"
    static QString continueCaption(); // "&weiter"

    // FrmConfigFollow.cpp: following another computer's clock. Start, hold,
    // continue and "<<" are off, the start time and time base show the
    // master's values; the follower's own ones are saved as they were.
    void beginFollowing();
    // Shows the state and runs the timer from it, in phase from now; with an
    // exact interval (nanoseconds per fast second) the timer runs at that
    // rate rather than the state's whole-millisecond time base.
    void applyFollowedState(const ClockState& s, qint64 exactIntervalNs = 0);
    // FrmConfigStatus.cpp: the status line below the panel, for a program
    // that shares its clock, one line each for MQTT, MRclock and the web
    // page; the window grows downwards to hold it and has none until the
    // first note. The caption stays the plain one.
    enum class Note { Mqtt, Mrclock, Web };
    void setNetworkNote(Note which, const QString& text);
    QString statusText() const;
    // --web: the status line names the page's first address, and the button
    // "Uhr im &Netz…" (Alt+N) asks to show all of them (pageAddressesWanted).
    void offerPageAddresses(const QStringList& urls);
    // A follower: the master holds its clock (the status line and the display
    // window's caption say "angehalten"), or runs it.
    void showMasterHeld(bool held);

signals:
    // The button "Uhr im &Netz…": the web page's part shows the addresses
    // with their QR codes, parented to this window.
    void pageAddressesWanted(const QStringList& urls);

protected:
    void formLoad() override;
    bool formUnload() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // FrmConfigLayout.cpp: every control as designed
    void buildControls();
    void buildPanel();
    void buildButtons();
    void buildTabOrder();
    void keepOptionsTabStops();

    void connectHandlers();
    ConfigEntries entries() const;
    void setBoxText(TextBox* box, const QString& text);
    void armTimer();
    // those who share the clock (other computers, web pages) hear of a new state
    void tellStateChanged();
    void endProgram();
    void layOutStatus();
    void markHeldCaption();

    // handlers
    void Form_Load();
    void btnStart_Click();
    void btnStop_Click();
    void btnLetzteZeit_Click();
    void btnVerbergen_Click();
    void btnBeenden_Click();
    void btnHilfe_Click();
    void chkDatei_Click();
    void txtFaktor_LostFocus();
    void txtStd_LostFocus();
    void txtMin_LostFocus();
    void txtTitel_LostFocus();
    void imgCopyright_Click();
    void optAnzeige_Click(int index);
    void Timer_Timer();

    Module1& m_module;
    Services& m_services;
    DisplaySource& m_windows;
    bool m_ended = false;
    bool m_settingsRead = false; // start-up has filled the boxes
    int m_shownStyle = -1; // the option last acted on
    bool m_following = false;
    QString m_ownStd, m_ownMin, m_ownFaktor; // a follower's own entries
    int m_followAhead = 0; // states in a row that found the follower ahead
    bool m_masterHeld = false;
    std::array<QString, 3> m_notes; // by Note
    QStringList m_pageUrls;

    ExactTimer* Timer = nullptr;
    Panel3D* pnlConfig = nullptr;
    QGroupBox* Frame = nullptr;
    TextBox* txtStd = nullptr;
    TextBox* txtMin = nullptr;
    TextBox* txtFaktor = nullptr;
    TextBox* txtTitel = nullptr;
    CommandButton* btnStart = nullptr;
    CommandButton* btnStop = nullptr;
    CommandButton* btnVerbergen = nullptr;
    CommandButton* btnHilfe = nullptr;
    CommandButton* btnBeenden = nullptr;
    CommandButton* btnLetzteZeit = nullptr;
    OptionGroup* optAnzeige = nullptr;
    CheckBox* chkDatei = nullptr;
    std::array<Label*, 5> Label_{}; // Label(0) to Label(4)
    Label* lblRelease = nullptr;
    Label* lblCopyright = nullptr;
    ImageBox* imgCopyright = nullptr;
    ShapeOutline* Rahmen = nullptr;
    Label* lblStatus = nullptr;         // only while sharing
    CommandButton* btnUhrImNetz = nullptr; // only with --web
};
