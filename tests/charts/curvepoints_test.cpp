#include "charts/curvepoints.h"
#include "chartfixtures.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

struct Drawn
{
    std::unique_ptr<MeasurementBuffer> buf;
    ChartModel chart;
    Drawn() { chart.createCurvePool(); }
    int curvesDrawn() const
    {
        int n = 0;
        for (const ChartSeries &s : chart.CurvePool)
            n += s.points.empty() ? 0 : 1;
        return n;
    }
};

uint32_t addPulseTransient(DataBuilder &b, int blocks, uint16_t ojipSeconds = 1, uint16_t f0p = 321)
{
    HeaderFields h;
    h.Kind = 2;
    h.OjipSeconds = ojipSeconds;
    h.F0P = f0p;
    const uint32_t at = b.addHeader(h);
    for (int i = 0; i < blocks; ++i)
        b.addCurve(rampCurve(uint16_t(1000 + 10 * i)), rampTail(uint16_t(500 + 20 * i)));
    return at;
}

// Post-steady-state: `total` saturating blocks, then `sections` actinic sections of one
// block (ojipSeconds 1) or a curve and an extension block (ojipSeconds 2).
uint32_t addPostSteadyState(DataBuilder &b, uint16_t total, int sections, uint16_t ojipSeconds)
{
    HeaderFields h;
    h.Kind = 3;
    h.Total = total;
    h.OjipSeconds = ojipSeconds;
    const uint32_t at = b.addHeader(h);
    for (int i = 0; i < total; ++i)
        b.addCurve(flatCurve(9000));
    for (int s = 0; s < sections; ++s) {
        b.addCurve(rampCurve(uint16_t(100 * (s + 1))));
        if (ojipSeconds > 1)
            b.addExtension(extension(uint16_t(100 * (s + 1) + 50)));
    }
    return at;
}

} // namespace

TEST(CurvePoints, FirstCurveWithItsExtensionUpToTheFirstZeroSample)
{
    struct Case { const char *what; uint16_t kind; int zeroAt; bool withExtension; size_t points; double lastX; } cases[] = {
        {"OJIP, 40 extension samples", 1, 40, true, 158, 5000000},
        {"OJIP, 90 extension samples", 1, 90, true, 208, 10000000},
        {"OJIP, extension starts with 0", 1, 0, true, 118, 1000000},
        {"OJIP without extension block", 1, 90, false, 118, 1000000},
        {"pulse-transient ignores the next block", 2, 90, true, 118, 1000000},
    };
    for (const Case &c : cases) {
        DataBuilder b;
        HeaderFields h;
        h.Kind = c.kind;
        h.OjipSeconds = 10;
        const uint32_t rec = b.addHeader(h);
        b.addCurve(rampCurve(400));
        if (c.withExtension)
            b.addExtension(extension(2000, c.zeroAt));
        b.addHeader(h);  // the next record
        b.addCurve(rampCurve(7000));
        Drawn d;
        d.buf = bufferOf(b);
        ChartSeries &s = d.chart.CurvePool[7];
        s.add(1, 1, 1);  // emptied first
        drawOjip(d.chart, *d.buf, DrawMode::FirstCurve, rec, s, 0x123456);
        ASSERT_EQ(s.points.size(), c.points) << c.what;
        EXPECT_EQ(s.points.front().x, 10) << c.what;
        EXPECT_EQ(s.points.front().y, 400) << c.what;
        EXPECT_EQ(s.points[117].x, 1000000) << c.what;
        EXPECT_EQ(s.points[117].y, 517) << c.what;
        EXPECT_EQ(s.points.back().x, c.lastX) << c.what;
        if (c.points > 118) {
            EXPECT_EQ(s.points[118].x, 1100000) << c.what;
        }
        for (const ChartPoint &p : s.points)
            EXPECT_EQ(p.colour, 0x123456u) << c.what;
        EXPECT_EQ(d.curvesDrawn(), 1) << c.what;
    }
}

