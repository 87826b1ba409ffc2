#include "charts/radarchart.h"

#include "charts/chartmodel.h"
#include "charts/linecolour.h"
#include "charts/picturefile.h"

#include <QPainter>

#include <cmath>

namespace corvane {

RadarPicture radarPicture(const JipComparison &cmp, const QString &title)
{
    RadarPicture r;
    r.title = title;
    r.hasControl = cmp.hasControl();
    if (!r.hasControl)
        return r;
    r.controlColour = cmp.lines()[size_t(cmp.control())].colour;
    r.outer = radarOuter(cmp.radar(), cmp.control());
    for (size_t i = 0; i < cmp.lines().size(); ++i)
        if (int(i) != cmp.control())
            r.polygons.push_back({cmp.lines()[i].colour, cmp.radar()[i]});
    return r;
}

void paintRadar(QPainter &p, const QRectF &area, const RadarPicture &pic)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(area, toQColor(kChartBackground));
    const QFontMetricsF fm(p.font());
    const double titleHeight = fm.height() * 1.8;
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter, pic.title);

    const int n = int(kRadarParams.size());
    // Room for the widest axis name on either side, so no label runs past the edge.
    double widestName = 0;
    for (const QString &name : radarAxisNames())
        widestName = std::max(widestName, fm.horizontalAdvance(name));
    const double labelRoom = widestName + 12;
    const QRectF plot = area.adjusted(labelRoom, titleHeight + fm.height() * 1.6, -labelRoom, -fm.height() * 1.6);
    const double radius = std::max(10.0, std::min(plot.width(), plot.height()) / 2);
    const QPointF c = plot.center();
    const double outer = pic.outer;

    // Rings at every step, labelled along the top axis; the axes as spokes.
    p.setBrush(Qt::NoBrush);
    const double step = radarRingStep(outer);
    for (double v = step; v <= outer + 1e-9; v += step) {
        QPolygonF ring;
        for (int a = 0; a < n; ++a)
            ring << radarPoint(a, n, v, outer, c, radius);
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.drawPolygon(ring);
        p.setPen(QColor(90, 90, 90));
        const QPointF at = radarPoint(0, n, v, outer, c, radius);
        p.drawText(QRectF(at.x() + 3, at.y(), 40, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(v, 'g', 3));
    }
    for (int a = 0; a < n; ++a) {
        p.setPen(QPen(QColor(150, 150, 150), 1));
        const QPointF tip = radarPoint(a, n, outer, outer, c, radius);
        p.drawLine(c, tip);
        // Labels outside the rim, anchored on the side facing away from the centre.
        const QPointF out = c + (tip - c) * 1.06;
        const QString name = radarAxisNames()[size_t(a)];
        const double w = fm.horizontalAdvance(name) + 4, h = fm.height();
        const double dx = out.x() - c.x(), dy = out.y() - c.y();
        const double left = std::abs(dx) < 1 ? out.x() - w / 2 : dx > 0 ? out.x() : out.x() - w;
        const double top = std::abs(dy) < 1 ? out.y() - h / 2 : dy > 0 ? out.y() : out.y() - h;
        p.setPen(Qt::black);
        p.drawText(QRectF(left, top, w, h), Qt::AlignCenter, name);
    }

    if (pic.hasControl) {
        // The control: every ratio is 1.
        p.setPen(QPen(toQColor(pic.controlColour), 2.5, Qt::DashLine));
        const double r1 = std::min(1.0, outer) / outer * radius;
        p.drawEllipse(c, r1, r1);
        for (const RadarPolygon &poly : pic.polygons) {
            const QColor colour = toQColor(poly.colour);
            p.setPen(QPen(colour, 2));
            // Consecutive present values are joined; an absent one breaks the outline.
            for (int a = 0; a < n; ++a) {
                const auto &from = poly.values[size_t(a)];
                const auto &to = poly.values[size_t((a + 1) % n)];
                if (from && to)
                    p.drawLine(radarPoint(a, n, *from, outer, c, radius), radarPoint((a + 1) % n, n, *to, outer, c, radius));
            }
            p.setBrush(colour);
            for (int a = 0; a < n; ++a)
                if (const auto &v = poly.values[size_t(a)])
                    p.drawEllipse(radarPoint(a, n, *v, outer, c, radius), 2.5, 2.5);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.restore();
}

RadarChart::RadarChart(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RadarChart::setPicture(RadarPicture picture)
{
    m_picture = std::move(picture);
    update();
}

QImage RadarChart::renderImage() const
{
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    p.setFont(font());
    paintRadar(p, QRectF(image.rect()), m_picture);
    return image;
}

QString RadarChart::save(const QString &path) const
{
    return savePicture(path, size(), m_picture.title, [this] { return renderImage(); },
                       [this](QPainter &p) {
                           p.setFont(font());
                           paintRadar(p, QRectF(rect()), m_picture);
                       });
}

void RadarChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintRadar(p, QRectF(rect()), m_picture);
}

} // namespace corvane
