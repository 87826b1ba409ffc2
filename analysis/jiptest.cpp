#include "analysis/jiptest.h"

#include "analysis/curvehelpers.h"
#include "data/timebase.h"
#include "data/record.h"

#include <cmath>

namespace corvane {

namespace {

using P = JipParam;
using Value = std::optional<double>;

constexpr std::array<JipParamInfo, kJipParams> kInfo = {{
    {"F0", "F0_counts", "counts"},
    {"Fj", "Fj_counts", "counts"},
    {"Fi", "Fi_counts", "counts"},
    {"Fm", "Fm_counts", "counts"},
    {"F20us", "F20us_counts", "counts"},
    {"FK", "FK_counts", "counts"},
    {"tFm", "tFm_ms", "ms"},
    {"Fv", "Fv_counts", "counts"},
    {"Fv/Fm", "Fv_Fm", ""},
    {"Fv/F0", "Fv_F0", ""},
    {"Vj", "Vj", ""},
    {"Vi", "Vi", ""},
    {"Mo", "Mo_per_ms", "1/ms"},
    {"WK", "WK", ""},
    {"Area", "Area_ms", "counts*ms"},
    {"Sm", "Sm_ms", "ms"},
    {"N", "N", ""},
    {"Ss", "Ss_ms", "ms"},
    {"phiPo", "phiPo", ""},
    {"psiEo", "psiEo", ""},
    {"phiEo", "phiEo", ""},
    {"phiDo", "phiDo", ""},
    {"deltaRo", "deltaRo", ""},
    {"phiRo", "phiRo", ""},
    {"ABS/RC", "ABS_RC_per_ms", "1/ms"},
    {"TRo/RC", "TRo_RC_per_ms", "1/ms"},
    {"ETo/RC", "ETo_RC_per_ms", "1/ms"},
    {"DIo/RC", "DIo_RC_per_ms", "1/ms"},
    {"REo/RC", "REo_RC_per_ms", "1/ms"},
    {"ABS/CSo", "ABS_CSo_counts", "counts"},
    {"TRo/CSo", "TRo_CSo_counts", "counts"},
    {"ETo/CSo", "ETo_CSo_counts", "counts"},
    {"DIo/CSo", "DIo_CSo_counts", "counts"},
    {"RC/CSo", "RC_CSo_counts", "counts"},
    {"PIabs", "PIabs", ""},
    {"PItotal", "PItotal", ""},
}};

constexpr int kSampleF20us = 1;
constexpr int kSampleF300us = 29;

// a / b, absent when either is absent or b is 0.
Value ratio(Value a, Value b)
{
    if (!a || !b || *b == 0.0)
        return std::nullopt;
    return *a / *b;
}

Value times(Value a, Value b)
{
    if (!a || !b)
        return std::nullopt;
    return *a * *b;
}

Value minus(Value a, Value b)
{
    if (!a || !b)
        return std::nullopt;
    return *a - *b;
}

Value oneMinus(Value a)
{
    return minus(1.0, a);
}

// Linear-time complementary area up to the peak, sample times exact in ms.
double complementaryArea(const OjipSequence &seq, const Peak &peak, double fm)
{
    double area = 0.0;
    for (int j = 0; j < peak.index; ++j) {
        const double dt = double(sampleTimeUs(j + 1) - sampleTimeUs(j)) / 1000.0;
        area += ((fm - seq.s[size_t(j)]) + (fm - seq.s[size_t(j + 1)])) * 0.5 * dt;
    }
    return area;
}

} // namespace

std::span<const JipParamInfo> jipParamInfo()
{
    return kInfo;
}

JipInputs jipInputs(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader h(buffer, headerOffset);
    JipInputs in;
    in.F0 = h.F0();
    in.Fj = h.Fj();
    in.Fi = h.Fi();
    in.Fm = h.Fm();
    if (h.Kind() == Kind::PulseTransient)
        in.quenching = JipInputs::Quenching{double(h.FmP()), double(h.Fs()), double(h.F0P())};
    // Without a continuation block behind the header, the next block belongs to
    // another record (or to nothing): never read it as a curve.
    if (!h.hasCurve()) {
        in.noCurve = true;
        return in;
    }
    const OjipSequence seq = ojipSequence(buffer, headerOffset);
    const Peak peak = findPeak(seq);
    in.F20us = seq.s[kSampleF20us];
    in.FK = seq.s[kSampleF300us];
    in.tFmMs = double(sampleTimeUs(peak.index)) / 1000.0;
    in.areaMs = complementaryArea(seq, peak, in.Fm);
    in.peakAtLastSample = peak.index == seq.count - 1;
    for (int j = 0; j < seq.count; ++j)
        in.overflow = in.overflow || seq.s[size_t(j)] == 0xFFFF;
    return in;
}

JipSet jipFromInputs(const JipInputs &in)
{
    JipSet r;
    auto &v = r.values;
    auto set = [&v](P p, Value x) { v[size_t(p)] = x; };
    auto get = [&v](P p) { return v[size_t(p)]; };

    const bool variable = in.Fm > in.F0;
    set(P::F0, in.F0);
    set(P::Fj, in.Fj);
    set(P::Fi, in.Fi);
    set(P::Fm, in.Fm);
    set(P::F20us, in.F20us);
    set(P::FK, in.FK);
    set(P::tFm, in.tFmMs);
    set(P::Fv, in.Fm - in.F0);
    // Every value built on Fv needs a positive Fv: a negative one gives numbers from garbage.
    const Value fv = variable ? Value(in.Fm - in.F0) : std::nullopt;
    // Fv/Fm = (Fm − F0)/Fm
    set(P::FvFm, ratio(fv, in.Fm));
    // Fv/F0 = (Fm − F0)/F0
    set(P::FvF0, ratio(fv, in.F0));
    // Vj = (Fj − F0)/Fv, Vi = (Fi − F0)/Fv: relative variable fluorescence at 2 ms and 30 ms
    set(P::Vj, ratio(in.Fj - in.F0, fv));
    set(P::Vi, ratio(in.Fi - in.F0, fv));
    // Mo = 4·(FK − F0)/Fv, ms⁻¹: initial slope of V(t) between 50 µs and 300 µs
    set(P::Mo, ratio(times(4.0, minus(in.FK, in.F0)), fv));
    // WK = (FK − F0)/(Fj − F0)
    set(P::WK, ratio(minus(in.FK, in.F0), in.Fj - in.F0));
    // Area = ∫(Fm − F(t)) dt, linear time in ms, first sample to tFm
    set(P::Area, in.areaMs);
    // Sm = Area/Fv: normalised complementary area (ms)
    set(P::Sm, ratio(in.areaMs, fv));
    // N = Sm·Mo/Vj: turnovers of QA up to tFm
    set(P::N, ratio(times(get(P::Sm), get(P::Mo)), get(P::Vj)));
    // Ss = Vj/Mo: normalised area of a single turnover (ms)
    set(P::Ss, ratio(get(P::Vj), get(P::Mo)));
    // φPo = 1 − F0/Fm, φDo = F0/Fm (both need Fm above F0, so φPo + φDo = 1 whenever shown)
    set(P::PhiPo, variable ? oneMinus(ratio(in.F0, in.Fm)) : std::nullopt);
    set(P::PhiDo, variable ? ratio(in.F0, in.Fm) : std::nullopt);
    // ψEo = 1 − Vj; φEo = φPo·ψEo; δRo = (1 − Vi)/(1 − Vj); φRo = φPo·(1 − Vi)
    set(P::PsiEo, oneMinus(get(P::Vj)));
    set(P::PhiEo, times(get(P::PhiPo), get(P::PsiEo)));
    set(P::DeltaRo, ratio(oneMinus(get(P::Vi)), oneMinus(get(P::Vj))));
    set(P::PhiRo, times(get(P::PhiPo), oneMinus(get(P::Vi))));
    // Specific fluxes per reaction centre (ms⁻¹): TRo/RC = Mo/Vj, ABS/RC = (Mo/Vj)/φPo,
    // ETo/RC = (Mo/Vj)·ψEo, DIo/RC = ABS/RC − TRo/RC, REo/RC = (Mo/Vj)·(1 − Vi)
    const Value trRc = ratio(get(P::Mo), get(P::Vj));
    set(P::TRoRC, trRc);
    set(P::AbsRC, ratio(trRc, get(P::PhiPo)));
    set(P::EToRC, times(trRc, get(P::PsiEo)));
    set(P::DIoRC, minus(get(P::AbsRC), trRc));
    set(P::REoRC, times(trRc, oneMinus(get(P::Vi))));
    // Phenomenological fluxes per cross section, taking ABS/CSo = F0
    set(P::AbsCSo, in.F0);
    set(P::TRoCSo, times(get(P::PhiPo), in.F0));
    set(P::EToCSo, times(get(P::PhiEo), in.F0));
    set(P::DIoCSo, minus(in.F0, get(P::TRoCSo)));
    // RC/CSo = φPo·(Vj/Mo)·F0
    set(P::RCCSo, times(times(get(P::PhiPo), get(P::Ss)), in.F0));
    // PIabs = (RC/ABS)·[φPo/(1 − φPo)]·[ψEo/(1 − ψEo)], RC/ABS = φPo·Vj/Mo
    const Value rcAbs = times(get(P::PhiPo), get(P::Ss));
    set(P::PIabs, times(times(rcAbs, ratio(get(P::PhiPo), oneMinus(get(P::PhiPo)))),
                        ratio(get(P::PsiEo), oneMinus(get(P::PsiEo)))));
    // PItotal = PIabs·δRo/(1 − δRo)
    set(P::PItotal, times(get(P::PIabs), ratio(get(P::DeltaRo), oneMinus(get(P::DeltaRo)))));

    // Products of huge quotients could still overflow; no inf or nan leaves this function.
    for (Value &x : v)
        if (x && !std::isfinite(*x))
            x.reset();
        else if (x && *x == 0.0)
            x = 0.0;  // no "-0" in the files

    QualityFlags &f = r.flags;
    if (!variable)
        f.raise(QualityFlag::FmNotAboveF0);
    if (!(in.F0 <= in.Fj && in.Fj <= in.Fi && in.Fi <= in.Fm))
        f.raise(QualityFlag::StepsOutOfOrder);
    if (in.peakAtLastSample)
        f.raise(QualityFlag::PeakAtLastSample);
    if (in.overflow)
        f.raise(QualityFlag::Overflow);
    if (in.FK && *in.FK < in.F0)
        f.raise(QualityFlag::FkBelowF0);
    if (in.F20us && std::fabs(*in.F20us - in.F0) > 0.1 * in.F0)
        f.raise(QualityFlag::F0Deviates);
    if (in.quenching) {
        const JipInputs::Quenching &q = *in.quenching;
        // qN = 1 − (Fm' − F0')/(Fm − F0); ΦPSII = (Fm' − Fs)/Fm'
        if (variable && 1.0 - (q.FmP - q.F0P) / (in.Fm - in.F0) < 0.0)
            f.raise(QualityFlag::NegativeQn);
        if (q.FmP > 0 && (q.FmP - q.Fs) / q.FmP < 0.0)
            f.raise(QualityFlag::NegativePhiPsii);
        if (q.FmP > in.Fm)
            f.raise(QualityFlag::FmPAboveFm);
    }
    if (in.noCurve)
        f.raise(QualityFlag::NoCurve);
    for (const Value &x : v)
        if (!x) {
            f.raise(QualityFlag::Absent);
            break;
        }
    return r;
}

JipSet jipTest(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    return jipFromInputs(jipInputs(buffer, headerOffset));
}

} // namespace corvane
