#include "charts/curvelayer.h"

#include "charts/bezier.h"
#include "charts/plotmapping.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace corvane {

namespace {

constexpr double kMarkerRoom = 6;  // markers at the plot's edge stay whole

QPen linePen(uint32_t colour, int width, bool dotted)
{
    QPen pen(toQColor(colour), width, dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
    return pen;
}

} // namespace

CurveLayer::CurveLayer(const ChartModel &model, QGraphicsItem *parent)
    : QGraphicsItem(parent)
    , m_model(model)
{
    m_mapped.reserve(256);
    m_line.reserve(80 * kBezierPieces);
    m_crosses.reserve(512);
    m_segments.reserve(80 * kBezierPieces);
}

void CurveLayer::setPlotArea(const QRectF &plot)
{
    if (plot == m_plot)
        return;
    prepareGeometryChange();
    m_plot = plot;
}

QRectF CurveLayer::boundingRect() const
{
    return m_plot.adjusted(-kMarkerRoom, -kMarkerRoom, kMarkerRoom, kMarkerRoom);
}

void CurveLayer::mapPoints(const ChartSeries &s)
{
    const PlotMapping m(m_plot, m_model.Axes);
    m_mapped.clear();
    for (const ChartPoint &pt : s.points)
        m_mapped.push_back(m.placeable(pt.x) ? m.map(pt.x, pt.y) : QPointF(qQNaN(), qQNaN()));
}

void CurveLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!PlotMapping(m_plot, m_model.Axes).valid())
        return;
    QPainter &p = *painter;
    p.save();
    p.setClipRect(boundingRect());
    // Smooth lines and crosses on screen and in the saved picture alike.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    if (m_model.Series1.active)
        paintLine(p, m_model.Series1);
    if (m_model.Series2.active)
        paintLine(p, m_model.Series2);
    for (const ChartSeries &s : m_model.CurvePool) {
        if (!s.active || s.points.empty())
            continue;
        mapPoints(s);
        paintSmoothed(p, s);
        paintMarkers(p, s);
    }
    p.restore();
}

// Each piece takes the colour of the point it ends on.
void CurveLayer::paintLine(QPainter &p, const ChartSeries &s)
{
    if (s.points.size() < 2)
        return;
    mapPoints(s);
    const size_t n = s.points.size();
    size_t start = 0;
    for (size_t i = 1; i < n; ++i) {
        if (i + 1 < n && s.points[i + 1].colour == s.points[i].colour)
            continue;
        p.setPen(linePen(s.points[i].colour, s.lineWidth, s.dotted));
        p.drawPolyline(m_mapped.data() + start, int(i - start + 1));
        start = i;
    }
}

// Each group is one Bézier piece drawn in the colour of its last point; neighbouring
// groups of one colour go out as one polyline.
void CurveLayer::paintSmoothed(QPainter &p, const ChartSeries &s)
{
    const int groups = bezierGroups(int(m_mapped.size()));
    if (groups == 0)
        return;
    uint32_t runColour = s.points[3].colour;
    m_line.clear();
    for (int g = 0; g < groups; ++g) {
        const uint32_t colour = s.points[size_t(3 * g + 3)].colour;
        if (colour != runColour) {
            drawSegments(p, runColour, s);
            m_line.clear();
            runColour = colour;
        }
        if (!m_line.empty())
            m_line.pop_back();
        appendBezierGroup(m_mapped.data() + 3 * g, m_line);
    }
    drawSegments(p, runColour, s);
}

// Separate segments let the raster engine fill each thick piece directly instead of
// stroking the whole polyline with joins, which is many times slower at this density;
// the joins are invisible at this width.
void CurveLayer::drawSegments(QPainter &p, uint32_t colour, const ChartSeries &s)
{
    p.setPen(linePen(colour, s.lineWidth, s.dotted));
    if (s.dotted) {
        p.drawPolyline(m_line.data(), int(m_line.size()));
        return;
    }
    // Pieces shorter than a pixel are merged into the next one: same picture, fewer lines.
    m_segments.clear();
    QPointF from = m_line.front();
    for (size_t i = 1; i < m_line.size(); ++i) {
        const QPointF &to = m_line[i];
        if (i + 1 < m_line.size() && std::abs(to.x() - from.x()) + std::abs(to.y() - from.y()) < 1.0)
            continue;
        m_segments.emplace_back(from, to);
        from = to;
    }
    p.drawLines(m_segments.data(), int(m_segments.size()));
}

void CurveLayer::paintMarkers(QPainter &p, const ChartSeries &s)
{
    if (s.marker == MarkerStyle::None || s.markerSize <= 0)
        return;
    // Crosses of size 4 come out 7 px wide, circles of size 2 about 5 px: small, yet
    // still distinct from the 2 px line through them.
    const double h = s.marker == MarkerStyle::Circle ? 1.25 * s.markerSize : 0.75 * s.markerSize;
    size_t i = 0;
    while (i < s.points.size()) {
        const uint32_t colour = s.points[i].colour;
        p.setPen(QPen(toQColor(colour), 1));
        m_crosses.clear();
        for (; i < s.points.size() && s.points[i].colour == colour; ++i) {
            const QPointF c = m_mapped[i];
            if (s.marker == MarkerStyle::Circle)
                p.drawEllipse(c, h, h);
            else {
                m_crosses.emplace_back(c.x() - h, c.y() - h, c.x() + h, c.y() + h);
                m_crosses.emplace_back(c.x() - h, c.y() + h, c.x() + h, c.y() - h);
            }
        }
        if (!m_crosses.empty())
            p.drawLines(m_crosses.data(), int(m_crosses.size()));
    }
}

} // namespace corvane
