#pragma once
// Carries out the viewer's draw plans on a chart model: the window and the plot
// command draw through this, so a plan means the same on screen and in a picture.
#include "charts/chartmodel.h"
#include "charts/viewersession.h"
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <span>

namespace corvane {

// `ticked` are the ticked lines' entries in list order.
void drawPlan(ChartModel &chart, const MeasurementBuffer &buffer, std::span<const RecordEntry> ticked,
              std::span<const DrawStep> plan);

} // namespace corvane
