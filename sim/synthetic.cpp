#include "sim/synthetic.h"

#include "data/timebase.h"
#include "data/gbk.h"
#include "data/record.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

uint16_t clampSample(double v)
{
    return uint16_t(std::clamp(std::lround(v), 0L, 65535L));
}

double ojipAt(const OjipShape &s, double ms)
{
    const double rise = s.F0 + (s.Fj - s.F0) * (1 - std::exp(-ms / 0.6))
        + (s.Fi - s.Fj) * (1 - std::exp(-ms / 8.0)) + (s.Fm - s.Fi) * (1 - std::exp(-ms / 70.0));
    // Past the P step the fluorescence relaxes slowly as photochemistry takes over.
    const double decline = ms > 300 ? 0.25 * (s.Fm - s.F0) * (1 - std::exp(-(ms - 300) / 4000.0)) : 0.0;
    return rise - decline;
}

HeaderFields withShape(HeaderFields h, const OjipShape &s)
{
    h.F0 = clampSample(s.F0);
    h.Fj = clampSample(ojipAt(s, 2.0));
    h.Fi = clampSample(ojipAt(s, 30.0));
    h.Fm = clampSample(s.Fm);
    return h;
}

// The fluorescence of a light-adapted leaf after `cycle` pulses: quenched steadily.
OjipShape quenched(const OjipShape &s, int cycle)
{
    const double q = 1.0 - 0.35 * (1 - std::exp(-cycle / 3.0));
    return {s.F0 * (0.85 + 0.15 * q), s.Fj * q, s.Fi * q, s.Fm * q};
}

// The light-adapted values the instrument records after the last cycle.
HeaderFields withQuenching(HeaderFields h, const OjipShape &s, int cycles)
{
    const OjipShape last = quenched(s, cycles - 1);
    h.FmP = clampSample(last.Fm);
    h.F0P = clampSample(last.F0);
    h.Fs = clampSample(last.F0 * 1.3);
    return h;
}

} // namespace

CurveSamples ojipCurve(const OjipShape &s)
{
    CurveSamples c{};
    for (int j = 0; j < kCurveSamples; ++j)
        c[size_t(j)] = clampSample(ojipAt(s, double(sampleTimeUs(j)) / 1000.0));
    return c;
}

ExtensionSamples ojipExtension(const OjipShape &s)
{
    ExtensionSamples e{};
    for (int k = 0; k < kExtensionSamples; ++k)
        e[size_t(k)] = clampSample(ojipAt(s, double(sampleTimeUs(kCurveSamples + k)) / 1000.0));
    return e;
}

uint32_t addOjipRecord(DataBuilder &b, HeaderFields h, const OjipShape &s, bool tenSeconds)
{
    h.Kind = 1;
    h.OjipSeconds = tenSeconds ? 10 : 1;
    const uint32_t off = b.addHeader(withShape(h, s));
    b.addCurve(ojipCurve(s));
    if (tenSeconds)
        b.addExtension(ojipExtension(s));
    return off;
}

uint32_t addPulseTransientRecord(DataBuilder &b, HeaderFields h, const OjipShape &s, int cycles)
{
    h.Kind = 2;
    h.Total = uint16_t(cycles * 10);
    const uint32_t off = b.addHeader(withQuenching(withShape(h, s), s, cycles));
    for (int c = 0; c < cycles; ++c) {
        const OjipShape q = quenched(s, c);
        TailSamples tail{};
        // Between pulses the fluorescence settles towards the steady state.
        for (int k = 0; k < kTailSamples; ++k)
            tail[size_t(k)] = clampSample(q.F0 * 1.3 + (q.Fi - q.F0 * 1.3) * std::exp(-(k + 2) / 3.0));
        b.addCurve(ojipCurve(q), tail);
    }
    return off;
}

