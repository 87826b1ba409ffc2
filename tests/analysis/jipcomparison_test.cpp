#include "analysis/jipcomparison.h"
#include "data/timebase.h"
#include "sim/databuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace corvane;

namespace {

using P = JipParam;
using Value = std::optional<double>;

HeaderFields header(uint16_t f0, uint16_t fj, uint16_t fi, uint16_t fm)
{
    HeaderFields h;
    h.F0 = f0;
    h.Fj = fj;
    h.Fi = fi;
    h.Fm = fm;
    return h;
}

// A flat curve at `level` with F20µs and the peak set: Vt is easy to follow by hand.
CurveSamples flatCurve(uint16_t f0, uint16_t fk, uint16_t level, uint16_t fm)
{
    CurveSamples s;
    s.fill(level);
    s[0] = f0;
    s[1] = f0;
    s[29] = fk;
    s[100] = fm;  // 200 ms
    return s;
}

struct File
{
    MeasurementBuffer buffer;
    RecordIndex index{};
    int count = 0;
    uint32_t add(DataBuilder &b, const HeaderFields &h, const CurveSamples *curve)
    {
        const uint32_t off = b.addHeader(h);
        if (curve)
            b.addCurve(*curve);
        index[size_t(count++)] = RecordEntry{off, 0x102030u * uint32_t(count)};
        return off;
    }
};

void expectNear(const Value &v, double expected, const char *what)
{
    ASSERT_TRUE(v.has_value()) << what;
    EXPECT_NEAR(*v, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << what;
}

} // namespace

TEST(JipComparison, RelativeValueGuards)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { const char *what; Value value, control, expected; } cases[] = {
        {"plain quotient", 2.0, 4.0, 0.5},
        {"equal to the control", 3.5, 3.5, 1.0},
        {"negative value", -1.0, 4.0, -0.25},
        {"zero value", 0.0, 5.0, 0.0},
        {"negative zero is written as zero", -0.0, 5.0, 0.0},
        {"value absent", std::nullopt, 4.0, std::nullopt},
        {"control absent", 2.0, std::nullopt, std::nullopt},
        {"control zero", 2.0, 0.0, std::nullopt},
        {"both zero", 0.0, 0.0, std::nullopt},
        {"quotient overflows", 1e308, 1e-308, std::nullopt},
        {"infinite control", 1.0, inf, 0.0},
    };
    for (const Case &c : cases) {
        const Value r = relativeValue(c.value, c.control);
        ASSERT_EQ(r.has_value(), c.expected.has_value()) << c.what;
        if (r) {
            EXPECT_DOUBLE_EQ(*r, *c.expected) << c.what;
            EXPECT_FALSE(std::signbit(*r) && *r == 0.0) << c.what;
        }
    }
}

TEST(JipComparison, VtByHandAndItsAbsentCases)
{
    File f;
    DataBuilder b;
    // F0 500, Fm 2500: Fv 2000; level 1000 → 0.25, FK 800 → 0.15, peak → 1.
    const CurveSamples clean = flatCurve(500, 800, 1000, 2500);
    const uint32_t ok = f.add(b, header(500, 1100, 1700, 2500), &clean);
    const uint32_t noCurve = f.add(b, header(500, 1100, 1700, 2500), nullptr);
    const uint32_t flat = f.add(b, header(500, 500, 500, 500), &clean);
    HeaderFields ten = header(500, 1100, 1700, 2500);
    ten.OjipSeconds = 10;
    const uint32_t tenSeconds = b.addHeader(ten);
    b.addCurve(clean);
    ExtensionSamples ext;
    ext.fill(2000);  // (2000 − 500)/2000 = 0.75
    b.addExtension(ext);
    b.loadInto(f.buffer);

    const VtCurve vt = vtCurve(f.buffer, ok, jipTest(f.buffer, ok));
    ASSERT_EQ(vt.values.size(), size_t(kCurveSamples));
    EXPECT_DOUBLE_EQ(vt.values[0], 0.0);
    EXPECT_DOUBLE_EQ(vt.values[29], 0.15);
    EXPECT_DOUBLE_EQ(vt.values[50], 0.25);
    EXPECT_DOUBLE_EQ(vt.values[100], 1.0);

    const VtCurve longVt = vtCurve(f.buffer, tenSeconds, jipTest(f.buffer, tenSeconds));
    ASSERT_EQ(longVt.values.size(), size_t(kAllCurveSamples));
    EXPECT_DOUBLE_EQ(longVt.values[kCurveSamples], 0.75);

    EXPECT_TRUE(vtCurve(f.buffer, noCurve, jipTest(f.buffer, noCurve)).absent()) << "no curve";
    EXPECT_TRUE(vtCurve(f.buffer, flat, jipTest(f.buffer, flat)).absent()) << "Fm not above F0";
}

