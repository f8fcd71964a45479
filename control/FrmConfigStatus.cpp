// The control window's status line: what sharing the clock is doing, for a
// program started with --publish, --follow or --web. The window grows
// downwards to hold it; the panel and the controls keep their places.

#include "FrmConfig.h"

#include "Controls.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdio>

namespace {

// The status line's row, below the credit line, in twips.
constexpr int kStatusLeft = 150;
constexpr int kStatusTop = 6195;
constexpr int kStatusGap = 120; // below the row
constexpr int kFullWidth = 5490; // to the buttons' right edge
constexpr int kButtonLeft = 4020, kButtonWidth = 1500, kButtonHeight = 420;
constexpr int kDesignClientHeight = 6315;

} // namespace

void FrmConfig::setNetworkNote(Note which, const QString& text)
{
    QString& slot = m_notes[static_cast<std::size_t>(which)];
    if (slot == text && lblStatus)
        return;
    slot = text;
    if (!lblStatus) {
        lblStatus = new Label(QStringLiteral("lblStatus"), QString(), this);
        QPalette pal = lblStatus->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        lblStatus->setPalette(pal);
        lblStatus->setWordWrap(true);
        lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lblStatus->show();
    }
    QStringList lines;
    for (const QString& note : m_notes)
        if (!note.isEmpty())
            lines << note;
    const QString status = lines.join(u'\n');
    lblStatus->setText(status);
    lblStatus->setToolTip(status);
    lblStatus->setAccessibleName(status);
    layOutStatus();
    // also for a log, and for whoever started the program from a terminal
    std::fprintf(stderr, "quendrasil: Status: %s\n", qPrintable(lines.join(QStringLiteral(" | "))));
}

QString FrmConfig::statusText() const { return lblStatus ? lblStatus->text() : QString(); }

void FrmConfig::offerPageAddresses(const QStringList& urls)
{
    m_pageUrls = urls;
    if (!btnUhrImNetz) {
        btnUhrImNetz = new CommandButton(QStringLiteral("btnUhrImNetz"), QStringLiteral("Uhr im &Netz…"), this);
        btnUhrImNetz->setToolTip(QStringLiteral(" zeigt die Adressen der Webseite, auch als QR-Code "));
        QPalette pal = btnUhrImNetz->palette();
        pal.setColor(QPalette::ButtonText, btnStart->palette().color(QPalette::Active, QPalette::ButtonText));
        btnUhrImNetz->setPalette(pal);
        connect(btnUhrImNetz, &QPushButton::clicked, this, [this] {
            if (!btnUhrImNetz->hasFocus())
                btnUhrImNetz->setFocus(Qt::ShortcutFocusReason);
            emit pageAddressesWanted(m_pageUrls);
        });
        QWidget::setTabOrder(chkDatei, btnUhrImNetz);
        btnUhrImNetz->show();
    }
    setNetworkNote(Note::Web, urls.isEmpty() ? QStringLiteral("Webseite: keine Adresse gefunden")
                                             : QStringLiteral("Webseite: %1").arg(urls.first()));
}

void FrmConfig::layOutStatus()
{
    const int width = btnUhrImNetz ? kButtonLeft - kStatusLeft - 225 : kFullWidth;
    const int widthPx = width / 15;
    const int textPx = std::max(QFontMetrics(lblStatus->font()).lineSpacing(), lblStatus->heightForWidth(widthPx));
    const int row = std::max(textPx * 15, btnUhrImNetz ? kButtonHeight : 0);
    place(lblStatus, kStatusLeft, kStatusTop, width, row);
    if (btnUhrImNetz)
        place(btnUhrImNetz, kButtonLeft, kStatusTop + (row - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
    const QMargins frame = frameModel();
    const double client = std::max(kDesignClientHeight, kStatusTop + row + kStatusGap);
    setFormSize(formWidth(), client + 15.0 * (frame.top() + frame.bottom()));
}
