#include "Page.h"

#include "DigitalUpdate.h"
#include "SevenSegment.h"

#include <QFile>

namespace webpage {

namespace {

const Entry table[] = {
    {"/", // the page itself, with the state and the shapes filled in
     "text/html; charset=utf-8", "index.html"},
    {"/clock.js", "text/javascript; charset=utf-8", "clock.js"},
    {"/clock.css", "text/css; charset=utf-8", "clock.css"},
    {"/manifest.webmanifest", "application/manifest+json", "manifest.webmanifest"},
    // the program's own icon, as the desktop has it
    {"/icon.svg", "image/svg+xml", "scalable/apps/quendrasil.svg"},
    {"/icon-256.png", "image/png", "256x256/apps/quendrasil.png"},
};

QByteArray resource(const char* name)
{
    QFile f(QStringLiteral(":/web/") + QLatin1StringView(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The seven segments as SVG polygons in the coordinates of the stretched LED
// digit (209 x 372), which segments each digit lights, and the separator's
// steps ("above:every", then the slowest).
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
    QByteArray blink;
    for (const BlinkStep& step : blinkSteps)
        blink += QByteArray::number(step.above) + ':' + QByteArray::number(step.every) + ',';
    blink += QByteArray::number(blinkSlowest);
    return "<svg id=\"ziffernform\" width=\"0\" height=\"0\" aria-hidden=\"true\" data-digits=\"" + digits
        + "\" data-width=\"" + QByteArray::number(design.size.width()) + "\" data-height=\""
        + QByteArray::number(design.size.height()) + "\" data-blink=\"" + blink + "\"><defs>" + svg
        + "</defs></svg>";
}

} // namespace

std::span<const Entry> files()
{
    return table;
}

QByteArray page(const QByteArray& stateJson, bool analog)
{
    static const QByteArray filled = resource(table[0].resource)
                                         .replace("<!--SEGMENTS-->", segmentDefinitions());
    // inside a script element only "<" could end it early; \u003c means the same in JSON
    QByteArray state = stateJson;
    state.replace('<', "\\u003c");
    QByteArray html = QByteArray(filled).replace("<!--STATE-->", state);
    if (analog)
        html.replace("/manifest.webmanifest\"", "/manifest.webmanifest?style=analog\"");
    return html;
}

File file(const QByteArray& path, bool analog, const std::function<QByteArray()>& state)
{
    for (const Entry& e : table) {
        if (path != e.path)
            continue;
        if (&e == &table[0]) // the page
            return {e.type, page(state(), analog)};
        QByteArray body = resource(e.resource);
        if (analog && path == "/manifest.webmanifest")
            body.replace("\"start_url\": \"/\"", "\"start_url\": \"/?style=analog\"");
        return {e.type, body};
    }
    return {};
}

} // namespace webpage
