#include "charts/viewdraw.h"

#include "charts/axisrange.h"
#include "charts/curvepoints.h"

namespace corvane {

void drawPlan(ChartModel &chart, const MeasurementBuffer &buffer, std::span<const RecordEntry> ticked,
              std::span<const DrawStep> plan)
{
    for (const DrawStep &step : plan) {
        const AxisInputs in{ticked, step.fileIndex, step.record};
        switch (step.op) {
        case DrawStep::Op::Selection:
            drawSelectInChart(chart, buffer, in);
            break;
        case DrawStep::Op::Axis:
            reDrawAxis(chart, buffer, step.axis, in);
            break;
        case DrawStep::Op::Curves:
            if (chart.poolSize() > 0)
                drawOjip(chart, buffer, step.mode, step.record, chart.CurvePool[0], kFirstCurveColour, step.section);
            break;
        case DrawStep::Op::TimeCourse:
            drawAl(chart, buffer, step.record);
            break;
        }
    }
}

} // namespace corvane
