// What the control window does: start-up, start, hold and continue, the last
// time, hiding, quitting, help, the time file, the number boxes, the about box
// and the choice of the display style.

#include "FrmConfig.h"

#include "ConfigFile.h"
#include "ClockEvents.h"
#include "Controls.h"
#include "Dispatch.h"
#include "DisplayForm.h"
#include "ExactTimer.h"
#include "FastTime.h"
#include "Module1.h"
#include "Numbers.h"
#include "Placement.h"
#include "Services.h"
#include "Settings.h"
#include "WholeFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

namespace {

const QChar CR(0x0D);

// The smallest time base the timer runs with.
constexpr std::int32_t kMinFaktor = 10;

// How many characters the title box takes by typing.
constexpr int kTitelLength = 32767;

// The title box refuses an edit that brings characters the settings file
// cannot hold, so that what the box shows is what is saved.
class TitelValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return settingsfile::holdsText(input) ? Acceptable : Invalid;
    }
};

// An access key moves the focus to its button before the click, so that a box
// being edited takes its value first.
void takeFocus(QWidget* button)
{
    if (!button->hasFocus())
        button->setFocus(Qt::ShortcutFocusReason);
}

std::int32_t numberOf(const QString& text) { return numbers::toLong(numbers::leadingNumber(text)); }

} // namespace

FrmConfig::FrmConfig(Module1& m, Services& services, DisplaySource& windows)
    : Form(QStringLiteral("frmConfig"), FormStyle{}), // fixed dialog frame, close box only, no task-bar entry
      m_module(m), m_services(services), m_windows(windows)
{
    buildControls();
    connectHandlers();
}

FrmConfig::~FrmConfig()
{
    // the boxes going away do not count as the user leaving them
    m_ended = true;
    // nor does the focus that moves while they go: what is heard of the
    // application from here on would find this window half destroyed
    disconnect(qApp, nullptr, this, nullptr);
}

QString FrmConfig::holdCaption() { return QStringLiteral("an&halten"); }
QString FrmConfig::continueCaption() { return QStringLiteral("&weiter"); }

void FrmConfig::connectHandlers()
{
    connect(Timer, &ExactTimer::timeout, this, &FrmConfig::Timer_Timer);
    if (m_module.events) // those who share the clock read from it when the last tick was due
        m_module.events->setTimer(Timer);
    connect(btnStart, &QPushButton::clicked, this, &FrmConfig::btnStart_Click);
    connect(btnStop, &QPushButton::clicked, this, &FrmConfig::btnStop_Click);
    connect(btnLetzteZeit, &QPushButton::clicked, this, &FrmConfig::btnLetzteZeit_Click);
    connect(btnVerbergen, &QPushButton::clicked, this, &FrmConfig::btnVerbergen_Click);
    connect(btnBeenden, &QPushButton::clicked, this, &FrmConfig::btnBeenden_Click);
    connect(btnHilfe, &QPushButton::clicked, this, &FrmConfig::btnHilfe_Click);
    connect(chkDatei, &QCheckBox::stateChanged, this, &FrmConfig::chkDatei_Click);
    connect(txtFaktor, &TextBox::lostFocus, this, &FrmConfig::txtFaktor_LostFocus);
    connect(txtStd, &TextBox::lostFocus, this, &FrmConfig::txtStd_LostFocus);
    connect(txtMin, &TextBox::lostFocus, this, &FrmConfig::txtMin_LostFocus);
    connect(txtTitel, &TextBox::lostFocus, this, &FrmConfig::txtTitel_LostFocus);
    connect(imgCopyright, &ImageBox::clicked, this, &FrmConfig::imgCopyright_Click);
    connect(optAnzeige, &OptionGroup::clicked, this, &FrmConfig::optAnzeige_Click);
    txtTitel->setValidator(new TitelValidator(txtTitel));

    // The limit of a box holds for typing only: a longer value put in by the
    // program (from the settings file) stays whole, as it is saved back.
    for (TextBox* box : {txtStd, txtMin, txtFaktor, txtTitel})
        connect(box, &QLineEdit::textEdited, this, [this, box] { setBoxText(box, box->text()); });
}

void FrmConfig::setBoxText(TextBox* box, const QString& text)
{
    const int limit = box == txtTitel ? kTitelLength : box == txtFaktor ? 4 : 2;
    const int length = std::max(limit, static_cast<int>(text.size()));
    if (box->maxLength() != length) // setting it again puts the cursor at the end
        box->setMaxLength(length);
    if (box->text() != text)
        box->setText(text);
}

