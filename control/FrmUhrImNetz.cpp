#include "FrmUhrImNetz.h"

#include "WebAddresses.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

FrmUhrImNetz::FrmUhrImNetz(const QStringList& urls, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUhrImNetz"));
    setWindowTitle(QStringLiteral(" Uhr im Netz"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Die Uhr als Webseite: den Code mit der Kamera eines Telefons "
                                            "lesen oder die Adresse im Browser \u00f6ffnen."),
                             this);
    intro->setObjectName(QStringLiteral("lblErklaerung"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* list = new QWidget;
    auto* grid = new QGridLayout(list);
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < urls.size(); ++i) {
        auto* code = new QLabel(list);
        code->setObjectName(QStringLiteral("imgQR%1").arg(i));
        const QImage image = qrCode(urls[i]);
        // the modules stay sharp squares at every scale
        QPixmap pixmap = QPixmap::fromImage(image.scaled(image.size() * kModulePixels * ratio, Qt::IgnoreAspectRatio,
                                                         Qt::FastTransformation));
        pixmap.setDevicePixelRatio(ratio);
        code->setPixmap(pixmap);
        code->setAccessibleName(urls[i]);
        auto* text = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(urls[i].toHtmlEscaped()), list);
        text->setObjectName(QStringLiteral("lblAdresse%1").arg(i));
        text->setTextInteractionFlags(Qt::TextBrowserInteraction);
        text->setOpenExternalLinks(true);
        grid->addWidget(code, i, 0);
        grid->addWidget(text, i, 1);
    }
    if (urls.size() > 2) {
        auto* scroll = new QScrollArea(this);
        scroll->setWidget(list);
        scroll->setWidgetResizable(true);
        scroll->setMinimumHeight(list->sizeHint().height() * 2 / urls.size() + 20);
        layout->addWidget(scroll);
    } else {
        list->setParent(this);
        layout->addWidget(list);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Schlie\u00dfen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnSchliessen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
