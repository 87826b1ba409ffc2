#include "analysis/curvehelpers.h"
#include "data/timebase.h"
#include "sim/databuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace corvane;

namespace {

struct Record
{
    MeasurementBuffer buffer;
    uint32_t offset = 0;
};

// One record: header, curve block and, when given, a block after it.
Record makeRecord(const HeaderFields &h, const CurveSamples &curve, const ExtensionSamples *ext = nullptr,
                  uint8_t blockAfterMarker = kContinuationMarker)
{
    DataBuilder b;
    Record r;
    r.offset = b.addHeader(h);
    b.addCurve(curve);
    if (ext) {
        if (blockAfterMarker == kContinuationMarker)
            b.addExtension(*ext);
        else
            b.addBlock(blockAfterMarker);
    }
    b.loadInto(r.buffer);
    return r;
}

HeaderFields kind(uint16_t k, uint16_t ojipSeconds = 1)
{
    HeaderFields h;
    h.Kind = k;
    h.OjipSeconds = ojipSeconds;
    return h;
}

} // namespace

TEST(TimeBase, LabelsMillisecondsAndMicroseconds)
{
    const std::pair<int, int> labels[] = {{0, 10},    {29, 300},  {30, 400}, {56, 3000}, {57, 4000}, {63, 10000},
                                          {64, 11},   {83, 30},   {84, 40},  {110, 300}, {111, 400}, {117, 1000}};
    for (auto [j, label] : labels) {
        EXPECT_EQ(TimeLabelTable[size_t(j)], label) << j;
        EXPECT_EQ(timeLabelUnit(j), j < 64 ? "us" : "ms");
    }
    EXPECT_EQ(extensionLabelMs(0), 1100);
    EXPECT_EQ(extensionLabelMs(89), 10000);
    EXPECT_EQ(sampleTimeUs(63), 10000u);
    EXPECT_EQ(sampleTimeUs(64), 11000u);
    EXPECT_EQ(sampleTimeUs(118), 1100000u);
    EXPECT_EQ(sampleTimeUs(207), 10000000u);
    EXPECT_EQ(tailTimeSeconds(0), 2);
    EXPECT_EQ(tailTimeSeconds(8), 10);
    EXPECT_EQ(tailTimeUs(8), 10000000u);
}

TEST(TimeBase, MillisecondTableHoldsTheFloatNearestEachDecimalTime)
{
    EXPECT_EQ(double(TimeMsTable[0]), 0.00999999977648258209228515625);
    for (int j = 0; j < kAllCurveSamples; ++j) {
        // strtof rounds the decimal text itself, independently of how the table is built.
        const QByteArray text = QByteArray::number(sampleTimeUs(j) / 1000) + '.'
            + QByteArray::number(sampleTimeUs(j) % 1000).rightJustified(3, '0');
        EXPECT_EQ(TimeMsTable[size_t(j)], std::strtof(text.constData(), nullptr)) << text.constData();
    }
}

TEST(CurveHelpers, PeakTimeFollowsTheEarliestMaximum)
{
    struct Case { const char *name; std::vector<std::pair<int, uint16_t>> samples; uint32_t tFm; int peak; };
    const Case cases[] = {
        {"all zero", {}, 10, 0},
        {"peak at sample 0", {{0, 5}}, 10, 0},
        {"peak at 1.4 ms", {{40, 900}}, 10, 40},
        {"peak at 10 ms", {{63, 900}}, 10, 63},
        {"peak at 11 ms", {{64, 900}}, 11, 64},
        {"peak at 1 s", {{117, 900}}, 1000, 117},
        {"equal maxima at 20 and 70", {{20, 900}, {70, 900}}, 10, 20},
        {"later higher maximum", {{20, 900}, {70, 901}}, 17, 70},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CurveSamples s{};
        for (auto [j, v] : c.samples)
            s[size_t(j)] = v;
        const Record r = makeRecord(kind(1), s);
        EXPECT_EQ(CalcTFm(r.buffer, r.offset), c.tFm);
        EXPECT_EQ(findPeak(ojipSequence(r.buffer, r.offset)).index, c.peak);
    }
}

