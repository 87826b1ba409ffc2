#include "analysis/qualityflags.h"

#include <array>

namespace corvane {

namespace {

constexpr std::array<QualityFlagInfo, 11> kLegend = {{
    {QualityFlag::FmNotAboveF0, "FM<=F0", "Fm is not above F0: no variable fluorescence"},
    {QualityFlag::StepsOutOfOrder, "ORDER", "the steps are not in order F0 <= Fj <= Fi <= Fm"},
    {QualityFlag::PeakAtLastSample, "SAT", "the curve peaks at its last sample (1 s or 10 s): the pulse may not have saturated"},
    {QualityFlag::Overflow, "OVF", "a sample of the curve is 65535: detector overflow"},
    {QualityFlag::FkBelowF0, "FK<F0", "F300us (FK) on the curve is below F0"},
    {QualityFlag::F0Deviates, "F0DEV", "F20us on the curve is more than 10 % away from the stored F0"},
    {QualityFlag::NegativeQn, "QN<0", "pulse-transient: qN is negative (Fm' - F0' above Fm - F0)"},
    {QualityFlag::NegativePhiPsii, "PHI<0", "pulse-transient: PhiPSII is negative (Fs above Fm')"},
    {QualityFlag::FmPAboveFm, "FMP>FM", "pulse-transient: Fm' is above Fm"},
    {QualityFlag::NoCurve, "NOCURVE", "no curve block follows the header: curve-based values are absent"},
    {QualityFlag::Absent, "ABSENT", "at least one value is absent (zero denominator or meaningless input)"},
}};

} // namespace

std::span<const QualityFlagInfo> qualityFlagLegend()
{
    return kLegend;
}

std::string qualityFlagCodes(QualityFlags flags)
{
    std::string out;
    for (const QualityFlagInfo &i : kLegend) {
        if (!flags.has(i.flag))
            continue;
        if (!out.empty())
            out += ';';
        out += i.code;
    }
    return out;
}

} // namespace corvane
