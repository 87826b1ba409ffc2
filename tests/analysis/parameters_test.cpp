#include "analysis/kineticsparams.h"
#include "analysis/numberformat.h"
#include "analysis/ojipparams.h"
#include "analysis/tablerow.h"
#include "data/gbk.h"
#include "sim/databuilder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

struct Record
{
    MeasurementBuffer buffer;
    uint32_t offset = 0;
    RecordHeader header() const { return RecordHeader(buffer, offset); }
    TableRow row() const { return tableDataRow(buffer, offset); }
};

// Table columns of the OJIP, settings and quenching cells.
constexpr int kOjip = 8, kSettings = 3, kQuenching = 16;

std::unique_ptr<Record> makeRecord(const HeaderFields &h, const CurveSamples &curve = {})
{
    auto r = std::make_unique<Record>();
    DataBuilder b;
    r->offset = b.addHeader(h);
    b.addCurve(curve);
    b.loadInto(r->buffer);
    return r;
}


} // namespace

TEST(OjipParameters, FvFmAndMoTexts)
{
    struct Case { const char *name; uint16_t F0, Fm, s29; const char *fvFm, *mo; };
    const Case cases[] = {
        {"ordinary", 500, 2500, 800, "0.80", "0.60"},
        {"exact half rounds up", 7, 8, 0, "0.13", "0.00"},
        {"Fm below F0", 2600, 2500, 3000, "0.00", "0.00"},
        {"Fm zero", 0, 0, 0, "Err", "0.00"},
        {"sample above Fm", 500, 1000, 1500, "0.50", "8.00"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HeaderFields h;
        h.F0 = c.F0;
        h.Fj = 11;
        h.Fi = 22;
        h.Fm = c.Fm;
        CurveSamples s{};
        s[29] = c.s29;
        const auto r = makeRecord(h, s);
        const TableRow t = r->row();
        EXPECT_EQ(t.cell(kOjip + 0), QByteArray::number(c.F0));
        EXPECT_EQ(t.cell(kOjip + 1), "11");
        EXPECT_EQ(t.cell(kOjip + 2), "22");
        EXPECT_EQ(t.cell(kOjip + 3), QByteArray::number(c.Fm));
        EXPECT_EQ(t.cell(kOjip + 4), c.fvFm);
        EXPECT_EQ(t.cell(kOjip + 7), c.mo);
    }
}

TEST(OjipParameters, PeakTimeAndAreaTexts)
{
    CurveSamples s{};
    s[1] = 100;
    const auto r = makeRecord(HeaderFields{}, s);
    EXPECT_EQ(r->row().cell(kOjip + 5), "10");
    EXPECT_EQ(r->row().cell(kOjip + 6), "15");
    s = {};
    s[40] = 900;
    const auto r40 = makeRecord(HeaderFields{}, s);
    EXPECT_EQ(r40->row().cell(kOjip + 5), "10");
    const auto zero = makeRecord(HeaderFields{});
    EXPECT_EQ(zero->row().cell(kOjip + 5), "10");
    EXPECT_EQ(zero->row().cell(kOjip + 6), "0");
}

TEST(KineticsParameters, QuenchingQuotientsInSinglePrecision)
{
    struct Case { const char *name; uint16_t F0, Fm, F0P, FmP, Fs; const char *qP, *qN, *phi; };
    const Case cases[] = {
        {"ordinary", 400, 2000, 350, 1500, 800, "0.609", "0.281", "0.467"},
        {"Fm' below Fs", 400, 2000, 350, 1000, 1200, "Err", "0.594", "Err"},
        {"primed values zero", 400, 2000, 0, 0, 0, "Err", "1.000", "Err"},
        {"Fm equal to F0", 400, 400, 350, 1500, 800, "0.609", "Err", "0.467"},
        {"Fm' below F0'", 400, 2000, 1600, 1500, 800, "Err", "Err", "0.467"},
        {"Fm' equal to Fs", 400, 2000, 350, 1500, 1500, "0.000", "0.281", "0.000"},
        {"Fm' equal to F0'", 400, 2000, 1500, 1500, 800, "Err", "1.000", "0.467"},
        {"qN negative", 0, 2000, 0, 2500, 0, "1.000", "-0.250", "1.000"},
        // 2001/2000 is 1.00049996f; 1 - that is -0.00049996: 0.000, where a double
        // quotient would give -0.001.
        {"qN rounds to zero without sign", 0, 2000, 0, 2001, 0, "1.000", "0.000", "1.000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        HeaderFields h;
        h.Kind = 2;
        h.F0 = c.F0;
        h.Fm = c.Fm;
        h.F0P = c.F0P;
        h.FmP = c.FmP;
        h.Fs = c.Fs;
        const auto r = makeRecord(h);
        const TableRow t = r->row();
        EXPECT_EQ(t.cell(kQuenching + 0), QByteArray::number(c.F0P));
        EXPECT_EQ(t.cell(kQuenching + 1), QByteArray::number(c.FmP));
        EXPECT_EQ(t.cell(kQuenching + 2), QByteArray::number(c.Fs));
        EXPECT_EQ(t.cell(kQuenching + 3), c.qP);
        EXPECT_EQ(t.cell(kQuenching + 4), c.qN);
        EXPECT_EQ(t.cell(kQuenching + 5), c.phi);
    }
    EXPECT_EQ(*qN(2001, 0, 2000, 0), -0.000499963760375976562f);
}

TEST(KineticsParameters, SettingsAndDashesByKind)
{
    HeaderFields h;
    h.SlTime = 1;
    h.AlTime = 300;
    h.OjipSeconds = 2;
    h.Total = 5;
    h.FrTime = 7;
    h.DarkTime = 900;
    h.F0 = 400;
    h.Fm = 2000;
    h.F0P = 350;
    h.FmP = 1500;
    h.Fs = 800;
    struct Case { uint16_t kind; std::array<QByteArray, 5> settings; bool quenching; };
    const Case cases[] = {
        {1, {"----", "300(2)", "5", "----", "----"}, false},
        {2, {"1(1)", "300(9)", "5", "0.7", "900"}, true},
        {3, {"1(1)", "300(2)", gbk("5次"), "0.7", "900"}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        h.Kind = c.kind;
        const TableRow row = makeRecord(h)->row();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(row.cell(kSettings + i), c.settings[size_t(i)]) << i;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(row.cell(kQuenching + i) == "----", !c.quenching) << i;
        EXPECT_TRUE(row.cell(22).isEmpty());
    }
    h.Kind = 1;
    h.AlTime = 0;
    h.OjipSeconds = 1;
    EXPECT_EQ(makeRecord(h)->row().cell(kSettings + 1), "0(1)");
}

TEST(KineticsParameters, FrTimeShowsTenthsExactlyForEveryValue)
{
    for (uint32_t fr = 0; fr <= 65535; ++fr) {
        const QByteArray expected = QByteArray::number(fr / 10) + '.' + QByteArray::number(fr % 10);
        ASSERT_EQ(formatFixed(frSeconds(uint16_t(fr)), 1), expected) << fr;
    }
}
