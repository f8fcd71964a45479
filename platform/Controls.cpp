#include "Controls.h"

#include "RuntimeError.h"
#include "Twips.h"

#include <QApplication>
#include <QChildEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

void place(QWidget* control, double left, double top, double width, double height)
{
    control->setGeometry(twips::toPixelRect(left, top, width, height));
}

double controlLeft(const QWidget* control) { return twips::fromPixels(control->x()); }
double controlTop(const QWidget* control) { return twips::fromPixels(control->y()); }
double controlWidth(const QWidget* control) { return twips::fromPixels(control->width()); }
double controlHeight(const QWidget* control) { return twips::fromPixels(control->height()); }

QColor colorFromValue(unsigned value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void setColors(QWidget* control, const QColor& text, const QColor& background)
{
    QPalette pal = control->palette();
    if (text.isValid()) {
        pal.setColor(QPalette::WindowText, text);
        pal.setColor(QPalette::ButtonText, text);
        pal.setColor(QPalette::Text, text);
    }
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        pal.setColor(QPalette::Button, background);
        pal.setColor(QPalette::Base, background);
        control->setAutoFillBackground(true);
    }
    control->setPalette(pal);
}

namespace {

// Presses on a control stay with it, so they never drag the window beneath; a
// left-button release inside the control is its click.
bool isClick(const QWidget* control, QMouseEvent* event)
{
    event->accept();
    return event->button() == Qt::LeftButton && control->rect().contains(event->position().toPoint());
}

bool isDoubleClick(QMouseEvent* event)
{
    event->accept();
    return event->button() == Qt::LeftButton;
}

} // namespace

// ---- Label

Label::Label(const QString& name, const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setObjectName(name);
}

void Label::mousePressEvent(QMouseEvent* event) { event->accept(); }

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    if (isClick(this, event))
        emit clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (isDoubleClick(event))
        emit doubleClicked();
}

// ---- TextBox

TextBox::TextBox(const QString& name, QWidget* parent) : QLineEdit(parent) { setObjectName(name); }

namespace {

// The activation went to no window of the program, or to a message box.
bool activationAway()
{
    const QWidget* active = QApplication::activeWindow();
    return !active || active->isModal();
}

} // namespace

void TextBox::focusInEvent(QFocusEvent* event)
{
    QObject::disconnect(m_away);
    QLineEdit::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // a popup (the box's own context menu) does not take the focus away for good
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (event->reason() == Qt::ActiveWindowFocusReason && activationAway()) {
        if (!m_away)
            m_away = connect(qApp, &QGuiApplication::focusWindowChanged, this, &TextBox::focusWindowChanged);
        return;
    }
    emit lostFocus();
}

void TextBox::focusWindowChanged()
{
    if (activationAway() || QApplication::activeWindow() == window())
        return; // still away, or back where the focus returns to this box
    QObject::disconnect(m_away);
    emit lostFocus();
}

// ---- CommandButton, CheckBox

CommandButton::CommandButton(const QString& name, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setObjectName(name);
    setAutoDefault(false);
}

CheckBox::CheckBox(const QString& name, const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    setObjectName(name);
}

// ---- OptionGroup

OptionGroup::OptionGroup(QObject* parent) : QObject(parent), m_group(this)
{
    m_group.setExclusive(true);
    connect(&m_group, &QButtonGroup::idClicked, this, &OptionGroup::clicked);
}

QRadioButton* OptionGroup::add(int index, const QString& name, const QString& caption, QWidget* container)
{
    auto* button = new QRadioButton(caption, container);
    button->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(index));
    m_group.addButton(button, index);
    if (index >= count())
        m_elements.resize(static_cast<std::size_t>(index) + 1, nullptr);
    m_elements[static_cast<std::size_t>(index)] = button;
    return button;
}

QRadioButton* OptionGroup::element(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_elements[static_cast<std::size_t>(index)];
}

void OptionGroup::select(int index)
{
    QRadioButton* button = element(index);
    if (!button)
        throw RuntimeError::invalidIndex();
    if (button->isChecked())
        return;
    button->setChecked(true);
    emit clicked(index);
}

int OptionGroup::selected() const { return m_group.checkedId(); }

// ---- Panel3D

Panel3D::Panel3D(const QString& name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
}

// ---- ImageBox

