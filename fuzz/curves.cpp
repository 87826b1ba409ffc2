// The chart's point walks: every axis mode and every DrawOJIP mode for each listed
// record, the time course, and the ticked records together. The last two input
// bytes pick the file selector's entry and the actinic-light selector's entry, as
// the viewer's two boxes would.
#include "fuzzsupport.h"

#include "charts/axisrange.h"
#include "charts/chartmodel.h"
#include "charts/curvepoints.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    const fuzz::Loaded l = fuzz::loadInput(data, size);
    if (!l.ok() || l.list.listed == 0)
        return 0;
    const MeasurementBuffer &buffer = l.state.MeasurementBuffer;
    const int n = std::min(l.list.listed, 64);
    const uint8_t fnByte = size >= 2 ? data[size - 2] : 0;
    const uint8_t alByte = size >= 1 ? data[size - 1] : 0;
    const std::span<const RecordEntry> ticked(l.state.RecordIndex.data(), size_t(n));
    const int fnIndex = int(fnByte % (n + 1)) - 1;
    const int alSection = alByte % (kAllActinicCurves + 1);

    ChartModel chart;
    chart.createCurvePool();
    for (int i = 0; i < n; ++i) {
        const uint32_t record = ticked[size_t(i)].offset;
        const AxisInputs in{ticked, fnIndex, record};
        for (AxisMode axis : {AxisMode::ActinicOjip, AxisMode::Ojip, AxisMode::TimeCourse}) {
            reDrawAxis(chart, buffer, axis, in);
            fuzz::require(chart.Axes.yMax > chart.Axes.yMin && chart.Axes.xMax > chart.Axes.xMin);
        }
        for (DrawMode mode : {DrawMode::FirstCurve, DrawMode::AllCurves, DrawMode::ActinicCurves}) {
            chart.resetCurvePool();
            drawOjip(chart, buffer, mode, record, chart.CurvePool[0], kFirstCurveColour, alSection);
            fuzz::require(chart.poolSize() == kCurvePoolSize);
        }
        drawAl(chart, buffer, record);
        for (const ChartPoint &p : chart.Series1.points)
            fuzz::require(std::isfinite(p.x) && std::isfinite(p.y));
    }
    chart.resetCurvePool();
    drawSelectInChart(chart, buffer, AxisInputs{ticked, fnIndex, ticked[0].offset});
    for (const ChartSeries &s : chart.CurvePool)
        for (const ChartPoint &p : s.points)
            fuzz::require(std::isfinite(p.x) && std::isfinite(p.y));
    return 0;
}
