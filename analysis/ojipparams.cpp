#include "analysis/ojipparams.h"

#include "analysis/curvehelpers.h"
#include "analysis/numberformat.h"
#include "data/record.h"

namespace corvane {

std::optional<float> fvFm(uint16_t F0, uint16_t Fm)
{
    if (Fm == 0)
        return std::nullopt;
    const uint32_t v = Fm > F0 ? uint32_t(Fm - F0) : 0u;
    return float(double(v) / double(Fm));
}

std::array<QByteArray, kOjipTextCount> ojipParameterTexts(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader h(buffer, headerOffset);
    const std::optional<float> ratio = fvFm(h.F0(), h.Fm());
    return {
        decimalText(h.F0()),
        decimalText(h.Fj()),
        decimalText(h.Fi()),
        decimalText(h.Fm()),
        ratio ? formatFixed(*ratio, 2) : QByteArrayLiteral("Err"),
        decimalText(CalcTFm(buffer, headerOffset)),
        decimalText(CalcArea(buffer, headerOffset)),
        formatFixed(CalcMo(buffer, headerOffset), 2),
    };
}

} // namespace corvane
