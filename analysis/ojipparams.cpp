#include "analysis/ojipparams.h"

#include "analysis/curvehelpers.h"
#include "analysis/tablerowwriter.h"
#include "data/record.h"

namespace corvane {

std::optional<float> fvFm(uint16_t F0, uint16_t Fm)
{
    if (Fm == 0)
        return std::nullopt;
    const uint32_t v = Fm > F0 ? uint32_t(Fm - F0) : 0u;
    return float(double(v) / double(Fm));
}

void addOjipCells(TableRowWriter &row, const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader h(buffer, headerOffset);
    const std::optional<float> ratio = fvFm(h.F0(), h.Fm());
    const OjipSequence seq = ojipSequence(buffer, headerOffset);
    const Peak peak = findPeak(seq);
    row.addNumber(h.F0());
    row.addNumber(h.Fj());
    row.addNumber(h.Fi());
    row.addNumber(h.Fm());
    if (ratio)
        row.addFixed(*ratio, 2);
    else
        row.add("Err");
    // Without a curve there is nothing to measure tFm, Area and Mo on.
    if (!h.hasCurve()) {
        for (int i = 0; i < 3; ++i)
            row.add("----");
        return;
    }
    row.addNumber(peakTimeMs(peak));
    row.addNumber(logTimeArea(seq, peak));
    row.addFixed(CalcMo(buffer, headerOffset), 2);
}

} // namespace corvane