TEST(JipComparison, DeltaVtSampleBySample)
{
    struct Case { const char *what; std::vector<double> curve, control, expected; } cases[] = {
        {"difference", {0.0, 0.5, 1.0}, {0.0, 0.25, 1.0}, {0.0, 0.25, 0.0}},
        {"below the control", {0.1, 0.2}, {0.3, 0.3}, {0.1 - 0.3, 0.2 - 0.3}},
        {"longer curve cut to the control's samples", {0.1, 0.2, 0.3}, {0.0, 0.0}, {0.1, 0.2}},
        {"control absent", {0.1, 0.2}, {}, {}},
        {"curve absent", {}, {0.1}, {}},
    };
    for (const Case &c : cases) {
        const VtCurve d = deltaVt(VtCurve{c.curve}, VtCurve{c.control});
        ASSERT_EQ(d.values.size(), c.expected.size()) << c.what;
        for (size_t j = 0; j < d.values.size(); ++j)
            EXPECT_DOUBLE_EQ(d.values[j], c.expected[j]) << c.what << " sample " << j;
    }
}

TEST(JipComparison, MarkersAtTheStepsAndTheOwnPeak)
{
    JipSet set;
    set.values[size_t(P::tFm)] = 200.0;
    const std::vector<OjipMarker> m = ojipMarkers(set);
    const std::vector<std::pair<char, double>> expected = {{'O', 20}, {'K', 300}, {'J', 2000}, {'I', 30000}, {'P', 200000}};
    ASSERT_EQ(m.size(), expected.size());
    for (size_t i = 0; i < m.size(); ++i) {
        EXPECT_EQ(m[i].letter, expected[i].first);
        EXPECT_DOUBLE_EQ(m[i].timeUs, expected[i].second);
    }
    EXPECT_EQ(ojipMarkers(JipSet{}).size(), 4u) << "no tFm, no P";
}

// Line 0 F0 500/Fm 2500, line 1 F0 400/Fm 2400 (the control), line 2 without a curve,
// line 3 with FK at F0 (Mo = 0).
struct ComparisonFile : File
{
    ComparisonFile()
    {
        DataBuilder b;
        const CurveSamples a = flatCurve(500, 800, 1000, 2500);
        const CurveSamples c = flatCurve(400, 700, 1400, 2400);
        const CurveSamples z = flatCurve(400, 400, 1400, 2400);
        add(b, header(500, 1100, 1700, 2500), &a);
        add(b, header(400, 1000, 1600, 2400), &c);
        add(b, header(600, 1000, 1600, 2400), nullptr);
        add(b, header(400, 1000, 1600, 2400), &z);
        b.loadInto(buffer);
    }
};

