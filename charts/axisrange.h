#pragma once
// The axis set-up of each axis mode and the rules for the vertical range.
#include "charts/chartmodel.h"
#include "charts/viewmodes.h"
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <cstdint>
#include <span>

namespace corvane {

struct AxisInputs
{
    std::span<const RecordEntry> tickedRecords;  // in list order
    int fnIndex = -1;                         // selected entry of the file selector
    uint32_t currentRecord = 0;
};

// The value the left axis must clear: at least 500, and 32 bits wide so an Fm of
// 65535 plus the headroom does not wrap.
uint32_t verticalTop(const MeasurementBuffer &buffer, AxisMode mode, const AxisInputs &in);

AxisSetup axisSetup(AxisMode mode, uint32_t top);

// ReDrawAxis: empties every series and puts the chart into `mode`.
void reDrawAxis(ChartModel &chart, const MeasurementBuffer &buffer, AxisMode mode, const AxisInputs &in);

// A tick interval of 1, 2 or 5 × 10^k giving at most `maxIntervals` intervals over span.
double niceTickInterval(double span, int maxIntervals = 8);

} // namespace corvane
