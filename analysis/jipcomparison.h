#pragma once
// What the JIP page and `corvane-cli plot --view` show, computed once per list of ticked
// lines: each line's JIP-test set and Vt curve, and, against a chosen control, the
// relative values, ΔVt and the radar's axes. No widget, no painting.
//
// Conventions:
// - Vt(t) = (F(t) − F0)/(Fm − F0) with F0 and Fm the stored header values (the JIP set's
//   own), on the instrument's time base, over the samples the JIP-test reads (118, or
//   208 for a 10-s OJIP record). Absent when Fm ≤ F0 or the record has no curve.
// - ΔVt = Vt − Vt(control), sample by sample over the samples both curves have.
// - A relative value is value / control value; absent when either is absent or the
//   control value is 0. Never inf or nan.
#include "analysis/jiptest.h"
#include "data/recordindex.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace corvane {

// One normalised curve: sample j at sampleTimeUs(j). Empty when absent.
struct VtCurve
{
    std::vector<double> values;
    bool absent() const { return values.empty(); }
};

// The OJIP steps marked on the normalised curves.
struct OjipMarker
{
    char letter;    // 'O', 'K', 'J', 'I', 'P'
    double timeUs;
};
inline constexpr std::array<OjipMarker, 4> kFixedOjipMarkers = {{
    {'O', 20}, {'K', 300}, {'J', 2000}, {'I', 30000},
}};

// O, K, J, I at their fixed times and P at the set's tFm; P left out when tFm is absent.
std::vector<OjipMarker> ojipMarkers(const JipSet &set);

// The radar's axes, in drawing order (clockwise from the top).
inline constexpr std::array<JipParam, 11> kRadarParams = {
    JipParam::PhiPo, JipParam::PsiEo, JipParam::PhiEo, JipParam::DeltaRo,
    JipParam::AbsRC, JipParam::TRoRC, JipParam::EToRC, JipParam::DIoRC,
    JipParam::RCCSo, JipParam::PIabs, JipParam::PItotal,
};
using RadarValues = std::array<std::optional<double>, kRadarParams.size()>;
using JipValues = std::array<std::optional<double>, kJipParams>;

// value / control, absent when either is absent, the control is 0 or the quotient is not finite.
std::optional<double> relativeValue(const std::optional<double> &value, const std::optional<double> &control);
JipValues relativeValues(const JipSet &set, const JipSet &control);
// The radar's axes picked from the relative values.
RadarValues radarValues(const JipValues &relative);

// Vt from the set's F0 and Fm and the record's samples; `set` is jipTest() of that record.
VtCurve vtCurve(const MeasurementBuffer &buffer, uint32_t headerOffset, const JipSet &set);
VtCurve deltaVt(const VtCurve &curve, const VtCurve &control);

struct JipLine
{
    int line = 0;         // list index, from 0
    uint32_t offset = 0;  // header block
    uint32_t colour = 0;  // the line's tick colour
    JipSet set;
    VtCurve vt;
};

class JipComparison
{
public:
    // The ticked lines (list indexes, in list order) with their colours from the index.
    void build(const MeasurementBuffer &buffer, std::span<const RecordEntry> index, std::span<const int> lines);

    // The control as a position in lines() (-1: none). Only the derived views change.
    void setControl(int position);
    int control() const { return m_control; }
    bool hasControl() const { return m_control >= 0; }

    const std::vector<JipLine> &lines() const { return m_lines; }
    // Against the control; all absent without one.
    const std::vector<JipValues> &relative() const { return m_relative; }
    const std::vector<VtCurve> &deltaVt() const { return m_delta; }
    const std::vector<RadarValues> &radar() const { return m_radar; }

private:
    std::vector<JipLine> m_lines;
    std::vector<JipValues> m_relative;
    std::vector<VtCurve> m_delta;
    std::vector<RadarValues> m_radar;
    int m_control = -1;
};

} // namespace corvane
