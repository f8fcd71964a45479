#pragma once

#include <QDialog>
#include <QStringList>

// "Uhr im Netz": where the clock's web page is, each address as text and as a
// QR code, so a phone at the layout opens the page with its camera.
class FrmUhrImNetz : public QDialog {
    Q_OBJECT

public:
    FrmUhrImNetz(const QStringList& urls, QWidget* parent = nullptr);

    // Pixels of the screen a module of the QR codes takes.
    static constexpr int kModulePixels = 4;
};
