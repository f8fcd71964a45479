// The control window of a follower: the clock comes from another computer.

#include "FrmConfig.h"

#include "ClockState.h"
#include "Controls.h"
#include "Dispatch.h"
#include "ExactTimer.h"
#include "FastTime.h"
#include "Module1.h"
#include "Numbers.h"

void FrmConfig::beginFollowing()
{
    m_following = true;
    m_ownStd = txtStd->text();
    m_ownMin = txtMin->text();
    m_ownFaktor = txtFaktor->text();
    for (QWidget* button : {static_cast<QWidget*>(btnStart), static_cast<QWidget*>(btnStop),
                            static_cast<QWidget*>(btnLetzteZeit)})
        button->setEnabled(false);
    for (TextBox* box : {txtStd, txtMin, txtFaktor}) {
        box->setReadOnly(true);
        box->setToolTip(QStringLiteral(" kommt vom Leitrechner "));
    }
    // the digits show no time until the master's first state
}

namespace {

// A state that finds a running follower ahead by this much real time is a
// clock set back at once; less may be a message that was slow to arrive and
// waits for a second one to agree.
constexpr qint64 kClearlyBackMs = 2000;

} // namespace

void FrmConfig::applyFollowedState(const ClockState& s)
{
    if (!m_following || m_ended)
        return;
    Module1& m = m_module;
    // A master sends just after its tick, so a message can only be late:
    // one that finds this clock at the same second says nothing new (taking
    // its moment as the tick would only put the follower behind), one that
    // finds it behind moves it forward at once.
    const bool sameRun = m.running && s.running && Timer->isEnabled() && Timer->interval() == s.timeBase;
    const std::int32_t ahead = m.lngZeit - s.time;
    if (sameRun && ahead == 0) {
        m_followAhead = 0;
        return;
    }
    if (sameRun && ahead > 0 && ahead * qint64(s.timeBase) < kClearlyBackMs && ++m_followAhead < 2)
        return;
    m_followAhead = 0;

    m.lngZeit = s.time;
    deriveParts(m);
    m.lngFaktor = s.timeBase;
    setBoxText(txtStd, numbers::twoDigits(m.lngStd));
    setBoxText(txtMin, numbers::twoDigits(m.lngMin));
    setBoxText(txtFaktor, QString::number(s.timeBase));
    // this computer's time file has the minute at once
    writeNewMinute(m);
    if (s.running) {
        // the next tick one time base from now, like the master's after it sent
        Timer->setEnabled(false);
        Timer->setInterval(s.timeBase);
        Timer->setEnabled(true);
    } else {
        Timer->setEnabled(false);
        m.heldZeit = m.lngZeit;
    }
    m.running = s.running;
    anzeigeAktualisieren(m);
    tellStateChanged(); // a web page of this computer hears of it too
}

void FrmConfig::setNetworkNote(const QString& note)
{
    if (m_plainCaption.isEmpty())
        m_plainCaption = caption();
    setCaption(note.isEmpty() ? m_plainCaption : m_plainCaption + QStringLiteral(" – ") + note);
}