ConfigEntries FrmConfig::entries() const
{
    if (m_following)
        return {m_ownStd, m_ownMin, m_ownFaktor, formLeft(), formTop()};
    return {txtStd->text(), txtMin->text(), txtFaktor->text(), formLeft(), formTop()};
}

void FrmConfig::formLoad() { Form_Load(); }

void FrmConfig::Form_Load()
{
    Module1& m = m_module;
    m.blnErsteAnzeige = true;
    m.app.helpFile = m.app.helpPath(QStringLiteral("Quendrasil.chm"));
    lblRelease->setText(QStringLiteral("Rel. %1.%2.%3").arg(m.app.major).arg(m.app.minor).arg(m.app.revision));

    m.strIniDatei = m.app.file(settingsfile::fileName());
    // what a save or a time-file write cut short by a kill left behind
    wholefile::removeLeftovers(m.strIniDatei);
    wholefile::removeLeftovers(timeFilePath(m));
    if (const std::optional<Settings> s = settingsfile::read(m.strIniDatei)) {
        applySettings(m, *s);
        // the window stands on whole twips, as they are saved
        placeOnScreen(*this, numbers::toLong(s->konfigLeft), numbers::toLong(s->konfigTop));
    } else {
        m_services.msgBox(QStringLiteral("Die Datei 'Quendrasil.ini' wurde nicht gefunden !    ") + CR + CR +
                              QStringLiteral("Es werden Standardwerte eingesetzt ."),
                          Services::Warning, QStringLiteral(" Datei nicht gefunden..."));
        const Settings defaults;
        m.lngStartStd = defaults.startStd;
        m.lngStartMin = defaults.startMin;
        m.lngFaktor = defaults.faktor;
        m.strTitel = defaults.titel;
        m.intAnzeige = defaults.anzeige;
        placeOnScreen(*this, defaults.konfigLeft, defaults.konfigTop);
    }

    setBoxText(txtStd, numbers::twoDigits(m.lngStartStd));
    setBoxText(txtMin, numbers::twoDigits(m.lngStartMin));
    setBoxText(txtFaktor, QString::number(m.lngFaktor));
    optAnzeige->select(m.intAnzeige); // no button for a style outside the table: a run-time error
    setBoxText(txtTitel, m.strTitel);
    chkDatei->setValue(m.blnDatei ? 1 : 0);
    m_settingsRead = true;

    lblCopyright->setText(QStringLiteral("© ") + m.app.legalCopyright);
    Label_[2]->setText(QStringLiteral("um die Konfiguration zu ändern müssen Sie die Uhr anhalten, "
                                      "ein Doppelklick auf die Uhr zeigt dieses Fenster"));
    imgCopyright->setToolTip(QStringLiteral(" ein Klick zeigt die Programm-Information "));
}

void FrmConfig::tellStateChanged()
{
    if (m_module.events)
        emit m_module.events->stateChanged();
}

void FrmConfig::armTimer()
{
    // a time base below the smallest one (0 or negative from the settings
    // file) would make the timer spin; the value itself stays as it was read
    Timer->setInterval(std::max(kMinFaktor, m_module.lngFaktor));
    Timer->setEnabled(true);
    m_module.running = true;
}

void FrmConfig::btnStart_Click()
{
    takeFocus(btnStart);
    Module1& m = m_module;
    m.lngZeit = numbers::add(numbers::mul(m.lngStartStd, 3600), numbers::mul(m.lngStartMin, 60));
    deriveParts(m);
    m.lngLetzteMinute = m.lngMin;
    if (m.blnDatei)
        writeTimeFile(m, {});
    armTimer();
    if (m.events)
        m.events->markTimeShown();
    anzeigeAktualisieren(m);
    btnStop->setText(holdCaption());
    btnStop->setToolTip(QStringLiteral(" hält die Quendrasil-Anzeige an "));
    btnBeenden->setEnabled(false);
    pnlConfig->hide();
    hideForm();
    tellStateChanged();
}

void FrmConfig::btnStop_Click()
{
    takeFocus(btnStop);
    Module1& m = m_module;
    if (btnStop->text() == holdCaption()) {
        Timer->setEnabled(false);
        m.running = false;
        btnStop->setText(continueCaption());
        btnStop->setToolTip(QStringLiteral(" lässt die Quendrasil-Anzeige weiterlaufen "));
        m.heldZeit = m.lngZeit;
        pnlConfig->show();
        btnBeenden->setEnabled(true);
        tellStateChanged();
    } else {
        armTimer();
        btnStop->setText(holdCaption());
        btnStop->setToolTip(QStringLiteral(" hält die Quendrasil-Anzeige an "));
        m.lngZeit = m.heldZeit;
        pnlConfig->hide();
        btnBeenden->setEnabled(false);
        anzeigeAktualisieren(m);
        hideForm();
        tellStateChanged();
    }
}

