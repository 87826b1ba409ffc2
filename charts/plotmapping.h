#pragma once
// From axis values to pixels inside the plot area, for either axis scale. The mapping
// is affine in the axis' own space (log10 of x on the logarithmic axis), which is why
// smoothing computed on mapped points looks the same as smoothing in that space.
#include "charts/chartmodel.h"
#include "charts/linecolour.h"

#include <QColor>
#include <QPointF>
#include <QRectF>

#include <cmath>

namespace corvane {

class PlotMapping
{
public:
    PlotMapping(const QRectF &plot, const AxisSetup &axes)
        : m_plot(plot)
        , m_log(axes.scale == AxisScale::Logarithmic)
        , m_x0(axisX(axes.xMin))
        , m_xSpan(axisX(axes.xMax) - m_x0)
        , m_y0(axes.yMin)
        , m_ySpan(axes.yMax - axes.yMin)
    {
    }

    // False when an axis has no extent (nothing can be placed).
    bool valid() const { return m_xSpan > 0 && m_ySpan > 0 && std::isfinite(m_xSpan); }

    // Whether x can be shown at all (a logarithmic axis has no place for x <= 0).
    bool placeable(double x) const { return !m_log || x > 0; }

    QPointF map(double x, double y) const
    {
        return {m_plot.left() + (axisX(x) - m_x0) / m_xSpan * m_plot.width(),
                m_plot.bottom() - (y - m_y0) / m_ySpan * m_plot.height()};
    }

private:
    double axisX(double x) const { return m_log ? std::log10(x) : x; }

    QRectF m_plot;
    bool m_log;
    double m_x0, m_xSpan, m_y0, m_ySpan;
};

} // namespace corvane
