#include "analysis/jiptest.h"
#include "data/record.h"
#include "sim/databuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

using namespace corvane;

namespace {

using P = JipParam;

// F0 500, Fj 1100, Fi 1700, Fm 2500, FK 800: numbers easy to follow by hand.
JipInputs handInputs()
{
    JipInputs in;
    in.F0 = 500;
    in.Fj = 1100;
    in.Fi = 1700;
    in.Fm = 2500;
    in.F20us = 500;
    in.FK = 800;
    in.areaMs = 1000;
    in.tFmMs = 300;
    return in;
}

void expectValue(const JipSet &s, P p, double expected)
{
    const auto &v = s[p];
    ASSERT_TRUE(v.has_value()) << jipParamInfo()[size_t(p)].name;
    EXPECT_NEAR(*v, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << jipParamInfo()[size_t(p)].name;
}

struct Record
{
    MeasurementBuffer buffer;
    uint32_t offset = 0;
    JipSet set() const { return jipTest(buffer, offset); }
};

HeaderFields cleanHeader(uint16_t kind = 1)
{
    HeaderFields h;
    h.Kind = kind;
    h.F0 = 500;
    h.Fj = 1100;
    h.Fi = 1700;
    h.Fm = 2500;
    h.FmP = 1500;
    h.Fs = 800;
    h.F0P = 350;
    return h;
}

// 1000 everywhere, F20µs 500, FK 800 and the peak 2500 at sample 100 (200 ms).
CurveSamples cleanCurve()
{
    CurveSamples s;
    s.fill(1000);
    s[0] = 500;
    s[1] = 500;
    s[29] = 800;
    s[100] = 2500;
    return s;
}

std::unique_ptr<Record> makeRecord(const HeaderFields &h, const CurveSamples &curve)
{
    auto r = std::make_unique<Record>();
    DataBuilder b;
    r->offset = b.addHeader(h);
    b.addCurve(curve);
    b.loadInto(r->buffer);
    return r;
}

bool anyNonFinite(const JipSet &s)
{
    for (const auto &v : s.values)
        if (v && !std::isfinite(*v))
            return true;
    return false;
}

} // namespace

TEST(JipTest, HeaderRatiosAndYieldsByHand)
{
    const JipSet s = jipFromInputs(handInputs());
    expectValue(s, P::Fv, 2000);
    expectValue(s, P::FvFm, 0.8);
    expectValue(s, P::FvF0, 4);
    expectValue(s, P::Vj, 0.3);    // 600 / 2000
    expectValue(s, P::Vi, 0.6);    // 1200 / 2000
    expectValue(s, P::PhiPo, 0.8);
    expectValue(s, P::PsiEo, 0.7);
    expectValue(s, P::PhiEo, 0.56);
    expectValue(s, P::PhiDo, 0.2);
    expectValue(s, P::DeltaRo, 0.4 / 0.7);
    expectValue(s, P::PhiRo, 0.32);
    EXPECT_TRUE(s.flags.none()) << qualityFlagCodes(s.flags);
}

TEST(JipTest, SlopeAndFluxesByHand)
{
    const JipSet s = jipFromInputs(handInputs());
    expectValue(s, P::Mo, 0.6);     // 4 · 300 / 2000
    expectValue(s, P::WK, 0.5);     // 300 / 600
    expectValue(s, P::TRoRC, 2);    // 0.6 / 0.3
    expectValue(s, P::AbsRC, 2.5);  // 2 / 0.8
    expectValue(s, P::EToRC, 1.4);  // 2 · 0.7
    expectValue(s, P::DIoRC, 0.5);
    expectValue(s, P::REoRC, 0.8);  // 2 · 0.4
    expectValue(s, P::AbsCSo, 500);
    expectValue(s, P::TRoCSo, 400);
    expectValue(s, P::EToCSo, 280);
    expectValue(s, P::DIoCSo, 100);
    expectValue(s, P::RCCSo, 200);  // 0.8 · 0.5 · 500
}

TEST(JipTest, AreaAndPerformanceIndexesByHand)
{
    const JipSet s = jipFromInputs(handInputs());
    expectValue(s, P::Sm, 0.5);      // 1000 / 2000
    expectValue(s, P::Ss, 0.5);      // 0.3 / 0.6
    expectValue(s, P::N, 1.0);       // 0.5 · 0.6 / 0.3
    // RC/ABS = 0.8 · 0.3 / 0.6 = 0.4; PIabs = 0.4 · (0.8 / 0.2) · (0.7 / 0.3)
    expectValue(s, P::PIabs, 0.4 * 4.0 * (0.7 / 0.3));
    // δRo / (1 − δRo) = (0.4 / 0.7) / (0.3 / 0.7) = 4 / 3
    expectValue(s, P::PItotal, 0.4 * 4.0 * (0.7 / 0.3) * (4.0 / 3.0));
}

TEST(JipTest, CurvePointsAndLinearAreaFromTheRecord)
{
    // Peak 2500 at sample 3 (40 µs); the three trapezoids of 10 µs before it:
    // (1500 + 1500) / 2 · 0.01 + (1500 + 1500) / 2 · 0.01 + (1500 + 0) / 2 · 0.01 = 37.5
    CurveSamples c;
    c.fill(2000);
    c[0] = c[1] = c[2] = 1000;
    c[3] = 2500;
    c[46] = 1234;  // F2ms is not read from the curve: Fj stays the header's
    const auto r = makeRecord(cleanHeader(), c);
    const JipSet s = r->set();
    expectValue(s, P::F20us, 1000);
    expectValue(s, P::FK, 2000);
    expectValue(s, P::Fj, 1100);
    expectValue(s, P::tFm, 0.04);
    expectValue(s, P::Area, 37.5);
    expectValue(s, P::Sm, 37.5 / 2000);
    expectValue(s, P::Mo, 3.0);  // 4 · 1500 / 2000
    expectValue(s, P::N, 37.5 / 2000 * 3.0 / 0.3);
}

TEST(JipTest, AreaRunsIntoTheExtensionOfATenSecondCurve)
{
    HeaderFields h = cleanHeader();
    h.OjipSeconds = 2;
    h.Fm = 3000;
    CurveSamples c;
    c.fill(3000);
    ExtensionSamples e;
    e.fill(3000);
    c[117] = 2000;  // 1000 ms
    e[0] = 2000;    // 1100 ms
    e[4] = 3001;    // 1500 ms: the peak
    auto r = std::make_unique<Record>();
    DataBuilder b;
    r->offset = b.addHeader(h);
    b.addCurve(c);
    b.addExtension(e);
    b.loadInto(r->buffer);
    const JipSet s = r->set();
    expectValue(s, P::tFm, 1500);
    // Fm − F is 0 everywhere but at 1000 and 1100 ms (1000), and −1 at the peak:
    // 900–1000: (0 + 1000)/2 · 100 = 50 000; 1000–1100: (1000 + 1000)/2 · 100 = 100 000;
    // 1100–1200: (1000 + 0)/2 · 100 = 50 000; 1400–1500: (0 − 1)/2 · 100 = −50
    expectValue(s, P::Area, 50000 + 100000 + 50000 - 50);
    EXPECT_FALSE(s.flags.has(QualityFlag::PeakAtLastSample));
}

// Which values each guard removes, and that the rest stay.
TEST(JipTest, GuardsLeaveValuesAbsent)
{
    struct Case
    {
        const char *name;
        double F0, Fj, Fi, Fm, FK;
        bool curve;
        std::set<P> absent;
    };
    const std::set<P> onFv = {P::FvFm, P::FvF0, P::Vj, P::Vi, P::Mo, P::Sm, P::N, P::Ss, P::PhiPo, P::PsiEo,
                              P::PhiEo, P::PhiDo, P::DeltaRo, P::PhiRo, P::AbsRC, P::TRoRC, P::EToRC, P::DIoRC,
                              P::REoRC, P::TRoCSo, P::EToCSo, P::DIoCSo, P::RCCSo, P::PIabs, P::PItotal};
    std::set<P> onFvAndWk = onFv;
    onFvAndWk.insert(P::WK);  // Fj is at F0 as well
    const Case cases[] = {
        {"Fm equal to F0", 500, 500, 500, 500, 500, true, onFvAndWk},
        {"Fm below F0", 2600, 2600, 2600, 2500, 2600, true, onFvAndWk},
        {"F0 zero: Fv/F0 and 1 - phiPo vanish", 0, 600, 1200, 2000, 300, true, {P::FvF0, P::PIabs, P::PItotal}},
        {"Fj at F0: Vj 0", 500, 500, 1700, 2500, 800, true,
         {P::WK, P::N, P::TRoRC, P::AbsRC, P::EToRC, P::DIoRC, P::REoRC, P::PIabs, P::PItotal}},
        {"FK at F0: Mo 0", 500, 1100, 1700, 2500, 500, true, {P::Ss, P::RCCSo, P::PIabs, P::PItotal}},
        {"Fj at Fm: Vj 1", 500, 2500, 2500, 2500, 800, true, {P::DeltaRo, P::PItotal}},
        {"Fi at Fj: deltaRo 1", 500, 1100, 1100, 2500, 800, true, {P::PItotal}},
        {"no curve", 500, 1100, 1700, 2500, 0, false,
         {P::F20us, P::FK, P::tFm, P::Area, P::Mo, P::WK, P::Sm, P::N, P::Ss, P::AbsRC, P::TRoRC, P::EToRC,
          P::DIoRC, P::REoRC, P::RCCSo, P::PIabs, P::PItotal}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        JipInputs in;
        in.F0 = c.F0;
        in.Fj = c.Fj;
        in.Fi = c.Fi;
        in.Fm = c.Fm;
        if (c.curve) {
            in.F20us = c.F0;
            in.FK = c.FK;
            in.areaMs = 100;
            in.tFmMs = 300;
        } else {
            in.noCurve = true;
        }
        const JipSet s = jipFromInputs(in);
        for (int p = 0; p < kJipParams; ++p)
            EXPECT_EQ(s.values[size_t(p)].has_value(), !c.absent.count(P(p))) << jipParamInfo()[size_t(p)].name;
        EXPECT_TRUE(s.flags.has(QualityFlag::Absent));
        EXPECT_FALSE(anyNonFinite(s));
    }
}

TEST(JipTest, FlagsOfRecords)
{
    struct Case
    {
        const char *name;
        void (*edit)(HeaderFields &, CurveSamples &);
        std::string codes;
    };
    const Case cases[] = {
        {"clean", [](HeaderFields &, CurveSamples &) {}, ""},
        {"Fm not above F0", [](HeaderFields &h, CurveSamples &) { h.Fm = 500; h.Fi = 500; h.Fj = 500; }, "FM<=F0;ABSENT"},
        {"Fi above Fm", [](HeaderFields &h, CurveSamples &) { h.Fi = 2600; }, "ORDER"},
        {"Fj below F0", [](HeaderFields &h, CurveSamples &) { h.Fj = 400; }, "ORDER"},
        {"peak at 1 s", [](HeaderFields &, CurveSamples &c) { c[117] = 2600; }, "SAT"},
        {"overflow", [](HeaderFields &, CurveSamples &c) { c[50] = 65535; }, "OVF"},
        {"FK below F0", [](HeaderFields &, CurveSamples &c) { c[29] = 499; }, "FK<F0"},
        {"F20us 10 % above F0 is still fine", [](HeaderFields &, CurveSamples &c) { c[1] = 550; }, ""},
        {"F20us just over 10 % above F0", [](HeaderFields &, CurveSamples &c) { c[1] = 551; }, "F0DEV"},
        {"F20us 10 % below F0 is still fine", [](HeaderFields &, CurveSamples &c) { c[1] = 450; }, ""},
        {"F20us just over 10 % below F0", [](HeaderFields &, CurveSamples &c) { c[1] = 449; }, "F0DEV"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HeaderFields h = cleanHeader();
        CurveSamples s = cleanCurve();
        c.edit(h, s);
        EXPECT_EQ(qualityFlagCodes(makeRecord(h, s)->set().flags), c.codes);
    }
}

TEST(JipTest, PulseTransientFlags)
{
    struct Case
    {
        const char *name;
        uint16_t FmP, Fs, F0P;
        std::string codes;
    };
    const Case cases[] = {
        {"clean: qN 0.425, PhiPSII 0.467", 1500, 800, 350, ""},
        {"Fm' - F0' above Fm - F0", 2450, 800, 300, "QN<0"},
        {"Fs above Fm'", 1500, 1600, 350, "PHI<0"},
        {"Fm' above Fm", 2600, 800, 700, "FMP>FM"},
        {"Fm' zero: PhiPSII undefined, no flag", 0, 0, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HeaderFields h = cleanHeader(2);
        h.FmP = c.FmP;
        h.Fs = c.Fs;
        h.F0P = c.F0P;
        EXPECT_EQ(qualityFlagCodes(makeRecord(h, cleanCurve())->set().flags), c.codes);
    }
    // The same primed values in an OJIP record raise nothing.
    HeaderFields h = cleanHeader(1);
    h.FmP = 2600;
    h.Fs = 2700;
    EXPECT_TRUE(makeRecord(h, cleanCurve())->set().flags.none());
}

TEST(JipTest, PeakAtTheEndOfATenSecondCurve)
{
    HeaderFields h = cleanHeader();
    h.OjipSeconds = 2;
    ExtensionSamples e;
    e.fill(2000);
    e[89] = 2600;
    auto r = std::make_unique<Record>();
    DataBuilder b;
    r->offset = b.addHeader(h);
    b.addCurve(cleanCurve());
    b.addExtension(e);
    b.loadInto(r->buffer);
    const JipSet s = r->set();
    EXPECT_EQ(qualityFlagCodes(s.flags), "SAT");
    expectValue(s, P::tFm, 10000);
}

TEST(JipTest, AHeaderWithoutCurveNeverReadsTheNextRecord)
{
    auto r = std::make_unique<Record>();
    DataBuilder b;
    r->offset = b.addHeader(cleanHeader());
    b.addHeader(cleanHeader());  // the next record's header, where the curve would be
    b.addCurve(cleanCurve());
    b.loadInto(r->buffer);
    const JipSet s = r->set();
    EXPECT_EQ(qualityFlagCodes(s.flags), "NOCURVE;ABSENT");
    EXPECT_FALSE(s[P::FK].has_value());
    EXPECT_FALSE(s[P::Area].has_value());
    expectValue(s, P::FvFm, 0.8);
    // The second record has its curve.
    EXPECT_TRUE(jipTest(r->buffer, kBlockSize)[P::FK].has_value());
}

TEST(JipTest, AnyBytesGiveFiniteValues)
{
    // Extreme headers and curves: all zero, all 65535, Fm 1 above F0 with huge FK.
    const uint16_t values[] = {0, 1, 2, 500, 65534, 65535};
    auto r = std::make_unique<Record>();
    for (uint16_t f0 : values)
        for (uint16_t fj : values)
            for (uint16_t fm : values)
                for (uint16_t sample : values) {
                    HeaderFields h = cleanHeader();
                    h.F0 = f0;
                    h.Fj = fj;
                    h.Fi = fj;
                    h.Fm = fm;
                    CurveSamples c;
                    c.fill(sample);
                    DataBuilder b;
                    b.addHeader(h);
                    b.addCurve(c);
                    b.loadInto(r->buffer);
                    const JipSet s = jipTest(r->buffer, 0);
                    ASSERT_FALSE(anyNonFinite(s)) << f0 << ' ' << fj << ' ' << fm << ' ' << sample;
                    for (const auto &v : s.values) {
                        if (v) {
                            ASSERT_FALSE(std::signbit(*v) && *v == 0.0);
                        }
                    }
                }
}

TEST(JipTest, ColumnNamesAreUniqueAndCarryUnits)
{
    std::set<std::string_view> names, columns;
    for (const JipParamInfo &p : jipParamInfo()) {
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        EXPECT_TRUE(columns.insert(p.column).second) << p.column;
        if (!p.unit.empty()) {
            EXPECT_NE(p.column, p.name) << "a column with a unit names it";
        }
    }
    EXPECT_EQ(jipParamInfo()[size_t(P::Area)].column, "Area_ms");
    EXPECT_EQ(jipParamInfo()[size_t(P::Mo)].column, "Mo_per_ms");
}
