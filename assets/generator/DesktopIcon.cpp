#include "DesktopIcon.h"

#include "Emblems.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

namespace desktopicon {

namespace {

// The geometry on a 256-unit square.
constexpr double kUnits = 256;
constexpr double kCentre = 128;
constexpr double kOutline = 126; // radius of the black outline
constexpr double kRing = 114;    // radius of the grey ring
constexpr double kFace = 96;     // radius of the white face
constexpr double kCorner = 44;   // legs of the yellow corner triangles
constexpr double kHandWidth = 24;
constexpr double kMinuteTip = 40; // the minute hand to 12 ends at this y
constexpr double kHourTip = 200;  // the hour hand to 3 ends at this x

const QColor kBlue(0, 0, 128);
const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

// the four corner triangles, each with its right angle in a corner
QPainterPath corners()
{
    QPainterPath path;
    for (const QPointF& c : {QPointF(0, 0), QPointF(kUnits, 0), QPointF(0, kUnits), QPointF(kUnits, kUnits)}) {
        const double dx = c.x() == 0 ? kCorner : -kCorner;
        const double dy = c.y() == 0 ? kCorner : -kCorner;
        QPolygonF triangle({c, c + QPointF(dx, 0), c + QPointF(0, dy)});
        path.addPolygon(triangle);
        path.closeSubpath();
    }
    return path;
}

QString circle(double r, const QColor& fill)
{
    return QStringLiteral("  <circle cx=\"%1\" cy=\"%1\" r=\"%2\" fill=\"%3\"/>\n")
        .arg(kCentre).arg(r).arg(fill.name());
}

QString hand(double x2, double y2)
{
    return QStringLiteral("  <line x1=\"%1\" y1=\"%1\" x2=\"%2\" y2=\"%3\" stroke=\"%4\" stroke-width=\"%5\" "
                          "stroke-linecap=\"round\"/>\n")
        .arg(kCentre).arg(x2).arg(y2).arg(kBlack.name()).arg(kHandWidth);
}

} // namespace

QList<int> sizes() { return {16, 22, 24, 32, 48, 64, 128, 256}; }

QImage image(int size)
{
    if (size == 16)
        return emblems::icon().convertToFormat(QImage::Format_ARGB32);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(kBlue);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / kUnits, size / kUnits);
        painter.setPen(Qt::NoPen);
        painter.fillPath(corners(), kYellow);
        for (const auto& [r, colour] : {std::pair{kOutline, kBlack}, {kRing, kGrey}, {kFace, kWhite}}) {
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(kCentre, kCentre), r, r);
        }
        painter.setPen(QPen(kBlack, kHandWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(kCentre, kCentre), QPointF(kCentre, kMinuteTip));
        painter.drawLine(QPointF(kCentre, kCentre), QPointF(kHourTip, kCentre));
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray svg()
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                                  "viewBox=\"0 0 %1 %1\">\n"
                                  "  <title>Quendrasil</title>\n"
                                  "  <rect width=\"%1\" height=\"%1\" fill=\"%2\"/>\n")
                       .arg(kUnits).arg(kBlue.name());
    const double far = kUnits - kCorner;
    text += QStringLiteral("  <path fill=\"%1\" d=\"M0,0H%2L0,%2Z M%4,0H%3V%2Z M0,%4V%3H%2Z M%3,%4V%3H%4Z\"/>\n")
                .arg(kYellow.name()).arg(kCorner).arg(kUnits).arg(far);
    text += circle(kOutline, kBlack) + circle(kRing, kGrey) + circle(kFace, kWhite);
    text += hand(kCentre, kMinuteTip) + hand(kHourTip, kCentre);
    text += QStringLiteral("</svg>\n");
    return text.toUtf8();
}

QString writeAll(const QString& folder)
{
    const QDir dir(folder);
    for (int size : sizes()) {
        const QString sub = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!dir.mkpath(sub))
            return QStringLiteral("cannot create %1").arg(dir.filePath(sub));
        const QString file = dir.filePath(sub + QStringLiteral("/quendrasil.png"));
        QImageWriter writer(file, "png");
        if (!writer.write(image(size)))
            return QStringLiteral("cannot write %1: %2").arg(file, writer.errorString());
    }
    const QString sub = QStringLiteral("hicolor/scalable/apps");
    QFile file(dir.filePath(sub + QStringLiteral("/quendrasil.svg")));
    const QByteArray text = svg();
    if (!dir.mkpath(sub) || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return QStringLiteral("cannot write %1").arg(file.fileName());
    file.close();
    return file.error() == QFile::NoError ? QString() : QStringLiteral("cannot write %1").arg(file.fileName());
}

} // namespace desktopicon
