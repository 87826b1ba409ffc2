#pragma once
// The normalised curves of the JIP page: Vt or ΔVt of every ticked line in its colour,
// on the curve chart's logarithmic time axis, with the O, K, J, I and P steps marked.
#include "charts/curvechart.h"
#include "charts/jipgeometry.h"

class QPainter;

namespace corvane {

class OjipMarkLayer;

class VtChart : public CurveChart
{
    Q_OBJECT

public:
    explicit VtChart(QWidget *parent = nullptr);

    // Fills the chart from the comparison: at most one curve per pool series.
    void showCurves(const JipComparison &cmp, VtView view, const QString &title);

    const VtMarks &marks() const { return m_marks; }
    // The chart as it shows at its current size, drawn as vectors.
    void paintVector(QPainter &p);
    // PNG or SVG by the extension; empty on success, else the reason.
    QString save(const QString &path);

private:
    void settleLayout();

    VtMarks m_marks;
    OjipMarkLayer *m_markLayer = nullptr;
};

} // namespace corvane
