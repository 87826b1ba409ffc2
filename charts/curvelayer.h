#pragma once
// Paints the chart's series over the plot area that Qt Charts lays out: the time-course
// series, then the curve pool in pool order, with the pool's own Bézier smoothing and
// per-point colours and markers.
#include "charts/chartmodel.h"

#include <QGraphicsItem>
#include <QLineF>
#include <QPointF>

#include <vector>

class QPainter;

namespace corvane {

class CurveLayer : public QGraphicsItem
{
public:
    explicit CurveLayer(const ChartModel &model, QGraphicsItem *parent = nullptr);

    void setPlotArea(const QRectF &plot);
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void paintLine(QPainter &p, const ChartSeries &s);
    void paintSmoothed(QPainter &p, const ChartSeries &s);
    void paintMarkers(QPainter &p, const ChartSeries &s);
    void drawSegments(QPainter &p, uint32_t colour, const ChartSeries &s);
    void mapPoints(const ChartSeries &s);

    const ChartModel &m_model;
    QRectF m_plot;
    // Scratch buffers kept between paints, so painting allocates nothing once warm.
    std::vector<QPointF> m_mapped;
    std::vector<QPointF> m_line;
    std::vector<QLineF> m_crosses;
    std::vector<QLineF> m_segments;
};

} // namespace corvane