TEST(JipComparison, RatiosAndDeltaVtFollowTheControl)
{
    const ComparisonFile f;
    JipComparison cmp;
    const std::vector<int> lines = {0, 1, 2, 3};
    cmp.build(f.buffer, f.index, lines);
    ASSERT_EQ(cmp.lines().size(), 4u);
    EXPECT_EQ(cmp.lines()[2].line, 2);
    EXPECT_EQ(cmp.lines()[1].colour, f.index[1].colour);
    EXPECT_FALSE(cmp.hasControl());
    for (const JipValues &r : cmp.relative())
        for (const Value &v : r)
            EXPECT_FALSE(v) << "no control, no ratio";

    cmp.setControl(1);
    ASSERT_EQ(cmp.control(), 1);
    const auto rel = [&](int line, P p) { return cmp.relative()[size_t(line)][size_t(p)]; };
    expectNear(rel(0, P::Fm), 2500.0 / 2400.0, "Fm 2500 / 2400");
    expectNear(rel(0, P::F0), 500.0 / 400.0, "F0 500 / 400");
    // φPo: 1 − 500/2500 = 0.8 against 1 − 400/2400 = 5/6.
    expectNear(rel(0, P::PhiPo), 0.8 / (5.0 / 6.0), "phiPo");
    for (const Value &v : cmp.relative()[1]) {
        if (v) {
            EXPECT_DOUBLE_EQ(*v, 1.0) << "the control against itself";
        }
    }
    // The line without a curve keeps its header ratios, loses the curve ones.
    expectNear(rel(2, P::F0), 600.0 / 400.0, "header value of a line without a curve");
    EXPECT_FALSE(rel(2, P::Mo)) << "no curve, no Mo";
    EXPECT_TRUE(cmp.deltaVt()[2].absent());
    // ΔVt of line 0: Vt 0.25 at the flat level against the control's (1400 − 400)/2000 = 0.5.
    ASSERT_EQ(cmp.deltaVt()[0].values.size(), size_t(kCurveSamples));
    EXPECT_DOUBLE_EQ(cmp.deltaVt()[0].values[50], 0.25 - 0.5);
    EXPECT_DOUBLE_EQ(cmp.deltaVt()[1].values[50], 0.0);
    // The radar's axes are the relative values of kRadarParams.
    for (size_t k = 0; k < kRadarParams.size(); ++k)
        EXPECT_EQ(cmp.radar()[0][k], rel(0, kRadarParams[k])) << k;

    // Another control: the ratios and ΔVt move with it, the sets stay.
    const JipSet before = cmp.lines()[0].set;
    cmp.setControl(0);
    expectNear(rel(1, P::Fm), 2400.0 / 2500.0, "Fm against the new control");
    EXPECT_DOUBLE_EQ(cmp.deltaVt()[1].values[50], 0.5 - 0.25);
    EXPECT_EQ(cmp.lines()[0].set.values, before.values);

    cmp.setControl(7);
    EXPECT_FALSE(cmp.hasControl()) << "a position past the lines is no control";
}

TEST(JipComparison, AControlWithAbsentOrZeroValuesGivesEmptyRatios)
{
    const ComparisonFile f;
    JipComparison cmp;
    const std::vector<int> lines = {0, 1, 2, 3};
    cmp.build(f.buffer, f.index, lines);
    const auto rel = [&](int line, P p) { return cmp.relative()[size_t(line)][size_t(p)]; };

    // Control without a curve: every curve-based ratio is empty, header ones stay.
    cmp.setControl(2);
    for (P p : {P::FK, P::Mo, P::Area, P::TRoRC, P::PIabs, P::PItotal})
        EXPECT_FALSE(rel(0, p)) << jipParamInfo()[size_t(p)].name;
    expectNear(rel(0, P::Fm), 2500.0 / 2400.0, "Fm");
    EXPECT_TRUE(cmp.deltaVt()[0].absent()) << "no control curve, no ΔVt";

    // Control with Mo = 0: ratios to 0 are empty, never inf.
    cmp.setControl(3);
    for (P p : {P::Mo, P::TRoRC, P::WK})
        EXPECT_FALSE(rel(0, p)) << jipParamInfo()[size_t(p)].name;
    for (size_t i = 0; i < cmp.lines().size(); ++i)
        for (const Value &v : cmp.relative()[i]) {
            if (v) {
                EXPECT_TRUE(std::isfinite(*v));
            }
        }
}

TEST(JipComparison, LinesOutsideTheIndexAreSkipped)
{
    const ComparisonFile f;
    JipComparison cmp;
    const std::vector<int> lines = {-1, 0, int(kMaxListed)};
    cmp.build(f.buffer, f.index, lines);
    ASSERT_EQ(cmp.lines().size(), 1u);
    EXPECT_EQ(cmp.lines()[0].line, 0);
}
