// The control window as it is created: its frame, colours and fonts, every
// control in its place, the tab order and the disabled timer.

#include "FrmConfig.h"

#include "Controls.h"
#include "Dispatch.h"
#include "ExactTimer.h"
#include "Pictures.h"

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QProxyStyle>
#include <QRadioButton>

namespace {

constexpr unsigned kDarkBlue = 0xC00000; // RGB(0,0,192)

QFont arial(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Sets single palette roles, so that the rest still comes from the container.
void setRole(QWidget* w, QPalette::ColorRole role, const QColor& color)
{
    QPalette pal = w->palette();
    pal.setColor(role, color);
    w->setPalette(pal);
}

// A designed text colour; a disabled control keeps the greyed text.
void setTextColor(QWidget* w, const QColor& color)
{
    QPalette pal = w->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, color);
        pal.setColor(group, QPalette::ButtonText, color);
    }
    w->setPalette(pal);
}

// The system's own text colours in every state, whatever the container has.
void setSystemTextColor(QWidget* w)
{
    QPalette pal = w->palette();
    const QPalette system = QApplication::palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::WindowText, system.color(group, QPalette::WindowText));
        pal.setColor(group, QPalette::ButtonText, system.color(group, QPalette::ButtonText));
    }
    w->setPalette(pal);
}

struct ButtonSpec {
    const char* name;
    const char* caption;
    const char* tooltip;
    int left, top, width, height;
};

// The command buttons on the window, beside the panel.
constexpr ButtonSpec kButtons[] = {
    {"btnStart", "st&arten", " startet die Quendrasil-Anzeige ", 4020, 150, 1500, 420},
    {"btnStop", "an&halten", " hält die Quendrasil-Anzeige an ", 4020, 630, 1500, 420},
    {"btnVerbergen", "ver&bergen", " blendet dieses Fenster aus ", 4020, 1110, 1500, 420},
    {"btnHilfe", "H&ilfe", " ruft die Programmbeschreibung auf ", 4020, 1590, 1500, 420},
    {"btnBeenden", "b&eenden", " beendet die Quendrasil-Anzeige ", 4020, 2250, 1500, 420},
};

struct OptionSpec {
    const char* caption;
    const char* tooltip;
    int left, top, width;
};

// The display styles, by index; the inner blanks line up the "[X]" marks.
constexpr OptionSpec kOptions[] = {
    {"analog rund", "Analoguhr in runder Ausführung ", 150, 1500, 1305},
    {"analog [X]", " Analoguhr mit Titelzeile ", 150, 1950, 1155},
    {"analog    ", " Analoguhr ohne Titelzeile ", 1980, 1950, 975},
    {"LCD    [X]", " Digitaluhr (LCD) mit Titelzeile ", 150, 2400, 1155},
    {"LCD", " Digitaluhr (LCD) ohne Titelzeile ", 1980, 2400, 795},
    {"LED    [X]", " Digitaluhr (LED) mit Titelzeile ", 150, 2850, 1155},
    {"LED", " Digitaluhr (LED) ohne Titelzeile ", 1980, 2850, 795},
    {"Maxi", " große Analoguhr, in der Größe veränderbar ", 1980, 1500, 795},
    {"1024 LED stretch", " große Digitaluhr (LED), in der Größe veränderbar ", 150, 3300, 1995},
};
static_assert(std::size(kOptions) == kStyleCount, "one option button for each display style");
constexpr int kOptionHeight = 315;

struct LabelSpec {
    int index;
    const char* caption;
    int left, top, width, height;
    bool bold;
};

// The blue labels of the frame.
constexpr LabelSpec kFrameLabels[] = {
    {3, "Startzeit", 210, 420, 825, 285, false},
    {1, ":", 1575, 420, 75, 285, true},
    {4, "Zeitbasis", 210, 870, 825, 285, false},
    {0, "mSec", 2220, 870, 555, 285, false},
};

// Option buttons and the check box measured as on the desktop the window was
// designed for: a 13-pixel mark and a 4-pixel gap before the caption, so the
// captions fit their narrow boxes.
class CompactMarkStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return 13;
        case PM_RadioButtonLabelSpacing:
        case PM_CheckBoxLabelSpacing:
            return 4;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QString labelName(int index) { return QStringLiteral("Label(%1)").arg(index); }

} // namespace

void FrmConfig::buildControls()
{
    setCaption(QStringLiteral(" Quendrasil-Konfiguration"));
    const QMargins frame = frameModel();
    setFormSize(5790 + 15.0 * (frame.left() + frame.right()), 6315 + 15.0 * (frame.top() + frame.bottom()));
    setRole(this, QPalette::Window, QColor(128, 128, 255));
    setAutoFillBackground(true);
    setFont(arial(9.75));
    setWindowIcon(pictures::clockIcon());

    Timer = new ExactTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(10);
    Timer->setEnabled(false);

    // drawn on the window background, under the panel
    Rahmen = new ShapeOutline(QStringLiteral("Rahmen"), this);
    place(Rahmen, 150, 120, 3495, 4095);
    Rahmen->setBorderWidth(3);

    auto* hint = new Label(labelName(2), QStringLiteral("um die Konfiguration zu ändern müssen Sie die Uhr anhalten"), this);
    place(hint, 420, 630, 3015, 900);
    setRole(hint, QPalette::WindowText, Qt::white);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_[2] = hint;

    buildPanel();
    buildButtons();

    lblCopyright = new Label(QStringLiteral("lblCopyright"), QString(), this);
    place(lblCopyright, 1680, 5820, 3615, 255);
    setRole(lblCopyright, QPalette::WindowText, Qt::white);
    QFont sansSerif(QStringLiteral("Microsoft Sans Serif"));
    sansSerif.setPointSizeF(9);
    lblCopyright->setFont(sansSerif);
    lblCopyright->setAlignment(Qt::AlignRight | Qt::AlignTop);

    imgCopyright = new ImageBox(QStringLiteral("imgCopyright"), this);
    place(imgCopyright, 4590, 5280, 765, 495);
    imgCopyright->setPicture(pictures::monogram());

    buildTabOrder();
}