TEST(CurvePoints, AllPulseCurvesColoursMarkersAndRepaints)
{
    DataBuilder b;
    const uint32_t twelve = addPulseTransient(b, 12);
    const uint32_t many = addPulseTransient(b, 70);
    Drawn d;
    d.buf = bufferOf(b);

    drawOjip(d.chart, *d.buf, DrawMode::AllCurves, twelve, d.chart.CurvePool[30], 255);
    EXPECT_EQ(d.curvesDrawn(), 12);
    for (int i = 0; i < 12; ++i) {
        const ChartSeries &s = d.chart.CurvePool[size_t(i)];
        ASSERT_EQ(s.points.size(), 118u);
        EXPECT_EQ(s.points[0].y, 1000 + 10 * i);
        EXPECT_EQ(s.points[0].colour, 255u + 3843u * uint32_t(i));
        EXPECT_EQ(s.marker, i == 11 ? MarkerStyle::Circle : MarkerStyle::Cross) << i;
        EXPECT_EQ(s.markerSize, i == 11 ? 2 : 4) << i;
    }
    EXPECT_EQ(d.chart.repaintCount(), 1);  // after the pool reset only

    // 70 pulses fill the 61 series; red carries into green and green into blue.
    drawOjip(d.chart, *d.buf, DrawMode::AllCurves, many, d.chart.CurvePool[0], 255);
    EXPECT_EQ(d.curvesDrawn(), 61);
    EXPECT_EQ(d.chart.repaintCount(), 1 + 1 + 3);  // reset, then after curves 15, 31, 47
    struct Colour { int curve; int red, green, blue; } colours[] = {
        {0, 255, 0, 0}, {1, 2, 16, 0}, {2, 5, 31, 0}, {16, 47, 241, 0}, {60, 179, 133, 3},
    };
    for (const Colour &c : colours) {
        const uint32_t v = d.chart.CurvePool[size_t(c.curve)].points.back().colour;
        EXPECT_EQ(int(v & 0xFF), c.red) << c.curve;
        EXPECT_EQ(int((v >> 8) & 0xFF), c.green) << c.curve;
        EXPECT_EQ(int((v >> 16) & 0xFF), c.blue) << c.curve;
    }
    EXPECT_EQ(d.chart.CurvePool[60].marker, MarkerStyle::Cross) << "the record goes on past the pool";
}

TEST(CurvePoints, SingleRecordViewPerKind)
{
    DataBuilder b;
    HeaderFields h;
    h.OjipSeconds = 10;
    const uint32_t ojip = b.addHeader(h);
    b.addCurve(rampCurve(400));
    b.addExtension(extension(900));
    const uint32_t post = addPostSteadyState(b, 5, 4, 1);
    const uint32_t noTotal = addPostSteadyState(b, 0, 0, 1);
    Drawn d;
    d.buf = bufferOf(b);

    drawOjip(d.chart, *d.buf, DrawMode::AllCurves, ojip, d.chart.CurvePool[0], 255);
    EXPECT_EQ(d.curvesDrawn(), 1);
    EXPECT_EQ(d.chart.CurvePool[0].points.size(), 208u) << "an OJIP record draws its first curve in red";
    EXPECT_EQ(d.chart.CurvePool[0].points[0].colour, 255u);

    drawOjip(d.chart, *d.buf, DrawMode::AllCurves, post, d.chart.CurvePool[0], 255);
    EXPECT_EQ(d.curvesDrawn(), 5) << "Total saturating-light curves, not the actinic ones";
    EXPECT_EQ(d.chart.CurvePool[4].points[0].y, 9000);

    drawOjip(d.chart, *d.buf, DrawMode::AllCurves, noTotal, d.chart.CurvePool[0], 255);
    EXPECT_EQ(d.curvesDrawn(), 0);
}

TEST(CurvePoints, ActinicLightSections)
{
    DataBuilder b;
    const uint32_t oneSecond = addPostSteadyState(b, 5, 4, 1);
    const uint32_t tenSeconds = addPostSteadyState(b, 5, 4, 2);
    const uint32_t seventy = addPostSteadyState(b, 71, 70, 1);
    const uint32_t none = addPostSteadyState(b, 5, 0, 0);
    const uint32_t pulse = addPulseTransient(b, 3);
    Drawn d;
    d.buf = bufferOf(b);
    struct Case
    {
        const char *what;
        uint32_t record;
        int section;
        int curves;
        size_t points;          // of the first curve
        uint16_t firstSample;   // of the first curve
    } cases[] = {
        {"entry 3, one block per section", oneSecond, 3, 1, 118, 300},
        {"entry 3, curve and extension per section", tenSeconds, 3, 1, 208, 300},
        {"all, one block per section", oneSecond, 0, 4, 118, 100},
        {"all, ten-second sections", tenSeconds, 0, 4, 208, 100},
        {"all of 70 sections draws 59", seventy, 0, 59, 118, 100},
        {"the 70th alone", seventy, 70, 1, 118, uint16_t(7000)},
        {"OjipSeconds 0 has no actinic curves", none, 0, 0, 0, 0},
        {"only post-steady-state records have them", pulse, 0, 0, 0, 0},
        {"no selection draws nothing", oneSecond, -1, 0, 0, 0},
    };
    for (const Case &c : cases) {
        drawOjip(d.chart, *d.buf, DrawMode::ActinicCurves, c.record, d.chart.CurvePool[0], 255, c.section);
        EXPECT_EQ(d.curvesDrawn(), c.curves) << c.what;
        if (c.curves == 0)
            continue;
        const ChartSeries &s = d.chart.CurvePool[0];
        EXPECT_EQ(s.points.size(), c.points) << c.what;
        EXPECT_EQ(s.points[0].y, c.firstSample) << c.what;
        EXPECT_EQ(d.chart.CurvePool[size_t(c.curves - 1)].points[0].colour, 255u + 3843u * uint32_t(c.curves - 1)) << c.what;
    }
}

