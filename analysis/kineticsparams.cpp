#include "analysis/kineticsparams.h"

#include "analysis/numberformat.h"
#include "analysis/tablerowwriter.h"

namespace corvane {

namespace {

constexpr QByteArrayView kNotApplicable = "----";
// "次" in GBK.
constexpr QByteArrayView kTimes = "\xb4\xce";

// The quotients of 16-bit counts are exact in double and the run of equal bits in
// such a quotient is too short for double rounding, so rounding the double quotient
// to float gives the correctly rounded single-precision value.
float singleQuotient(uint32_t num, uint32_t den)
{
    return float(double(num) / double(den));
}

void addQuotient(TableRowWriter &row, std::optional<float> v)
{
    if (v)
        row.addFixed(*v, 3);
    else
        row.add("Err");
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

void addSettingsCells(TableRowWriter &row, const RecordHeader &h)
{
    const Kind kind = h.Kind();
    if (!isValidKind(kind))
        return;
    auto withSuffix = [&](uint32_t value, QByteArrayView suffix) {
        QByteArray &cell = row.open();
        appendDecimal(cell, value);
        cell += suffix;
        row.close();
    };
    auto alWithSeconds = [&] {
        QByteArray &cell = row.open();
        appendDecimal(cell, h.AlTime());
        cell += '(';
        appendDecimal(cell, h.OjipSeconds());
        cell += ')';
        row.close();
    };
    if (kind == Kind::Ojip) {
        row.add(kNotApplicable);
        alWithSeconds();
        row.addNumber(h.Total());
        row.add(kNotApplicable);
        row.add(kNotApplicable);
        return;
    }
    withSuffix(h.SlTime(), "(1)");
    if (kind == Kind::PulseTransient) {
        withSuffix(h.AlTime(), "(9)");
        row.addNumber(h.Total());
    } else {
        alWithSeconds();
        withSuffix(h.Total(), kTimes);
    }
    row.addFixed(frSeconds(h.FrTime()), 1);
    row.addNumber(h.DarkTime());
}

void addQuenchingCells(TableRowWriter &row, const RecordHeader &h)
{
    switch (h.Kind()) {
    case Kind::Ojip:
    case Kind::PostSteadyState:
        for (int c = 0; c < 6; ++c)
            row.add(kNotApplicable);
        return;
    case Kind::PulseTransient:
        row.addNumber(h.F0P());
        row.addNumber(h.FmP());
        row.addNumber(h.Fs());
        addQuotient(row, qP(h.FmP(), h.Fs(), h.F0P()));
        addQuotient(row, qN(h.FmP(), h.F0P(), h.Fm(), h.F0()));
        addQuotient(row, phiPSII(h.FmP(), h.Fs()));
        return;
    default:
        return;
    }
}

} // namespace corvane
