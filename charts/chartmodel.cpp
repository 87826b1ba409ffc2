#include "charts/chartmodel.h"

#include "data/timebase.h"

namespace corvane {

ChartModel::ChartModel()
{
    Series1.lineWidth = 2;
    Series1.points.reserve(60 * 13);
    Series2.lineWidth = 4;
    Series2.dotted = true;
}

void ChartModel::createCurvePool()
{
    if (!CurvePool.empty())
        return;
    CurvePool.resize(kCurvePoolSize);
    for (ChartSeries &s : CurvePool) {
        s.active = true;
        s.smoothed = true;
        s.lineWidth = 2;
        // Room for the longest curve, so refilling never allocates.
        s.points.reserve(kAllCurveSamples);
        s.resetAsPoolCurve();
    }
}

void ChartModel::resetCurvePool()
{
    for (ChartSeries &s : CurvePool)
        s.resetAsPoolCurve();
}

void ChartModel::releaseCurvePool()
{
    CurvePool.clear();
    CurvePool.shrink_to_fit();
}

void ChartModel::repaintNow()
{
    ++m_repaints;
    if (m_repaint)
        m_repaint();
}

} // namespace corvane
