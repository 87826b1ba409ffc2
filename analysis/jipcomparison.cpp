#include "analysis/jipcomparison.h"

#include "analysis/curvehelpers.h"

#include <algorithm>
#include <cmath>

namespace corvane {

std::vector<OjipMarker> ojipMarkers(const JipSet &set)
{
    std::vector<OjipMarker> m(kFixedOjipMarkers.begin(), kFixedOjipMarkers.end());
    if (const auto &tfm = set[JipParam::tFm])
        m.push_back({'P', *tfm * 1000.0});
    return m;
}

std::optional<double> relativeValue(const std::optional<double> &value, const std::optional<double> &control)
{
    if (!value || !control || *control == 0.0)
        return std::nullopt;
    const double r = *value / *control;
    if (!std::isfinite(r))
        return std::nullopt;
    return r == 0.0 ? 0.0 : r;  // no "-0"
}

JipValues relativeValues(const JipSet &set, const JipSet &control)
{
    JipValues r;
    for (size_t p = 0; p < r.size(); ++p)
        r[p] = relativeValue(set.values[p], control.values[p]);
    return r;
}

RadarValues radarValues(const JipValues &relative)
{
    RadarValues r;
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = relative[size_t(kRadarParams[i])];
    return r;
}

VtCurve vtCurve(const MeasurementBuffer &buffer, uint32_t headerOffset, const JipSet &set)
{
    VtCurve c;
    // The set already knows whether there is a curve and whether Fm is above F0.
    if (set.flags.has(QualityFlag::NoCurve) || set.flags.has(QualityFlag::FmNotAboveF0))
        return c;
    const double f0 = *set[JipParam::F0], fv = *set[JipParam::Fm] - f0;
    const OjipSequence seq = ojipSequence(buffer, headerOffset);
    c.values.resize(size_t(seq.count));
    for (int j = 0; j < seq.count; ++j)
        c.values[size_t(j)] = (double(seq.s[size_t(j)]) - f0) / fv;
    return c;
}

VtCurve deltaVt(const VtCurve &curve, const VtCurve &control)
{
    VtCurve d;
    const size_t n = std::min(curve.values.size(), control.values.size());
    d.values.resize(n);
    for (size_t j = 0; j < n; ++j) {
        const double v = curve.values[j] - control.values[j];
        d.values[j] = v == 0.0 ? 0.0 : v;
    }
    return d;
}

void JipComparison::build(const MeasurementBuffer &buffer, std::span<const RecordEntry> index, std::span<const int> lines)
{
    m_lines.clear();
    m_lines.reserve(lines.size());
    for (int line : lines) {
        if (line < 0 || size_t(line) >= index.size())
            continue;
        JipLine l;
        l.line = line;
        l.offset = index[size_t(line)].offset;
        l.colour = index[size_t(line)].colour;
        l.set = jipTest(buffer, l.offset);
        l.vt = vtCurve(buffer, l.offset, l.set);
        m_lines.push_back(std::move(l));
    }
    setControl(-1);
}

void JipComparison::setControl(int position)
{
    m_control = position >= 0 && size_t(position) < m_lines.size() ? position : -1;
    const size_t n = m_lines.size();
    m_relative.assign(n, JipValues{});
    m_radar.assign(n, RadarValues{});
    m_delta.assign(n, VtCurve{});
    if (m_control < 0)
        return;
    const JipLine &c = m_lines[size_t(m_control)];
    for (size_t i = 0; i < n; ++i) {
        m_relative[i] = relativeValues(m_lines[i].set, c.set);
        m_radar[i] = radarValues(m_relative[i]);
        m_delta[i] = corvane::deltaVt(m_lines[i].vt, c.vt);
    }
}

} // namespace corvane
