#include "charts/vtchart.h"

#include "data/timebase.h"
#include "charts/picturefile.h"
#include "charts/plotmapping.h"

#include <QCoreApplication>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QResizeEvent>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

namespace corvane {

// Dashed vertical lines at the steps, their letters above the plot, and a ring on each
// curve at its own peak.
class OjipMarkLayer : public QGraphicsItem
{
public:
    OjipMarkLayer(const ChartModel &model, const VtMarks &marks, QGraphicsItem *parent)
        : QGraphicsItem(parent)
        , m_model(model)
        , m_marks(marks)
    {
    }

    void setPlotArea(const QRectF &plot)
    {
        if (plot == m_plot)
            return;
        prepareGeometryChange();
        m_plot = plot;
    }
    QRectF boundingRect() const override { return m_plot.adjusted(-8, -18, 8, 8); }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const PlotMapping map(m_plot, m_model.Axes);
        if (!map.valid())
            return;
        QPainter &p = *painter;
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(60, 60, 60), 1, Qt::DashLine));
        QFont f = p.font();
        f.setBold(true);
        p.setFont(f);
        for (const OjipMarker &m : m_marks.lines) {
            const double x = map.map(m.timeUs, 0).x();
            p.drawLine(QPointF(x, m_plot.top()), QPointF(x, m_plot.bottom()));
            p.drawText(QRectF(x - 8, m_plot.top() - 17, 16, 16), Qt::AlignHCenter | Qt::AlignBottom,
                       QString(QLatin1Char(m.letter)));
        }
        p.setBrush(Qt::NoBrush);
        for (const VtDot &d : m_marks.peaks) {
            p.setPen(QPen(toQColor(d.colour), 1.5));
            p.drawEllipse(map.map(d.timeUs, d.y), 3.5, 3.5);
        }
        p.restore();
    }

private:
    const ChartModel &m_model;
    const VtMarks &m_marks;
    QRectF m_plot;
};

VtChart::VtChart(QWidget *parent)
    : CurveChart(parent)
{
    model().createCurvePool();
    m_markLayer = new OjipMarkLayer(model(), m_marks, chart());
    m_markLayer->setZValue(101);
    connect(chart(), &QChart::plotAreaChanged, this, [this](const QRectF &plot) { m_markLayer->setPlotArea(plot); });
    m_markLayer->setPlotArea(chart()->plotArea());
}

void VtChart::showCurves(const JipComparison &cmp, VtView view, const QString &title)
{
    std::vector<VtCurve> scratch;
    const std::vector<VtCurve> &curves = vtCurvesOf(cmp, view, scratch);
    ChartModel &m = model();
    m.Axes = vtAxes(curves, view);
    m.Title = title;
    leftAxis()->setLabelFormat(vtLabelFormat(m.Axes));
    for (size_t i = 0; i < m.CurvePool.size(); ++i) {
        ChartSeries &s = m.CurvePool[i];
        s.clear();
        // Plain lines: the normalised curves are read for their shape, not their samples.
        s.smoothed = false;
        s.marker = MarkerStyle::None;
        s.markerSize = 0;
        if (i >= curves.size())
            continue;
        const uint32_t colour = cmp.lines()[i].colour;
        for (size_t j = 0; j < curves[i].values.size(); ++j)
            s.add(double(sampleTimeUs(int(j))), curves[i].values[j], colour);
    }
    m_marks = vtMarks(cmp, view);
    m_markLayer->update();
    refresh();
}

void VtChart::settleLayout()
{
    refresh();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    chart()->layout()->activate();
    refresh();
    m_markLayer->setPlotArea(chart()->plotArea());
}

void VtChart::paintVector(QPainter &p)
{
    // A hidden widget holds its resize back until it is shown or grabbed, and the chart
    // lays itself out only in resizeEvent: deliver it before drawing.
    for (QWidget *w : {static_cast<QWidget *>(this), viewport()})
        if (w->testAttribute(Qt::WA_PendingResizeEvent)) {
            QResizeEvent e(w->size(), QSize());
            QCoreApplication::sendEvent(w, &e);
            w->setAttribute(Qt::WA_PendingResizeEvent, false);
        }
    settleLayout();
    // Painted through the given painter: an SVG painter receives lines and text, not pixels.
    QWidget::render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

QString VtChart::save(const QString &path)
{
    return savePicture(path, size(), model().Title, [this] { return renderImage(); },
                       [this](QPainter &p) { paintVector(p); });
}

} // namespace corvane
