#include "charts/jipgeometry.h"

#include "data/timebase.h"
#include "charts/axisrange.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane {

AxisSetup vtAxes(std::span<const VtCurve> curves, VtView view)
{
    // The same logarithmic time axis as the curve page.
    AxisSetup a = axisSetup(AxisMode::Ojip, 0);
    double lo = 0, hi = view == VtView::Vt ? 1.0 : 0.0;
    for (const VtCurve &c : curves)
        for (double v : c.values) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (view == VtView::DeltaVt) {
        const double m = std::max({std::fabs(lo), std::fabs(hi), 0.05});
        lo = -m;
        hi = m;
    }
    // A little room above and below; the ticks stay on round values from 0.
    const double pad = 0.05 * (hi - lo);
    a.yMin = lo - pad;
    a.yMax = hi + pad;
    return a;
}

QString vtLabelFormat(const AxisSetup &axes)
{
    const double step = niceTickInterval(axes.yMax - axes.yMin);
    const int decimals = std::clamp(int(-std::floor(std::log10(step) + 1e-9)), 0, 6);
    return QStringLiteral("%.%1f").arg(decimals);
}

const std::vector<VtCurve> &vtCurvesOf(const JipComparison &cmp, VtView view, std::vector<VtCurve> &scratch)
{
    if (view == VtView::DeltaVt)
        return cmp.deltaVt();
    scratch.clear();
    for (const JipLine &l : cmp.lines())
        scratch.push_back(l.vt);
    return scratch;
}

VtMarks vtMarks(const JipComparison &cmp, VtView view)
{
    VtMarks m;
    m.lines.assign(kFixedOjipMarkers.begin(), kFixedOjipMarkers.end());
    const auto &lines = cmp.lines();
    std::optional<double> reference;
    if (cmp.hasControl())
        reference = lines[size_t(cmp.control())].set[JipParam::tFm];
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto &tfm = lines[i].set[JipParam::tFm];
        if (!reference && tfm)
            reference = tfm;
        const VtCurve &c = view == VtView::Vt ? lines[i].vt : cmp.deltaVt()[i];
        if (!tfm || c.absent())
            continue;
        // tFm is a sample time exactly: find that sample.
        const double us = *tfm * 1000.0;
        for (size_t j = 0; j < c.values.size(); ++j)
            if (double(sampleTimeUs(int(j))) == us) {
                m.peaks.push_back({us, c.values[j], lines[i].colour});
                break;
            }
    }
    if (reference)
        m.lines.push_back({'P', *reference * 1000.0});
    return m;
}

double radarRingStep(double outer)
{
    return outer <= 1.5 ? 0.25 : outer <= 2.0 ? 0.5 : 1.0;
}

double radarOuter(std::span<const RadarValues> values, int skip)
{
    double top = 1.0;
    for (size_t i = 0; i < values.size(); ++i) {
        if (int(i) == skip)
            continue;
        for (const auto &v : values[i])
            if (v)
                top = std::max(top, *v);
    }
    top = std::min(top, kRadarMaxOuter);
    const double step = radarRingStep(top);
    return std::max(1.5, std::ceil(top / step - 1e-9) * step);
}

QPointF radarPoint(int axis, int axes, double value, double outer, QPointF centre, double radius)
{
    const double angle = 2 * std::numbers::pi * axis / std::max(axes, 1) - std::numbers::pi / 2;
    const double r = std::clamp(value, 0.0, outer) / outer * radius;
    return {centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle)};
}

std::span<const QString> radarAxisNames()
{
    static const std::array<QString, kRadarParams.size()> names = {
        QStringLiteral("φPo"),    QStringLiteral("ψEo"),    QStringLiteral("φEo"),    QStringLiteral("δRo"),
        QStringLiteral("ABS/RC"), QStringLiteral("TRo/RC"), QStringLiteral("ETo/RC"), QStringLiteral("DIo/RC"),
        QStringLiteral("RC/CSo"), QStringLiteral("PIabs"),  QStringLiteral("PItotal"),
    };
    return names;
}

} // namespace corvane
