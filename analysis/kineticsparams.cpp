#include "analysis/kineticsparams.h"

#include "analysis/numberformat.h"

namespace corvane {

namespace {

const QByteArray kNotApplicable = QByteArrayLiteral("----");
const QByteArray kErr = QByteArrayLiteral("Err");
// "次" in GBK.
const QByteArray kTimes = QByteArrayLiteral("\xb4\xce");

// The quotients of 16-bit counts are exact in double and the run of equal bits in
// such a quotient is too short for double rounding, so rounding the double quotient
// to float gives the correctly rounded single-precision value.
float singleQuotient(uint32_t num, uint32_t den)
{
    return float(double(num) / double(den));
}

QByteArray quotientText(std::optional<float> v)
{
    return v ? formatFixed(*v, 3) : kErr;
}

} // namespace

float frSeconds(uint16_t FrTime)
{
    return float(double(FrTime) * 0.1);
}

std::optional<float> qP(uint16_t FmP, uint16_t Fs, uint16_t F0P)
{
    if (FmP < Fs || FmP <= F0P)
        return std::nullopt;
    return singleQuotient(uint32_t(FmP - Fs), uint32_t(FmP - F0P));
}

std::optional<float> qN(uint16_t FmP, uint16_t F0P, uint16_t Fm, uint16_t F0)
{
    if (FmP < F0P || Fm <= F0)
        return std::nullopt;
    const float r = singleQuotient(uint32_t(FmP - F0P), uint32_t(Fm - F0));
    return float(1.0 - double(r));
}

std::optional<float> phiPSII(uint16_t FmP, uint16_t Fs)
{
    if (FmP < Fs || FmP == 0)
        return std::nullopt;
    return singleQuotient(uint32_t(FmP - Fs), FmP);
}

std::array<QByteArray, kSettingsTextCount> settingsTexts(const RecordHeader &h)
{
    const QByteArray al = decimalText(h.AlTime());
    const QByteArray alWithSeconds = al + '(' + decimalText(h.OjipSeconds()) + ')';
    switch (h.Kind()) {
    case uint16_t(Kind::Ojip):
        return {kNotApplicable, alWithSeconds, decimalText(h.Total()), kNotApplicable, kNotApplicable};
    case uint16_t(Kind::PulseTransient):
        return {decimalText(h.SlTime()) + "(1)", al + "(9)", decimalText(h.Total()),
                formatFixed(frSeconds(h.FrTime()), 1), decimalText(h.DarkTime())};
    case uint16_t(Kind::PostSteadyState):
        return {decimalText(h.SlTime()) + "(1)", alWithSeconds, decimalText(h.Total()) + kTimes,
                formatFixed(frSeconds(h.FrTime()), 1), decimalText(h.DarkTime())};
    default:
        return {};
    }
}

std::array<QByteArray, kQuenchingTextCount> quenchingTexts(const RecordHeader &h)
{
    switch (h.Kind()) {
    case uint16_t(Kind::Ojip):
    case uint16_t(Kind::PostSteadyState):
        return {kNotApplicable, kNotApplicable, kNotApplicable, kNotApplicable, kNotApplicable, kNotApplicable};
    case uint16_t(Kind::PulseTransient):
        return {decimalText(h.F0P()),
                decimalText(h.FmP()),
                decimalText(h.Fs()),
                quotientText(qP(h.FmP(), h.Fs(), h.F0P())),
                quotientText(qN(h.FmP(), h.F0P(), h.Fm(), h.F0())),
                quotientText(phiPSII(h.FmP(), h.Fs()))};
    default:
        return {};
    }
}

} // namespace corvane
