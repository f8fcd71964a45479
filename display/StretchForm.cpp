#include "StretchForm.h"

#include "Controls.h"
#include "DisplayLayouts.h"
#include "Pictures.h"
#include "ReopenTrigger.h"
#include "StretchLayout.h"

#include <QFont>

namespace {

ImageBox* image(const QString& name, const QPixmap& picture, const Box& box, bool stretched, QWidget* parent)
{
    auto* img = new ImageBox(name, parent);
    img->setStretch(stretched);
    img->setSmooth(stretched); // the large digits scale smoothly
    img->setPicture(picture);
    place(img, box.left, box.top, box.width, box.height);
    return img;
}

QString indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

} // namespace

StretchForm::StretchForm(Module1& m)
    : ClockWindow(m, styleOf(WindowKind::Stretch)),
      m_image1(image(QStringLiteral("Image1"), pictures::stretchBackground(), stretch::kImage1, true, this))
{
    // from bottom to top: the black background, the digit store, the digit
    // places, the seconds label and the separator
    for (int i = 0; i < 10; ++i)
        m_face.imgZiffer[i] = image(indexed("imgZiffer", i), pictures::stretchDigit(i), stretch::imgZiffer(i), false, this);

    // as created every digit place shows a 0
    const QPixmap zero = pictures::stretchDigit(0);
    for (int i = 0; i < 2; ++i)
        m_face.imgStd[i] = image(indexed("imgStd", i + 1), zero, stretch::kImgStd[i], true, this);
    for (int i = 0; i < 2; ++i)
        m_face.imgMin[i] = image(indexed("imgMin", i + 1), zero, stretch::kImgMin[i], true, this);

    m_face.lblSec = new Label(QStringLiteral("lblSec"), QStringLiteral("00"), this);
    QFont font(QStringLiteral("Arial"), 48);
    font.setBold(true);
    m_face.lblSec->setFont(font);
    m_face.lblSec->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColors(m_face.lblSec, Qt::white);
    place(m_face.lblSec, stretch::kLblSec.left, stretch::kLblSec.top, stretch::kLblSec.width, stretch::kLblSec.height);
    m_face.lblSec->setToolTip(kReopenTip);

    m_face.imgSec = image(QStringLiteral("imgSec"), pictures::stretchSeparator(), stretch::kImgSec, false, this);

    reopenOn(this, m_image1, Reopen::Click);
    for (ImageBox* digit : m_face.imgMin)
        reopenOn(this, digit, Reopen::Click);
    for (ImageBox* digit : m_face.imgStd)
        reopenOn(this, digit, Reopen::DoubleClick);
    reopenOn(this, m_face.lblSec, Reopen::DoubleClick); // its tooltip promises it
}

void StretchForm::formLoad()
{
    // showing it fits it into a screen that is smaller
    setFormSize(stretch::kLoadSize.width(), stretch::kLoadSize.height());
    // laid out now, also for a window that is not shown yet
    layOut();
}

void StretchForm::formResize() { layOut(); }

void StretchForm::layOut()
{
    // the digits and the separator follow the window's outer size; the seconds
    // move in only where they would be cut by the window's edge
    StretchLayout layout = stretchLayout(formWidth(), formHeight());
    layout.lblSec = secondsWithin(layout.lblSec, QSizeF(controlWidth(m_face.lblSec), controlHeight(m_face.lblSec)),
                                  QSizeF(scaleWidth(), scaleHeight()));
    applyStretchLayout(layout, *m_image1, m_face);
}
