#include "DigitalForm.h"

#include "Controls.h"
#include "DisplayLayouts.h"
#include "Pictures.h"
#include "ReopenTrigger.h"

#include <QFont>

namespace {

QPixmap digitPicture(DigitSet set, int digit)
{
    return set == DigitSet::Lcd ? pictures::lcdDigit(digit) : pictures::ledDigit(digit);
}

ImageBox* image(const QString& name, const QPixmap& picture, const Box& box, QWidget* parent)
{
    auto* img = new ImageBox(name, parent);
    img->setPicture(picture);
    place(img, box.left, box.top, box.width, box.height);
    return img;
}

QString indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

} // namespace

DigitalForm::DigitalForm(Module1& m, int style) : SmallDisplayForm(m, style)
{
    const DigitalDesign& d = digitalDesign(style);

    // from bottom to top: the background, the digit store, the digit places,
    // the separator and the seconds label
    if (d.digits == DigitSet::Lcd) {
        auto* image1 = image(QStringLiteral("Image1"), pictures::lcdFrame(), d.background, clientArea());
        reopenOn(this, image1, d.onBackground);
        m_background = image1;
    } else {
        // a black field; its caption is black on black and never seen
        auto* label1 = new Label(QStringLiteral("Label1"), QStringLiteral("Label1"), clientArea());
        setColors(label1, Qt::black, Qt::black);
        place(label1, d.background.left, d.background.top, d.background.width, d.background.height);
        reopenOn(this, label1, d.onBackground);
        m_background = label1;
    }

    for (int i = 0; i < 10; ++i)
        m_face.imgZiffer[i] = image(indexed("imgZiffer", i), digitPicture(d.digits, i), d.imgZiffer[i], clientArea());

    // as created every digit place shows an 8
    const QPixmap eight = digitPicture(d.digits, 8);
    for (int i = 0; i < 2; ++i) {
        m_face.imgStd[i] = image(indexed("imgStd", i + 1), eight, d.imgStd[i], clientArea());
        m_face.imgMin[i] = image(indexed("imgMin", i + 1), eight, d.imgMin[i], clientArea());
    }
    for (ImageBox* digit : {m_face.imgStd[0], m_face.imgStd[1], m_face.imgMin[0], m_face.imgMin[1]}) {
        digit->setToolTip(kReopenTip);
        reopenOn(this, digit, d.onDigits);
    }

    m_face.imgSec = image(QStringLiteral("imgSec"),
                          d.digits == DigitSet::Lcd ? pictures::lcdSeparator() : pictures::ledSeparator(), d.imgSec,
                          clientArea());
    if (d.secTip)
        m_face.imgSec->setToolTip(kReopenTip);
    reopenOn(this, m_face.imgSec, d.onSec);

    m_face.lblSec = new Label(QStringLiteral("lblSec"), QStringLiteral("00"), clientArea());
    m_face.lblSec->setFont(QFont(QStringLiteral("Arial"), 9));
    m_face.lblSec->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setColors(m_face.lblSec, d.lblSecColor);
    place(m_face.lblSec, d.lblSec.left, d.lblSec.top, d.lblSec.width, d.lblSec.height);
    m_face.lblSec->setToolTip(kReopenTip);
    reopenOn(this, m_face.lblSec, d.onLblSec);
}

void DigitalForm::formLoad()
{
    const QSizeF size = digitalDesign(style()).loadSize;
    if (!size.isEmpty())
        setFormSize(size.width(), size.height());
}

void DigitalForm::applyActivationSize()
{
    // the visible area ends below the digit row, so the digit store stays unseen
    const DigitalDesign& d = digitalDesign(style());
    const auto setHeight = [&] {
        if (d.activeHeight > 0)
            setFormHeight(d.activeHeight);
    };
    const auto setWidth = [&] {
        if (d.activeWidth > 0)
            setFormWidth(d.activeWidth);
    };
    if (d.heightFirst) {
        setHeight();
        setWidth();
    } else {
        setWidth();
        setHeight();
    }
}