ImageBox::ImageBox(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

void ImageBox::setPicture(const QPixmap& picture)
{
    // the same picture again changes nothing on the screen
    if (picture.cacheKey() == m_picture.cacheKey() && !m_picture.isNull())
        return;
    m_picture = picture;
    m_scaled = QPixmap();
    if (!m_stretch && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void ImageBox::setStretch(bool stretch)
{
    m_stretch = stretch;
    m_scaled = QPixmap();
    update();
}

void ImageBox::setSmooth(bool smooth)
{
    m_smooth = smooth;
    m_scaled = QPixmap();
    update();
}

void ImageBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scaled = QPixmap();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (!m_stretch) {
        p.drawPixmap(0, 0, m_picture);
        return;
    }
    const qreal dpr = devicePixelRatioF();
    const QSize target = size() * dpr;
    if (m_scaled.size() != target && !target.isEmpty()) {
        m_scaled = m_picture.scaled(target, Qt::IgnoreAspectRatio,
                                    m_smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
        m_scaled.setDevicePixelRatio(dpr);
    }
    p.drawPixmap(0, 0, m_scaled);
}

void ImageBox::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ImageBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (isClick(this, event))
        emit clicked();
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (isDoubleClick(event))
        emit doubleClicked();
}

// ---- PictureBox

class PictureBox::Overlay : public QWidget {
public:
    explicit Overlay(PictureBox* box) : QWidget(box), m_box(box)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_box->m_layer.isNull())
            return;
        QPainter p(this);
        p.drawImage(0, 0, m_box->m_layer);
    }

private:
    PictureBox* m_box;
};

PictureBox::PictureBox(const QString& name, QWidget* parent) : QFrame(parent)
{
    m_overlay = new Overlay(this);
    setObjectName(name);
    setFrameStyle(QFrame::NoFrame);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::setSunkenBorder(bool sunken)
{
    setFrameStyle(sunken ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    setLineWidth(sunken ? 2 : 0);
    m_overlay->setGeometry(contentsRect());
}

void PictureBox::setBackColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

void PictureBox::setFillSolid(const QColor& fillColor)
{
    m_fillSolid = true;
    m_fillColor = fillColor;
}

double PictureBox::scaleWidth() const { return twips::fromPixels(contentsRect().width()); }
double PictureBox::scaleHeight() const { return twips::fromPixels(contentsRect().height()); }

void PictureBox::ensureLayer()
{
    const QSize size = contentsRect().size();
    const qreal dpr = devicePixelRatioF();
    if (!m_layer.isNull() && m_layer.deviceIndependentSize().toSize() == size && m_layer.devicePixelRatio() == dpr)
        return;
    // a drawing made for another size is not carried over: it would stay
    // on the screen where nothing draws over it again
    QImage layer(size * dpr, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(dpr);
    layer.fill(Qt::transparent);
    m_layer = layer;
}

void PictureBox::cls()
{
    ensureLayer();
    m_layer.fill(Qt::transparent);
    m_overlay->update();
}

QPointF PictureBox::toPixels(double x, double y) const
{
    return {x / twips::kPerPixel, y / twips::kPerPixel};
}

void PictureBox::line(double x1, double y1, double x2, double y2)
{
    ensureLayer();
    QPainter p(&m_layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_foreColor, m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    m_overlay->update();
}

void PictureBox::circle(double x, double y, double radius, const QColor& color)
{
    ensureLayer();
    QPainter p(&m_layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, m_drawWidth));
    p.setBrush(m_fillSolid ? QBrush(m_fillColor) : QBrush(Qt::NoBrush));
    const double r = radius / twips::kPerPixel;
    p.drawEllipse(toPixels(x, y), r, r);
    m_overlay->update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(contentsRect().topLeft(), m_picture);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_overlay->setGeometry(contentsRect());
    m_overlay->raise();
    // a new size erases the drawing; its owner draws again at the new size
    if (!m_layer.isNull() && m_layer.deviceIndependentSize().toSize() != contentsRect().size()) {
        m_layer = QImage();
        m_overlay->update();
    }
}

void PictureBox::childEvent(QChildEvent* event)
{
    QFrame::childEvent(event);
    // the drawing stays on top of every control inside the box
    if (event->added() && m_overlay && event->child() != m_overlay)
        m_overlay->raise();
}

void PictureBox::mousePressEvent(QMouseEvent* event) { event->accept(); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (isClick(this, event))
        emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (isDoubleClick(event))
        emit doubleClicked();
}

// ---- ShapeOutline

ShapeOutline::ShapeOutline(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeOutline::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPen pen(m_color, m_width);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    const qreal half = m_width / 2.0;
    p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
