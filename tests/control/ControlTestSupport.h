#pragma once

// Stand-ins for the desktop and the display windows, and a fixture that gives
// every test a fresh program folder and shared state.

#include "Dispatch.h"
#include "DisplayForm.h"
#include "DisplayLayouts.h"
#include "DisplaySource.h"
#include "ExactTimer.h"
#include "FrmConfig.h"
#include "Module1.h"
#include "RuntimeError.h"
#include "Services.h"
#include "Settings.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

// Records what the program asks of the desktop instead of doing it.
class RecordingServices : public Services {
public:
    struct Message {
        QString text;
        Icon icon;
        QString title;
    };
    QList<Message> messages;
    QStringList helpFiles;
    QList<int> ends;

    void msgBox(const QString& text, Icon icon, const QString& title) override
    {
        messages.append({text, icon, title});
    }
    void openHelp(const QString& helpFile) override { helpFiles << helpFile; }
    void end(int status) override { ends << status; }
    void runtimeError(const RuntimeError& error) override { errors << error.number(); }
    QList<int> errors;
};

// A display window that only counts how often it was loaded.
class FakeDisplay : public DisplayForm {
public:
    FakeDisplay(Module1& m, int style, const QString& name, bool titleBar)
        : DisplayForm(m, style, name, makeStyle(titleBar))
    {
    }
    int loads = 0;

protected:
    void formLoad() override
    {
        ++loads;
        if (style() == styleOf(WindowKind::Maxi))
            setFormSize(m_module.lngBreiteMaxi, m_module.lngHoeheMaxi);
        else
            setFormSize(1800, 1320);
    }

private:
    static FormStyle makeStyle(bool titleBar)
    {
        FormStyle s;
        s.titleBar = titleBar;
        return s;
    }
};

class FakeDisplays : public DisplaySource {
public:
    explicit FakeDisplays(Module1& m) : m_module(m) {}
    DisplayForm* get(int style) override
    {
        if (!displayStyle(style))
            return nullptr;
        auto& slot = forms[static_cast<std::size_t>(style)];
        if (!slot) {
            // named and framed as the real window
            const WindowDesign& design = windowDesign(style);
            slot = std::make_unique<FakeDisplay>(m_module, style, design.name, design.frame.titleBar);
            ++created;
            slot->load();
        }
        return slot.get();
    }
    FakeDisplay* at(int style) const { return forms[static_cast<std::size_t>(style)].get(); }
    int created = 0;
    std::array<std::unique_ptr<FakeDisplay>, kStyleCount> forms;

private:
    Module1& m_module;
};

// Records each call of the drawing dispatch with the state it finds.
class RecordingDrawing : public DrawingRoutines {
public:
    struct Call {
        Routine routine;
        int window; // style of frmAnzeige, -1 without one
        std::int32_t zeit, std, min, sec;
    };
    explicit RecordingDrawing(Module1& m) : m_module(m) {}
    QList<Call> calls;
    void analogzeit(std::int32_t zeit) override { record(Routine::Analog, zeit); }
    void analogzeitMaxi(std::int32_t zeit) override { record(Routine::AnalogMaxi, zeit); }
    void digitalzeit() override { record(Routine::Digital, m_module.lngZeit); }

private:
    void record(Routine r, std::int32_t zeit)
    {
        calls.append({r, m_module.frmAnzeige ? m_module.frmAnzeige->style() : -1, zeit, m_module.lngStd,
                      m_module.lngMin, m_module.lngSec});
    }
    Module1& m_module;
};

// A fresh program folder, shared state, desktop and display windows; the
// control window is made on demand, after the settings file is in place.
struct ControlFixture {
    QTemporaryDir dir;
    Module1 m;
    RecordingServices services;
    FakeDisplays displays{m};
    RecordingDrawing drawing{m};
    std::unique_ptr<FrmConfig> frm;

    ControlFixture()
    {
        m.app.path = dir.path();
        m.drawing = &drawing;
    }
    ~ControlFixture()
    {
        frm.reset();
        m.frmAnzeige = nullptr;
    }

    QString iniPath() const { return m.app.file(QStringLiteral("Quendrasil.ini")); }
    void writeSettings(const Settings& s) const { settingsfile::write(iniPath(), s); }
    QByteArray iniBytes() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    FrmConfig& make()
    {
        frm = std::make_unique<FrmConfig>(m, services, displays);
        return *frm;
    }
    // Creates, loads and shows the control window, as the program starts it.
    FrmConfig& start()
    {
        make().showForm();
        return *frm;
    }

    template <typename T = QWidget>
    T* child(const QString& name) const
    {
        return frm->findChild<T*>(name);
    }
};

// Helpers for driving the control window as the user does.
namespace drive {

// Types into a box (replacing its text) and leaves it with Tab.
inline void typeAndLeave(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

} // namespace drive

// The state of the clock as the state table gives it; each code: timer enabled,
// hold caption (h/w), panel shown, quit enabled, window shown.
namespace drive {

inline QString stateOf(ControlFixture& f)
{
    auto* timer = f.frm->findChild<ExactTimer*>(QStringLiteral("Timer"));
    const QString caption = f.child<QAbstractButton>(QStringLiteral("btnStop"))->text();
    return QStringLiteral("%1%2%3%4%5")
        .arg(timer->isEnabled() ? 1 : 0)
        .arg(QChar(caption == QStringLiteral("an&halten") ? u'h' : caption == QStringLiteral("&weiter") ? u'w' : u'?'))
        .arg(f.child(QStringLiteral("pnlConfig"))->isVisibleTo(f.frm.get()) ? 1 : 0)
        .arg(f.child(QStringLiteral("btnBeenden"))->isEnabled() ? 1 : 0)
        .arg(f.frm->isVisible() ? 1 : 0);
}

inline void click(ControlFixture& f, const QString& button) { f.child<QAbstractButton>(button)->click(); }

inline void tick(ControlFixture& f, int times = 1)
{
    auto* timer = f.frm->findChild<ExactTimer*>(QStringLiteral("Timer"));
    for (int i = 0; i < times; ++i)
        emit timer->timeout();
}

inline ExactTimer* timerOf(ControlFixture& f) { return f.frm->findChild<ExactTimer*>(QStringLiteral("Timer")); }

inline Settings digitalAt(int std, int min)
{
    Settings s;
    s.startStd = std;
    s.startMin = min;
    s.anzeige = 4;
    return s;
}

} // namespace drive
