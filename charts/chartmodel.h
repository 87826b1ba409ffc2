#pragma once
// Everything the chart shows, as data: the curve pool, the two time-course series,
// the title and the axis settings. Drawing routines change it; CurveChart displays it.
#include "charts/chartseries.h"

#include <QString>

#include <functional>
#include <vector>

namespace corvane {

inline constexpr int kCurvePoolSize = 61;
inline constexpr uint32_t kChartBackground = 13024443;  // 0xC6BCBB: red 187, green 188, blue 198
inline const QString kCurveLimitTitle = QStringLiteral("最多同时显示61条曲线");

enum class AxisScale : uint8_t { Logarithmic, Linear };

struct AxisSetup
{
    AxisScale scale = AxisScale::Logarithmic;
    double xMin = 10;
    double xMax = 10000000;
    double yMin = 0;
    double yMax = 2000;
    bool operator==(const AxisSetup &) const = default;
};

struct ChartModel
{
    // Empty until createCurvePool(): the pool lives from the viewer's first showing
    // until it closes.
    std::vector<ChartSeries> CurvePool;
    ChartSeries Series1;  // time course, width 2
    ChartSeries Series2;  // F0' level after the last cycle, dotted, width 4
    QString Title;
    AxisSetup Axes;

    ChartModel();

    void createCurvePool();
    void resetCurvePool();
    void releaseCurvePool();
    int poolSize() const { return int(CurvePool.size()); }

    // Shows the progress of a long drawing at once; the chart widget installs the hook.
    void repaintNow();
    void setRepaintHook(std::function<void()> hook) { m_repaint = std::move(hook); }
    int repaintCount() const { return m_repaints; }

private:
    std::function<void()> m_repaint;
    int m_repaints = 0;
};

} // namespace corvane
