#pragma once
// The arithmetic of the JIP pictures, kept out of the paint code: ranges and labels of
// the Vt / ΔVt chart, where its step marks go, and the radar's scale and vertices.
#include "analysis/jipcomparison.h"
#include "charts/chartmodel.h"

#include <QPointF>
#include <QString>

#include <span>
#include <vector>

namespace corvane {

enum class VtView : uint8_t { Vt, DeltaVt };

// The curve chart's logarithmic time axis; the vertical range holds every value shown
// (Vt: at least 0 to 1; ΔVt: symmetric about 0), padded and rounded to whole ticks.
AxisSetup vtAxes(std::span<const VtCurve> curves, VtView view);
// "%.1f", "%.2f": as many decimals as the tick interval of that range needs.
QString vtLabelFormat(const AxisSetup &axes);

struct VtDot
{
    double timeUs = 0;
    double y = 0;
    uint32_t colour = 0;
};

struct VtMarks
{
    std::vector<OjipMarker> lines;  // O, K, J, I and the reference P, each a labelled vertical line
    std::vector<VtDot> peaks;       // each curve's P: its value at its own tFm
};

// P's line stands at the control's tFm, else at the first curve's that has one.
VtMarks vtMarks(const JipComparison &cmp, VtView view);

// The curves a view shows, one per line (absent ones empty).
const std::vector<VtCurve> &vtCurvesOf(const JipComparison &cmp, VtView view, std::vector<VtCurve> &scratch);

// The radar's outer ring: the largest relative value rounded up to a ring step, at
// least 1.5 and at most kRadarMaxOuter; values beyond it are drawn on the rim.
inline constexpr double kRadarMaxOuter = 4.0;
double radarOuter(std::span<const RadarValues> values, int skip = -1);
// Ring step for a given outer ring (0.25, 0.5 or 1).
double radarRingStep(double outer);

// Vertex of `value` on axis `axis` of `axes`, clockwise from the top, clamped to 0..outer.
QPointF radarPoint(int axis, int axes, double value, double outer, QPointF centre, double radius);

// Display names of the radar's axes, in kRadarParams order.
std::span<const QString> radarAxisNames();

} // namespace corvane
