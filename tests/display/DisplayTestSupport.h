#pragma once

#include "Controls.h"
#include "DigitalFace.h"
#include "DisplayForm.h"

#include <QRect>
#include <QTest>
#include <QWidget>

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
