#pragma once
// The three axis modes and the rules for the vertical range.
#include "charts/chartmodel.h"
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <cstdint>
#include <span>

namespace corvane {

// 0: actinic-light OJIP curves of a post-steady-state record (log µs);
// 1: OJIP curves (log µs); 2: time course of a pulse-transient record (linear s).
inline constexpr uint8_t kAxisActinicOjip = 0;
inline constexpr uint8_t kAxisOjip = 1;
inline constexpr uint8_t kAxisTimeCourse = 2;

struct AxisInputs
{
    std::span<const RecordEntry> tickedRecords;  // in list order
    int fnIndex = -1;                         // selected entry of the file selector
    uint32_t currentRecord = 0;
};

// The value the left axis must clear: at least 500, and 32 bits wide so an Fm of
// 65535 plus the headroom does not wrap.
uint32_t verticalTop(const MeasurementBuffer &buffer, uint8_t mode, const AxisInputs &in);

AxisSetup axisSetup(uint8_t mode, uint32_t top);

// ReDrawAxis: empties every series and puts the chart into `mode`.
void reDrawAxis(ChartModel &chart, const MeasurementBuffer &buffer, uint8_t mode, const AxisInputs &in);

// A tick interval of 1, 2 or 5 × 10^k giving at most `maxIntervals` intervals over span.
double niceTickInterval(double span, int maxIntervals = 8);

} // namespace corvane
