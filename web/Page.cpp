#include "Page.h"

#include "SevenSegment.h"

#include <QFile>

namespace webpage {

namespace {

QByteArray resource(const QString& name)
{
    QFile f(QStringLiteral(":/web/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The seven segments as SVG polygons in the coordinates of the stretched LED
// digit (209 x 372), and which segments each digit lights.
QByteArray segmentDefinitions()
{
    const sevenseg::Design design = sevenseg::stretch();
    QByteArray svg;
    for (int s = sevenseg::A; s < sevenseg::SegmentCount; ++s) {
        svg += "<polygon id=\"seg-" + QByteArray(1, char('a' + s)) + "\" points=\"";
        for (const QPointF& p : sevenseg::segmentPolygon(design, static_cast<sevenseg::Segment>(s)))
            svg += QByteArray::number(p.x(), 'g', 6) + ',' + QByteArray::number(p.y(), 'g', 6) + ' ';
        svg.chop(1);
        svg += "\"/>";
    }
    QByteArray digits;
    for (int d = 0; d <= 9; ++d)
        digits += QByteArray::number(sevenseg::segmentsOf(d)) + (d < 9 ? "," : "");
    return "<svg id=\"ziffernform\" width=\"0\" height=\"0\" aria-hidden=\"true\" data-digits=\"" + digits
        + "\" data-width=\"" + QByteArray::number(design.size.width()) + "\" data-height=\""
        + QByteArray::number(design.size.height()) + "\"><defs>" + svg + "</defs></svg>";
}

} // namespace

QByteArray page(const QByteArray& stateJson, bool analog)
{
    static const QByteArray filled = resource(QStringLiteral("index.html"))
                                         .replace("<!--SEGMENTS-->", segmentDefinitions());
    // inside a script element only "<" could end it early; \u003c means the same in JSON
    QByteArray state = stateJson;
    state.replace('<', "\\u003c");
    QByteArray html = QByteArray(filled).replace("<!--STATE-->", state);
    if (analog)
        html.replace("/manifest.webmanifest\"", "/manifest.webmanifest?style=analog\"");
    return html;
}

File file(const QString& path, bool analog)
{
    struct Known {
        const char* path;
        const char* name;
        const char* type;
    };
    static const Known known[] = {
        {"/clock.js", "clock.js", "text/javascript; charset=utf-8"},
        {"/clock.css", "clock.css", "text/css; charset=utf-8"},
        {"/manifest.webmanifest", "manifest.webmanifest", "application/manifest+json"},
        // the program's own icon, as the desktop has it
        {"/icon.svg", "scalable/apps/quendrasil.svg", "image/svg+xml"},
        {"/icon-256.png", "256x256/apps/quendrasil.png", "image/png"},
    };
    for (const Known& k : known)
        if (path == QLatin1StringView(k.path)) {
            QByteArray body = resource(QString::fromLatin1(k.name));
            if (analog && path == u"/manifest.webmanifest")
                body.replace("\"start_url\": \"/\"", "\"start_url\": \"/?style=analog\"");
            return {k.type, body};
        }
    return {};
}

} // namespace webpage