TEST(CurveHelpers, ExtensionCountsOnlyForTenSecondOjipRecordsWithAContinuationBlock)
{
    CurveSamples curve{};
    curve[50] = 999;
    ExtensionSamples ext{};
    ext[4] = 1000;  // 1500 ms, above every curve-block sample
    ExtensionSamples equal{};
    equal[4] = 999;
    struct Case { const char *name; HeaderFields h; const ExtensionSamples *ext; uint8_t marker; uint32_t tFm; int count; };
    const Case cases[] = {
        {"OJIP, 10 s", kind(1, 2), &ext, kContinuationMarker, 1500, 208},
        {"OJIP, 1 s", kind(1, 1), &ext, kContinuationMarker, 10, 118},
        {"OJIP, 10 s, next block is a header", kind(1, 2), &ext, kHeaderMarker, 10, 118},
        {"OJIP, 10 s, extension only equals the peak", kind(1, 2), &equal, kContinuationMarker, 10, 208},
        {"pulse-transient", kind(2, 2), &ext, kContinuationMarker, 10, 118},
        {"post-steady-state", kind(3, 2), &ext, kContinuationMarker, 10, 118},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Record r = makeRecord(c.h, curve, c.ext, c.marker);
        EXPECT_EQ(CalcTFm(r.buffer, r.offset), c.tFm);
        EXPECT_EQ(ojipSequence(r.buffer, r.offset).count, c.count);
    }
}

TEST(CurveHelpers, AreaSumsTrapezoidsRoundedOneByOne)
{
    struct Case { const char *name; std::vector<std::pair<int, uint16_t>> samples; uint32_t area; };
    const Case cases[] = {
        {"all zero", {}, 0},
        {"peak at sample 0", {{0, 500}}, 0},
        // h = 50, d = log10 2: 15.05 + 0.5 -> 15.
        {"one trapezoid", {{1, 100}}, 15},
        // h = 100, log10 2 -> 30.6 -> 30; h = 50, log10 1.5 -> 9.3 -> 9.
        {"two trapezoids", {{1, 0}, {2, 100}}, 39},
        // h = 12233: d*h + 0.5 = 3682.99994 in double, 3683 once rounded to float.
        {"float rounding before truncation", {{1, 24466}}, 3683},
        // Three trapezoids of h 30162 (9080 + 5311 + 3768), then h 15081 between
        // 0.04f and 0.05f: 1462 with the stored float times (exact decimal times give 1461).
        {"logarithms of the stored float times",
         {{0, 9838}, {1, 9838}, {2, 9838}, {3, 9838}, {4, 40000}}, 9080 + 5311 + 3768 + 1462},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CurveSamples s{};
        for (auto [j, v] : c.samples)
            s[size_t(j)] = v;
        const Record r = makeRecord(kind(1), s);
        EXPECT_EQ(CalcArea(r.buffer, r.offset), c.area);
    }
}

TEST(CurveHelpers, AreaStopsAtTheFirstOfEqualMaxima)
{
    CurveSamples both{}, first{};
    both[20] = both[70] = 900;
    first[20] = 900;
    const Record r = makeRecord(kind(1), both);
    const Record r20 = makeRecord(kind(1), first);
    EXPECT_GT(CalcArea(r20.buffer, r20.offset), 0u);
    EXPECT_EQ(CalcArea(r.buffer, r.offset), CalcArea(r20.buffer, r20.offset));
}

TEST(CurveHelpers, AreaRunsIntoTheExtensionUpToItsPeak)
{
    ExtensionSamples ext{};
    ext[4] = 1000;
    const Record r = makeRecord(kind(1, 2), CurveSamples{}, &ext);
    // 122 trapezoids: 121 of h 1000 (the one from 1000 ms to 1100 ms gives
    // 1000 log10 1.1 + 0.5 -> 41) and the last of h 500.
    EXPECT_EQ(CalcArea(r.buffer, r.offset), 5153u);
    const Record oneSecond = makeRecord(kind(1, 1), CurveSamples{}, &ext);
    EXPECT_EQ(CalcArea(oneSecond.buffer, oneSecond.offset), 0u);
}

TEST(CurveHelpers, MoUsesTheSampleAt300usAndTheHeaderF0AndFm)
{
    struct Case { const char *name; uint16_t F0, Fm, s29; float mo; };
    const Case cases[] = {
        {"ordinary", 500, 2500, 800, 0.6f},
        {"sample above Fm", 500, 1000, 1500, 8.0f},
        {"sample equal to F0", 500, 2500, 500, 0.0f},
        {"Fm equal to F0", 500, 500, 800, 0.0f},
        {"sample below F0", 500, 2500, 499, 0.0f},
        {"largest", 0, 1, 65535, 262140.0f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HeaderFields h = kind(1);
        h.F0 = c.F0;
        h.Fm = c.Fm;
        CurveSamples s{};
        s[29] = c.s29;
        s[30] = 60000;  // the neighbouring sample must not be read
        const Record r = makeRecord(h, s);
        EXPECT_EQ(CalcMo(r.buffer, r.offset), c.mo);
    }
}