void FrmConfig::btnLetzteZeit_Click()
{
    takeFocus(btnLetzteZeit);
    Module1& m = m_module;
    setBoxText(txtStd, numbers::twoDigits(m.lngStd));
    setBoxText(txtMin, numbers::twoDigits(m.lngMin));
    m.lngStartStd = m.lngStd;
    m.lngStartMin = m.lngMin;
}

void FrmConfig::btnVerbergen_Click()
{
    takeFocus(btnVerbergen);
    pnlConfig->hide();
    hideForm();
}

void FrmConfig::btnBeenden_Click()
{
    takeFocus(btnBeenden);
    unload();
}

bool FrmConfig::formUnload()
{
    // Form_Unload: however the window is closed, save once and end at once
    if (!m_ended) {
        konfigSpeichern();
        endProgram();
    }
    return true;
}

void FrmConfig::konfigSpeichern() { ::konfigSpeichern(m_module, entries(), m_windows); }

void FrmConfig::endProgram()
{
    m_ended = true;
    Timer->setEnabled(false);
    m_module.running = false;
    m_services.end(0);
}

void FrmConfig::endSession()
{
    // before start-up has filled the boxes (while the message about a missing
    // settings file waits) there is nothing of the session to keep
    unloadRequested(m_settingsRead);
}

void FrmConfig::commitSession()
{
    if (!m_ended && m_settingsRead)
        konfigSpeichern();
}

void FrmConfig::configRequested()
{
    if (!m_ended)
        showForm();
}

void FrmConfig::unloadRequested(bool save)
{
    if (m_ended)
        return;
    if (save)
        konfigSpeichern();
    endProgram();
}

void FrmConfig::btnHilfe_Click()
{
    takeFocus(btnHilfe);
    // the help key, as if the user had pressed it, handled after this click
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
}

void FrmConfig::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        m_services.openHelp(m_module.app.helpFile);
        return;
    }
    Form::keyPressEvent(event);
}

void FrmConfig::chkDatei_Click() { m_module.blnDatei = chkDatei->value() != 0; }

void FrmConfig::txtFaktor_LostFocus()
{
    if (m_ended)
        return;
    if (numbers::leadingNumber(txtFaktor->text()) < kMinFaktor)
        setBoxText(txtFaktor, QStringLiteral("10"));
    const std::int32_t before = m_module.lngFaktor;
    m_module.lngFaktor = numberOf(txtFaktor->text());
    if (m_module.lngFaktor != before)
        tellStateChanged();
}

void FrmConfig::txtStd_LostFocus()
{
    if (!m_ended)
        m_module.lngStartStd = numberOf(txtStd->text());
}

void FrmConfig::txtMin_LostFocus()
{
    if (!m_ended)
        m_module.lngStartMin = numberOf(txtMin->text());
}

void FrmConfig::imgCopyright_Click()
{
    const AppInfo& app = m_module.app;
    const QString text = QStringLiteral("Programm:     ") + app.productName + CR +
                         QStringLiteral("Release :       %1.%2").arg(app.major).arg(app.minor) + CR + CR +
                         QStringLiteral("Copyright :     ") + app.legalCopyright + CR + CR +
                         QStringLiteral("mailto :           ") + app.comments + QString(25, u' ');
    m_services.msgBox(text, Services::Information, QStringLiteral(" Info über ") + app.productName);
}

void FrmConfig::optAnzeige_Click(int index)
{
    Module1& m = m_module;
    // a click on the option already chosen selects nothing new
    if (!m.blnErsteAnzeige && index == m_shownStyle)
        return;
    m_shownStyle = index;
    if (m.blnErsteAnzeige)
        m.blnErsteAnzeige = false;
    else if (m.frmAnzeige)
        m.frmAnzeige->hideForm();
    m.intAnzeige = static_cast<std::int16_t>(index);
    anzeigeZeigen(m, m_windows);
    markHeldCaption();
}

void FrmConfig::txtTitel_LostFocus()
{
    if (m_ended)
        return;
    const bool changed = m_module.strTitel != txtTitel->text();
    m_module.strTitel = txtTitel->text();
    anzeigeZeigen(m_module, m_windows);
    markHeldCaption();
    if (changed)
        tellStateChanged();
}

void FrmConfig::Timer_Timer()
{
    timerTick(m_module);
    // those who share the clock hear of it after the tick (queued)
    if (m_module.lngSec == 0 && m_module.events)
        emit m_module.events->minutePassed();
}
