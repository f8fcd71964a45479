#include "MaxiForm.h"

#include "Controls.h"
#include "DisplayLayouts.h"
#include "Module1.h"
#include "Pictures.h"
#include "ReopenTrigger.h"
#include "Twips.h"

namespace {

ImageBox* dialImage(const QString& name, const QPixmap& picture, const Box& box, QWidget* parent)
{
    auto* img = new ImageBox(name, parent);
    img->setStretch(true);
    img->setSmooth(true); // the large dial is drawn finely enough to scale smoothly
    img->setPicture(picture);
    place(img, box.left, box.top, box.width, box.height);
    return img;
}

const WindowDesign& maxiDesign() { return windowDesign(styleOf(WindowKind::Maxi)); }

QSizeF minimumOuterSize()
{
    const QSizeF client(maxi::kMinClientPx * twips::kPerPixel, maxi::kMinClientPx * twips::kPerPixel);
    return client + (designOuterSize(maxiDesign()) - maxiDesign().client);
}

} // namespace

QSizeF maxiOpeningSize(std::int32_t savedWidth, std::int32_t savedHeight)
{
    const QSizeF minimum = minimumOuterSize();
    if (savedWidth < minimum.width() || savedHeight < minimum.height())
        return designOuterSize(maxiDesign());
    return {static_cast<double>(savedWidth), static_cast<double>(savedHeight)};
}

MaxiForm::MaxiForm(Module1& m)
    : ClockWindow(m, styleOf(WindowKind::Maxi)),
      // the small second dial lies on the window, under the clock box
      m_imgUhr1(dialImage(QStringLiteral("imgUhr(1)"), pictures::dialLargeCopy(), maxi::kImgUhr1, this)),
      m_picUhr(new PictureBox(QStringLiteral("picUhr"), this)),
      m_imgUhr0(dialImage(QStringLiteral("imgUhr(0)"), pictures::dialLarge(), maxi::kImgUhr0, m_picUhr))
{
    // a circle drawn on the box is a white disc: it covers the old hands
    m_picUhr->setFillSolid(Qt::white);
    // the box paints its own background, so it covers the second dial also
    // where the round dial leaves the box free
    m_picUhr->setBackColor(colors::buttonFace());
    place(m_picUhr, maxi::kPicUhr.left, maxi::kPicUhr.top, maxi::kPicUhr.width, maxi::kPicUhr.height);
    setMinimumSize(maxi::kMinClientPx, maxi::kMinClientPx);

    reopenOn(this, m_picUhr, Reopen::DoubleClick);
    reopenOn(this, m_imgUhr0, Reopen::DoubleClick);
    reopenOn(this, m_imgUhr1, Reopen::DoubleClick);
}

void MaxiForm::formLoad()
{
    // the saved size, also one larger than the screens: a window that is only
    // made to save its size saves it back as read; showing it fits it into
    // its screen
    const QSizeF size = maxiOpeningSize(m_module.lngBreiteMaxi, m_module.lngHoeheMaxi);
    setFormSize(size.width(), size.height());
    setCaption(m_module.strTitel);
    // laid out now, also for a window that is not shown yet
    layOut();
}

void MaxiForm::formResize()
{
    layOut();
    // the resized box has lost its drawing: the hands come back at once, drawn
    // as on a fresh box, not only at the next fifth second
    const QImage& drawing = m_picUhr->drawing();
    if (m_shown && (drawing.isNull() || drawing.deviceIndependentSize().toSize() != m_picUhr->contentsRect().size())) {
        m_picUhr->setDrawWidth(1);
        draw(*m_shown);
    }
}

void MaxiForm::layOut()
{
    // the clock box takes the window's outer size, so it reaches beyond the
    // client area on the right and at the bottom
    applyMaxiLayout(maxiLayout(formWidth(), formHeight()), *m_picUhr, *m_imgUhr0);
}

void MaxiForm::analogzeitMaxi(std::int32_t zeit) { draw(zeit); }

void MaxiForm::draw(std::int32_t zeit)
{
    ::analogzeitMaxi(m_hands, *m_picUhr, zeit);
    if (m_hands.intSekunden % 5 == 0)
        m_shown = zeit;
}
