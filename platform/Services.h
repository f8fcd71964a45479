#pragma once

#include <QString>

class QWidget;
class RuntimeError;

// What the program asks of the desktop beyond its own windows: message boxes,
// the help viewer and ending the program. Tests replace it to watch these.
class Services {
public:
    enum Icon { Warning = 48, Information = 64 };

    virtual ~Services() = default;

    // Modal, one OK button; a CR in the text shows as a line break.
    virtual void msgBox(const QString& text, Icon icon, const QString& title);

    // Opens the help file with the desktop's viewer for it; without a viewer
    // the start page of the help pages beside it in the web browser; without
    // either a message.
    virtual void openHelp(const QString& helpFile);

    // Whether the desktop has a default application for help files.
    virtual bool hasHelpViewer();

    // Ends the program at once: every window disappears and no other close
    // handling runs.
    virtual void end(int status);

    // Reports a run-time error ("Laufzeitfehler 'N':") and ends with a non-zero status.
    virtual void runtimeError(const RuntimeError& error);
};
