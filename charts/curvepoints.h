#pragma once
// Which points, colours and markers each view draws, read from MeasurementBuffer.
// Every walk stays inside the record's own run of continuation blocks, so a header
// field that promises more blocks than the record has cannot lead into the next record.
#include "charts/axisrange.h"
#include "charts/chartmodel.h"
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <cstdint>
#include <span>

namespace corvane {

inline constexpr uint32_t kFirstCurveColour = 255;  // red
inline constexpr uint32_t kCurveColourStep = 3843;
inline constexpr int kAllActinicCurves = 59;

// DrawOJIP. `alSection` is the actinic-light selector's entry (0 "All AL OJIP", s the
// s-th section); only mode 5 reads it.
void drawOjip(ChartModel &chart, const MeasurementBuffer &buffer, DrawMode mode, uint32_t record, ChartSeries &series,
              uint32_t colour, int alSection = 0);

// DrawAL: the time course of a pulse-transient record on the linear axis in seconds.
void drawAl(ChartModel &chart, const MeasurementBuffer &buffer, uint32_t record);

// DrawSelectInChart: the first curve of each ticked record in its list colour, at most
// one per pool series; more sets the limit title, which nothing clears.
void drawSelectInChart(ChartModel &chart, const MeasurementBuffer &buffer, const AxisInputs &in);

} // namespace corvane