uint32_t addPostSteadyStateRecord(DataBuilder &b, HeaderFields h, const OjipShape &s, int cycles, uint16_t ojipSeconds)
{
    h.Kind = 3;
    h.Total = uint16_t(cycles);
    h.OjipSeconds = ojipSeconds;
    const uint32_t off = b.addHeader(withQuenching(withShape(h, s), s, cycles));
    for (int c = 0; c < cycles; ++c) {
        // P700 reflection: A before the pulse, B at its end, C after the far-red light.
        const TailSamples p700{uint16_t(800 + 6 * c), uint16_t(2000 - 5 * c), uint16_t(940 + 3 * c)};
        b.addCurve(ojipCurve(quenched(s, c)), p700);
    }
    if (ojipSeconds > 0) {
        for (int c = 0; c + 1 < cycles; ++c) {
            const OjipShape al = quenched({s.F0 * 1.2, s.Fj * 0.8, s.Fi * 0.7, s.Fm * 0.6}, c);
            b.addCurve(ojipCurve(al));
            if (ojipSeconds > 1)
                b.addExtension(ojipExtension(al));
        }
    }
    return off;
}

DataBuilder demoData()
{
    DataBuilder b;
    HeaderFields h;
    h.DarkTime = 900;
    h.FrTime = 50;
    h.IrLevel = 3;

    h.Name = toGbk(QStringLiteral("玉米"));
    h.Number = 1;
    addOjipRecord(b, h, {420, 980, 1500, 2100}, false);
    h.Number = 2;
    h.Minute = 12;
    addOjipRecord(b, h, {380, 870, 1350, 1900}, true);
    h.Name = "WHEAT";
    h.Number = 3;
    h.Hour = 10;
    addOjipRecord(b, h, {450, 1100, 1700, 2400}, true);

    h.Name = toGbk(QStringLiteral("水稻"));
    h.Number = 4;
    h.SlTime = 1;
    h.AlTime = 10;
    h.Hour = 11;
    addPulseTransientRecord(b, h, {400, 950, 1450, 2050}, 12);
    h.Name = "SOY";
    h.Number = 5;
    addPulseTransientRecord(b, h, {430, 990, 1500, 2200}, 6);

    h.Name = toGbk(QStringLiteral("拟南芥"));
    h.Number = 6;
    h.Hour = 14;
    h.AlTime = 60;
    addPostSteadyStateRecord(b, h, {410, 960, 1480, 2080}, 5, 10);
    h.Name = "ARABID01";
    h.Number = 7;
    addPostSteadyStateRecord(b, h, {390, 900, 1400, 1950}, 4, 1);
    return b;
}

DataBuilder bulkData(int records)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = "BULK";
    for (int i = 0; i < records; ++i) {
        h.Number = uint16_t(i + 1);
        const OjipShape s{400.0 + i % 50, 900.0 + i % 70, 1400.0 + i % 90, 2000.0 + i % 110};
        switch (i % 3) {
        case 0: addOjipRecord(b, h, s, true); break;
        case 1: addPulseTransientRecord(b, h, s, 2); break;
        default: addPostSteadyStateRecord(b, h, s, 2, 0); break;
        }
    }
    return b;
}

DataBuilder singleRecordData(int kind)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = "SEED";
    h.DarkTime = 900;
    h.FrTime = 50;
    const OjipShape s;
    switch (kind) {
    case 2: addPulseTransientRecord(b, h, s, 3); break;
    case 3: addPostSteadyStateRecord(b, h, s, 3, 2); break;
    default: addOjipRecord(b, h, s, true); break;
    }
    return b;
}

DataBuilder fullBufferData()
{
    // Three blocks per bulk record; two OJIP records without the 10 s extension
    // (two blocks each) make up the rest exactly.
    constexpr int bulkRecords = int(kBlockPositions / 3) - 1;
    DataBuilder b = bulkData(bulkRecords);
    HeaderFields h;
    h.Name = "FULL";
    while (b.size() < kBufferSize) {
        if (kBufferSize - b.size() >= 2 * kBlockSize) {
            h.Number = uint16_t(h.Number + 1);
            addOjipRecord(b, h, {}, false);
        } else {
            b.addBlock(kContinuationMarker);
        }
    }
    return b;
}

} // namespace corvane