void FrmConfig::buildPanel()
{
    pnlConfig = new Panel3D(QStringLiteral("pnlConfig"), this);
    place(pnlConfig, 150, 120, 3645, 5445);
    setRole(pnlConfig, QPalette::Window, QColor(212, 208, 200));
    setTextColor(pnlConfig, colorFromValue(kDarkBlue));
    pnlConfig->setFont(arial(9.75));
    pnlConfig->raise(); // covers the hint and the outline

    Frame = new QGroupBox(QStringLiteral(" Konfiguration "), pnlConfig);
    Frame->setObjectName(QStringLiteral("Frame(0)"));
    place(Frame, 150, 90, 3315, 5205);
    setSystemTextColor(Frame);

    const QColor blue = colorFromValue(kDarkBlue);
    for (const LabelSpec& row : kFrameLabels) {
        auto* label = new Label(labelName(row.index), text(row.caption), Frame);
        place(label, row.left, row.top, row.width, row.height);
        setTextColor(label, blue);
        if (row.bold)
            label->setFont(arial(9.75, true));
        Label_[static_cast<std::size_t>(row.index)] = label;
    }

    auto numberBox = [this](const QString& name, int left, int top, int width, int maxLength) {
        auto* box = new TextBox(name, Frame);
        place(box, left, top, width, 360);
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(maxLength);
        return box;
    };
    txtStd = numberBox(QStringLiteral("txtStd"), 1140, 390, 420, 2);
    txtMin = numberBox(QStringLiteral("txtMin"), 1665, 390, 420, 2);
    txtFaktor = numberBox(QStringLiteral("txtFaktor"), 1140, 840, 945, 4);

    btnLetzteZeit = new CommandButton(QStringLiteral("btnLetzteZeit"), QStringLiteral("<<"), Frame);
    place(btnLetzteZeit, 2160, 390, 915, 345);
    btnLetzteZeit->setToolTip(QStringLiteral(" setzt die Startzeit auf die letzte Quendrasil "));
    setSystemTextColor(btnLetzteZeit);

    auto* markStyle = new CompactMarkStyle;
    markStyle->setParent(this);

    optAnzeige = new OptionGroup(this);
    for (int i = 0; i < kStyleCount; ++i) {
        const OptionSpec& row = kOptions[i];
        QRadioButton* option = optAnzeige->add(i, QStringLiteral("optAnzeige"), text(row.caption), Frame);
        place(option, row.left, row.top, row.width, kOptionHeight);
        option->setToolTip(text(row.tooltip));
        setTextColor(option, blue);
        option->setFont(arial(9.76));
        option->setStyle(markStyle);
    }
    keepOptionsTabStops();

    txtTitel = new TextBox(QStringLiteral("txtTitel"), Frame);
    place(txtTitel, 150, 3840, 1245, 360);
    txtTitel->setToolTip(QStringLiteral(" Text der Titelzeile "));
    txtTitel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setRole(txtTitel, QPalette::Base, Qt::white);

    lblRelease = new Label(QStringLiteral("lblRelease"), QStringLiteral("Label2"), Frame);
    place(lblRelease, 1710, 3930, 1215, 225);
    lblRelease->setFont(arial(9));
    lblRelease->setAlignment(Qt::AlignRight | Qt::AlignTop);

    chkDatei = new CheckBox(QStringLiteral("chkDatei"), QStringLiteral("Datei erzeugen"), Frame);
    place(chkDatei, 150, 4515, 1830, 360);
    chkDatei->setToolTip(QStringLiteral(" erzeugt eine Datei mit der akt. Zeit "));
    setTextColor(chkDatei, blue);
    chkDatei->setStyle(markStyle);
    chkDatei->setValue(0);
}

void FrmConfig::buildButtons()
{
    CommandButton** targets[] = {&btnStart, &btnStop, &btnVerbergen, &btnHilfe, &btnBeenden};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonSpec& row = kButtons[i];
        auto* button = new CommandButton(text(row.name), text(row.caption), this);
        place(button, row.left, row.top, row.width, row.height);
        button->setToolTip(text(row.tooltip));
        setTextColor(button, colorFromValue(kDarkBlue));
        *targets[i] = button;
    }
}

// Option buttons of one group are normally a single tab stop (the checked or
// focused one, which the buttons re-settle on every check and focus change);
// here each is a stop of its own, in the designed order.
void FrmConfig::keepOptionsTabStops()
{
    auto restore = [this] {
        for (int i = 0; i < optAnzeige->count(); ++i)
            optAnzeige->element(i)->setFocusPolicy(Qt::StrongFocus);
    };
    restore();
    for (int i = 0; i < optAnzeige->count(); ++i)
        connect(optAnzeige->element(i), &QAbstractButton::toggled, this, restore);
    connect(qApp, &QApplication::focusChanged, this, restore);
}

void FrmConfig::buildTabOrder()
{
    auto opt = [this](int i) -> QWidget* { return optAnzeige->element(i); };
    QWidget* const order[] = {
        txtStd, txtMin, btnBeenden, btnStop, btnStart, txtFaktor, btnVerbergen, opt(2), opt(1), btnHilfe,
        opt(3), opt(4), txtTitel, opt(5), opt(6), opt(0), opt(7), btnLetzteZeit, opt(8), chkDatei,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    txtStd->setFocus(); // the first stop has the focus when the window opens
}
