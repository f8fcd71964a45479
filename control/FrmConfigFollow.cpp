// The control window of a follower: the clock comes from another computer.

#include "FrmConfig.h"

#include "ClockEvents.h"
#include "ClockState.h"
#include "Controls.h"
#include "DisplayForm.h"
#include "Dispatch.h"
#include "ExactTimer.h"
#include "FastTime.h"
#include "FollowRule.h"
#include "Module1.h"
#include "Numbers.h"

#include <QFile>

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

void FrmConfig::applyFollowedState(const ClockState& s, qint64 exactIntervalNs)
{
    if (!m_following || m_ended)
        return;
    Module1& m = m_module;
    const qint64 interval = exactIntervalNs > 0 ? exactIntervalNs : qint64(s.timeBase) * 1'000'000;
    const followrule::Clock own{m.lngZeit, Timer->exactInterval() / 1e6, m.running && Timer->isEnabled()};
    const followrule::Step step = followrule::decide(own, {s.time, interval / 1e6, s.running}, m_followAhead);
    m_followAhead = step.aheadInRow;
    if (!step.take)
        return;

    m.lngZeit = s.time;
    deriveParts(m);
    m.lngFaktor = s.timeBase;
    setBoxText(txtStd, numbers::twoDigits(m.lngStd));
    setBoxText(txtMin, numbers::twoDigits(m.lngMin));
    setBoxText(txtFaktor, QString::number(s.timeBase));
    // this computer's time file has the time at once; the whole line is
    // compared, as a first state at minute 0 or a jump by whole hours keeps
    // the minute
    if (m.blnDatei) {
        const QByteArray line = timeFileLine(m.lngStd, m.lngMin);
        QFile file(timeFilePath(m));
        if (!file.open(QIODevice::ReadOnly) || file.read(line.size() + 1) != line)
            writeTimeFile(m, line);
        m.lngLetzteMinute = m.lngMin;
    }
    if (s.running) {
        // the next tick one time base from now, like the master's after it sent
        Timer->setEnabled(false);
        Timer->setExactInterval(interval);
        Timer->setEnabled(true);
    } else {
        Timer->setEnabled(false);
        m.heldZeit = m.lngZeit;
    }
    m.running = s.running;
    if (m.events)
        m.events->markTimeShown();
    showMasterHeld(!s.running);
    anzeigeAktualisieren(m);
    tellStateChanged(); // a web page of this computer hears of it too
}

void FrmConfig::showMasterHeld(bool held)
{
    m_masterHeld = held;
    markHeldCaption();
}

// The display window of a follower whose master holds says so in its caption.
void FrmConfig::markHeldCaption()
{
    DisplayForm* window = m_module.frmAnzeige;
    if (!m_following || !window)
        return;
    const QString mark = QStringLiteral(" – angehalten");
    QString caption = window->caption();
    if (caption.endsWith(mark))
        caption.chop(mark.size());
    if (m_masterHeld)
        caption += mark;
    if (caption != window->caption())
        window->setCaption(caption);
}
