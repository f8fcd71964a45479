#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

// The controls the windows are built from: thin layers over Qt widgets that
// add the events and properties the program uses. Places are set in twips
// with place().

// Places a control at left, top, width, height twips within its container.
void place(QWidget* control, double left, double top, double width, double height);
// The control's box in twips (from its pixels).
double controlLeft(const QWidget* control);
double controlTop(const QWidget* control);
double controlWidth(const QWidget* control);
double controlHeight(const QWidget* control);

// A colour from the platform's value &H00BBGGRR (255 is pure red).
QColor colorFromValue(unsigned value);

// Sets a text colour (and, if valid, a background colour) through the palette.
void setColors(QWidget* control, const QColor& text, const QColor& background = QColor());

// Text label; takes presses itself, so they never drag the window beneath.
class Label : public QLabel {
    Q_OBJECT
public:
    Label(const QString& name, const QString& caption, QWidget* parent);
signals:
    void clicked();
    void doubleClicked();
protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Text box; tells when it loses the focus to another control or window of the
// program. The program losing the activation to another application, or a
// message box of the program coming up, is no loss: the focus comes back to
// the box with the activation. Only if the activation comes back to another
// window of the program instead has the focus left the box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(const QString& name, QWidget* parent);
signals:
    void lostFocus();
protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
private:
    void focusWindowChanged();
    QMetaObject::Connection m_away; // the activation left while the box had the focus
};

// Push button; "&" in the caption marks its access key.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString& name, const QString& caption, QWidget* parent);
};

// Check box with the value 0 or 1.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    CheckBox(const QString& name, const QString& caption, QWidget* parent);
    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value) { setChecked(value != 0); }
};

// Option buttons addressed by index; exactly one of them is selected.
class OptionGroup : public QObject {
    Q_OBJECT
public:
    explicit OptionGroup(QObject* parent);
    // Adds the element with this index; its objectName is name(index).
    QRadioButton* add(int index, const QString& name, const QString& caption, QWidget* container);
    QRadioButton* element(int index) const; // nullptr when there is none
    int count() const { return static_cast<int>(m_elements.size()); }
    // Selects an element as a click does; an index without an element is a
    // run-time error. Selecting the selected element again does nothing.
    void select(int index);
    int selected() const; // -1 before the first selection
signals:
    void clicked(int index);
private:
    QButtonGroup m_group;
    std::vector<QRadioButton*> m_elements;
};

// A bevelled 3D panel; hiding it hides its contents.
class Panel3D : public QFrame {
    Q_OBJECT
public:
    Panel3D(const QString& name, QWidget* parent);
};

// An image: a picture at the box's top-left. With Stretch off the box takes the
// picture's natural size; with it on the picture is scaled to the box (smoothly
// only where asked: pixel art stays sharp).
class ImageBox : public QWidget {
    Q_OBJECT
public:
    ImageBox(const QString& name, QWidget* parent);
    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    void setSmooth(bool smooth);
signals:
    void clicked();
    void doubleClicked();
protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
private:
    QPixmap m_picture;
    QPixmap m_scaled; // the stretched picture, made once per size
    bool m_stretch = false;
    bool m_smooth = false;
};

// A picture box: a background picture at its top-left, optionally a sunken
// border and a background colour, and a drawing layer on top of everything in
// it. Coordinates of the drawing methods are twips of the inner area. A change
// of the box's size erases the drawing.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(const QString& name, QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }
    void setSunkenBorder(bool sunken);
    void setBackColor(const QColor& color);
    void setFillSolid(const QColor& fillColor); // circles are filled with it

    double scaleWidth() const;  // inner width in twips
    double scaleHeight() const;

    void cls(); // erases the drawing, keeps the background picture
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color) { m_foreColor = color; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels) { m_drawWidth = pixels; }
    void line(double x1, double y1, double x2, double y2);
    void circle(double x, double y, double radius, const QColor& color);

    // The drawing layer as it stands (logical size of the inner area).
    const QImage& drawing() const { return m_layer; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class Overlay;
    void ensureLayer();
    QPointF toPixels(double x, double y) const;

    QPixmap m_picture;
    QImage m_layer;
    Overlay* m_overlay = nullptr;
    QColor m_foreColor = Qt::black;
    int m_drawWidth = 1;
    bool m_fillSolid = false;
    QColor m_fillColor = Qt::white;
};

// An outline drawn on its container's background.
class ShapeOutline : public QWidget {
    Q_OBJECT
public:
    ShapeOutline(const QString& name, QWidget* parent);
    void setBorderWidth(int pixels) { m_width = pixels; update(); }
    void setBorderColor(const QColor& color) { m_color = color; update(); }
protected:
    void paintEvent(QPaintEvent* event) override;
private:
    int m_width = 1;
    QColor m_color = Qt::black;
};