TEST(CurvePoints, TimeCourseOfAPulseTransientRecord)
{
    DataBuilder b;
    const uint32_t twelve = addPulseTransient(b, 12, 1, 321);
    const uint32_t one = addPulseTransient(b, 1, 1, 50);
    const uint32_t seventy = addPulseTransient(b, 70, 1, 60);
    Drawn d;
    d.buf = bufferOf(b);

    drawAl(d.chart, *d.buf, twelve);
    const std::vector<ChartPoint> &p = d.chart.Series1.points;
    ASSERT_EQ(p.size(), 11u * 13u) << "the last of 12 blocks is not part of the run";
    const double xs[13] = {0.03, 0.3, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const double ys[13] = {1083, 1110, 1117, 500, 500, 501, 502, 503, 504, 505, 506, 507, 508};
    for (int i = 0; i < 13; ++i) {
        EXPECT_DOUBLE_EQ(p[size_t(i)].x, xs[i]) << i;
        EXPECT_EQ(p[size_t(i)].y, ys[i]) << i;
        EXPECT_DOUBLE_EQ(p[size_t(13 * 10 + i)].x, 100 + xs[i]) << i;
        EXPECT_EQ(p[size_t(13 * 10 + i)].y, ys[i] + (i < 3 ? 100 : 200)) << i;
    }
    EXPECT_EQ(p.back().x, 110);
    ASSERT_EQ(d.chart.Series2.points.size(), 2u);
    EXPECT_EQ(d.chart.Series2.points[0].x, 110);
    EXPECT_EQ(d.chart.Series2.points[1].x, 120);
    EXPECT_EQ(d.chart.Series2.points[0].y, 321);
    EXPECT_EQ(d.chart.Series2.points[1].y, 321);
    EXPECT_EQ(d.chart.Series2.points[0].colour, 255u);
    EXPECT_EQ(d.chart.Axes.scale, AxisScale::Linear);
    EXPECT_EQ(d.chart.Axes.xMax, 120);

    drawAl(d.chart, *d.buf, one);
    EXPECT_EQ(d.chart.Series1.points.size(), 13u) << "a single block is drawn";
    EXPECT_EQ(d.chart.Axes.xMax, 20);

    drawAl(d.chart, *d.buf, seventy);
    EXPECT_EQ(d.chart.Series1.points.size(), 60u * 13u) << "at most 60 blocks";
    EXPECT_EQ(d.chart.Axes.xMax, 610);
}

TEST(CurvePoints, ListViewDrawsAtMost61AndTheLimitTitleStays)
{
    DataBuilder b;
    std::vector<RecordEntry> entries;
    for (int i = 0; i < 62; ++i) {
        HeaderFields h;
        h.Number = uint16_t(i);
        entries.push_back({b.addHeader(h), uint32_t(1000 + i)});
        b.addCurve(rampCurve(uint16_t(i)));
    }
    Drawn d;
    d.buf = bufferOf(b);
    const std::vector<RecordEntry> first61(entries.begin(), entries.begin() + 61);

    drawSelectInChart(d.chart, *d.buf, AxisInputs{first61, 0, 0});
    EXPECT_EQ(d.curvesDrawn(), 61);
    EXPECT_TRUE(d.chart.Title.isEmpty());
    EXPECT_EQ(d.chart.CurvePool[60].points[0].colour, 1060u);

    drawSelectInChart(d.chart, *d.buf, AxisInputs{entries, 0, 0});
    EXPECT_EQ(d.curvesDrawn(), 61);
    EXPECT_EQ(d.chart.CurvePool[60].points[0].y, 60) << "the first 61 in list order";
    EXPECT_EQ(d.chart.Title, QStringLiteral("最多同时显示61条曲线"));

    const std::vector<RecordEntry> two(entries.begin(), entries.begin() + 2);
    drawSelectInChart(d.chart, *d.buf, AxisInputs{two, 0, 0});
    EXPECT_EQ(d.curvesDrawn(), 2);
    EXPECT_EQ(d.chart.Title, QStringLiteral("最多同时显示61条曲线"));
}

TEST(CurvePoints, WalksStayInsideTheRecordAndTheBuffer)
{
    // A pulse-transient record whose blocks run to the very end of the buffer.
    {
        DataBuilder b;
        addPulseTransient(b, 12);
        Drawn d;
        d.buf = std::make_unique<MeasurementBuffer>();
        const uint32_t at = placeAtEnd(b, *d.buf);
        drawOjip(d.chart, *d.buf, DrawMode::AllCurves, at, d.chart.CurvePool[0], 255);
        EXPECT_EQ(d.curvesDrawn(), 12);
        EXPECT_EQ(d.chart.CurvePool[11].marker, MarkerStyle::Circle);
        drawAl(d.chart, *d.buf, at);
        EXPECT_EQ(d.chart.Series1.points.size(), 11u * 13u);
    }
    // An OJIP record whose curve block is the buffer's last block: no extension beyond.
    {
        DataBuilder b;
        HeaderFields h;
        h.OjipSeconds = 10;
        b.addHeader(h);
        b.addCurve(rampCurve(1));
        Drawn d;
        d.buf = std::make_unique<MeasurementBuffer>();
        const uint32_t at = placeAtEnd(b, *d.buf);
        drawOjip(d.chart, *d.buf, DrawMode::FirstCurve, at, d.chart.CurvePool[0], 255);
        EXPECT_EQ(d.chart.CurvePool[0].points.size(), 118u);
    }
    // A header promising more actinic sections than the record holds: the section
    // pointer would land in the next record's curve blocks.
    {
        DataBuilder b;
        const uint32_t shortRecord = addPostSteadyState(b, 9, 2, 2);
        addPulseTransient(b, 20);
        Drawn d;
        d.buf = bufferOf(b);
        drawOjip(d.chart, *d.buf, DrawMode::ActinicCurves, shortRecord, d.chart.CurvePool[0], 255, 5);
        EXPECT_EQ(d.curvesDrawn(), 0);
        drawOjip(d.chart, *d.buf, DrawMode::ActinicCurves, shortRecord, d.chart.CurvePool[0], 255, 0);
        EXPECT_EQ(d.curvesDrawn(), 2);
    }
    // A current record that is no header (a stale offset into the middle of a record).
    {
        DataBuilder b;
        addPulseTransient(b, 12);
        Drawn d;
        d.buf = bufferOf(b);
        drawOjip(d.chart, *d.buf, DrawMode::AllCurves, 512, d.chart.CurvePool[0], 255);
        EXPECT_EQ(d.curvesDrawn(), 0);
        drawAl(d.chart, *d.buf, 512);
        EXPECT_TRUE(d.chart.Series1.points.empty());
        EXPECT_TRUE(d.chart.Series2.points.empty());
    }
}

// A header block followed at once by the next record's header: no curve to draw, in
// any view, and nothing of the next record.
TEST(CurvePoints, RecordWithoutCurveBlockDrawsNothing)
{
    for (uint16_t kind : {1, 2, 3}) {
        SCOPED_TRACE(kind);
        DataBuilder b;
        HeaderFields h;
        h.Kind = kind;
        h.Total = 3;
        h.OjipSeconds = 2;
        const uint32_t at = b.addHeader(h);
        addPulseTransient(b, 5);
        Drawn d;
        d.buf = bufferOf(b);
        for (DrawMode mode : {DrawMode::FirstCurve, DrawMode::AllCurves, DrawMode::ActinicCurves}) {
            SCOPED_TRACE(int(mode));
            drawOjip(d.chart, *d.buf, mode, at, d.chart.CurvePool[0], 255, 0);
            EXPECT_EQ(d.curvesDrawn(), 0);
        }
        drawAl(d.chart, *d.buf, at);
        EXPECT_TRUE(d.chart.Series1.points.empty());
    }
}
