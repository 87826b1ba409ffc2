#pragma once
// The JIP-test of a measurement's first OJIP curve (Strasser et al. 2004; Stirbet &
// Govindjee 2011), in double precision, beside the table's own values.
//
// Conventions:
// - F0, Fj, Fi, Fm are the header values the instrument stored; FK = F300µs (sample 29)
//   and F20µs (sample 1) come from the curve. J is fixed at 2 ms, I at 30 ms.
// - The curve is the sequence the table searches (118 samples, plus the 90 extension
//   samples of a 10-s OJIP record); a record whose header is not followed by a
//   continuation block has no curve.
// - Area = ∫(Fm − F(t)) dt on a linear time axis in ms, by trapezoids on the sample
//   times from the first sample to tFm, the time of the curve's (earliest) maximum.
// - A value is absent (never inf or nan) when a denominator is 0, when it is built on
//   Fv and Fm is not above F0, or when it needs the curve and there is none.
#include "analysis/qualityflags.h"
#include "data/measurementbuffer.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace corvane {

enum class JipParam : uint8_t {
    F0, Fj, Fi, Fm, F20us, FK, tFm,
    Fv, FvFm, FvF0, Vj, Vi, Mo, WK,
    Area, Sm, N, Ss,
    PhiPo, PsiEo, PhiEo, PhiDo, DeltaRo, PhiRo,
    AbsRC, TRoRC, EToRC, DIoRC, REoRC,
    AbsCSo, TRoCSo, EToCSo, DIoCSo, RCCSo,
    PIabs, PItotal,
    Count
};
inline constexpr int kJipParams = int(JipParam::Count);

struct JipParamInfo
{
    std::string_view name;    // "Mo", "ABS/RC", "phiPo"
    std::string_view column;  // wide header with unit: "Mo_per_ms"
    std::string_view unit;    // "1/ms", "ms", "counts", "" for a pure number
};
// In JipParam order.
std::span<const JipParamInfo> jipParamInfo();

// What the formulas read. Curve-based inputs are empty when the record has no curve.
struct JipInputs
{
    double F0 = 0, Fj = 0, Fi = 0, Fm = 0;
    std::optional<double> F20us, FK, areaMs, tFmMs;
    bool peakAtLastSample = false;
    bool overflow = false;
    bool noCurve = false;
    // Pulse-transient records only: Fm', Fs, F0'.
    struct Quenching { double FmP = 0, Fs = 0, F0P = 0; };
    std::optional<Quenching> quenching;
};

struct JipSet
{
    std::array<std::optional<double>, kJipParams> values{};
    QualityFlags flags;
    const std::optional<double> &operator[](JipParam p) const { return values[size_t(p)]; }
};

// The formulas and flags from already gathered inputs.
JipSet jipFromInputs(const JipInputs &in);

// The inputs of the record whose header block is at headerOffset.
JipInputs jipInputs(const MeasurementBuffer &buffer, uint32_t headerOffset);

// The JIP-test set and flags of the record whose header block is at headerOffset. Reads
// only that record's blocks; any bytes give a set.
JipSet jipTest(const MeasurementBuffer &buffer, uint32_t headerOffset);

} // namespace corvane
