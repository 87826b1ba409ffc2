#include "charts/axisrange.h"

#include "data/record.h"

#include <algorithm>
#include <cmath>

namespace corvane {

uint32_t verticalTop(const MeasurementBuffer &buffer, AxisMode mode, const AxisInputs &in)
{
    uint32_t top = 500;
    if (mode == AxisMode::Ojip && in.fnIndex == 0) {
        for (const RecordEntry &e : in.tickedRecords)
            top = std::max<uint32_t>(top, RecordHeader(buffer, e.offset).Fm());
    } else {
        const RecordHeader current(buffer, in.currentRecord);
        top = current.Fm();
        if (mode == AxisMode::ActinicOjip) {
            // The first actinic-light curve sets the range, when the record has one.
            const uint64_t block = current.actinicAreaStart();
            if (block < recordEnd(buffer, in.currentRecord)) {
                const CurveBlock curve(buffer, block);
                uint32_t m = 0;
                for (int j = 0; j < kCurveSamples; ++j)
                    m = std::max<uint32_t>(m, curve.sample(j));
                top = m + 100;
            }
        }
    }
    return std::max<uint32_t>(top, 500);
}

AxisSetup axisSetup(AxisMode mode, uint32_t top)
{
    AxisSetup a;
    a.yMin = 0;
    a.yMax = double(top) + 100;
    if (mode == AxisMode::TimeCourse) {
        a.scale = AxisScale::Linear;
        a.xMin = 0;
        a.xMax = 600;
    } else {
        a.scale = AxisScale::Logarithmic;
        a.xMin = 10;
        a.xMax = 10000000;
    }
    return a;
}

void reDrawAxis(ChartModel &chart, const MeasurementBuffer &buffer, AxisMode mode, const AxisInputs &in)
{
    chart.resetCurvePool();
    chart.Series1.clear();
    chart.Series2.clear();
    chart.Axes = axisSetup(mode, verticalTop(buffer, mode, in));
}

double niceTickInterval(double span, int maxIntervals)
{
    if (!(span > 0) || maxIntervals < 1)
        return 1;
    const double raw = span / maxIntervals;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * decade >= raw * (1 - 1e-9))
            return f * decade;
    return 10 * decade;
}

} // namespace corvane
