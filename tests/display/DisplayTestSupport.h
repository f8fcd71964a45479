#pragma once

#include "Controls.h"
#include "DigitalFace.h"
#include "DisplayForm.h"
#include "DisplayWindows.h"
#include "Module1.h"

#include <QRect>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

// A control of a window by its name; fails the test when it is missing.
template <typename T = QWidget>
T* control(QWidget* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qWarning("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    return found;
}

// Shows a window and waits until it is the active one.
inline bool showActive(Form* form)
{
    form->showForm();
    return QTest::qWaitForWindowActive(form);
}

// Fresh shared state in the program folder dir, titled "Quendrasil", and the
// display windows made with it, which are its drawing routines.
inline std::unique_ptr<DisplayWindows> freshDisplays(std::unique_ptr<Module1>& m, const QTemporaryDir& dir)
{
    m = std::make_unique<Module1>();
    m->app.path = dir.path();
    m->strTitel = QStringLiteral("Quendrasil");
    auto windows = std::make_unique<DisplayWindows>(*m);
    m->drawing = windows.get();
    return windows;
}
