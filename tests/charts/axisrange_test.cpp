#include "charts/axisrange.h"
#include "charts/chartmodel.h"
#include "chartfixtures.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

struct Records
{
    std::unique_ptr<MeasurementBuffer> buf;
    uint32_t fm1500, fm3000, fm400, fm65535, actinic, actinicZero, actinicMissing;
};

Records makeRecords()
{
    DataBuilder b;
    Records r;
    HeaderFields h;
    h.Fm = 1500;
    r.fm1500 = b.addHeader(h);
    b.addCurve(flatCurve(100));
    h.Fm = 3000;
    r.fm3000 = b.addHeader(h);
    h.Fm = 400;
    r.fm400 = b.addHeader(h);
    h.Fm = 65535;
    r.fm65535 = b.addHeader(h);
    // Post-steady-state, Total 2: two saturating blocks, then the actinic-light area.
    h.Kind = 3;
    h.Total = 2;
    h.Fm = 900;
    r.actinic = b.addHeader(h);
    b.addCurve(flatCurve(5000));
    b.addCurve(flatCurve(5000));
    CurveSamples al = flatCurve(10);
    al[57] = 1200;
    b.addCurve(al);
    r.actinicZero = b.addHeader(h);
    b.addCurve(flatCurve(5000));
    b.addCurve(flatCurve(5000));
    b.addCurve(flatCurve(0));
    r.actinicMissing = b.addHeader(h);
    b.addCurve(flatCurve(5000));
    b.addCurve(flatCurve(5000));
    r.buf = bufferOf(b);
    return r;
}

} // namespace

TEST(AxisRange, VerticalRangePerModeAndSource)
{
    const Records r = makeRecords();
    const std::vector<RecordEntry> none;
    const std::vector<RecordEntry> ticked1500{{r.fm1500, 1}, {r.fm400, 2}};  // fm3000 is not ticked
    const std::vector<RecordEntry> small{{r.fm400, 1}};
    struct Case
    {
        const char *what;
        AxisMode mode;
        const std::vector<RecordEntry> &ticked;
        int fnIndex;
        uint32_t current;
        double yMax;
    } cases[] = {
        {"all first OJIP, nothing ticked", AxisMode::Ojip, none, 0, r.fm3000, 600},
        {"all first OJIP, only small Fm ticked", AxisMode::Ojip, small, 0, r.fm3000, 600},
        {"all first OJIP, largest ticked Fm 1500", AxisMode::Ojip, ticked1500, 0, r.fm3000, 1600},
        {"another selector entry follows the current record", AxisMode::Ojip, ticked1500, 2, r.fm3000, 3100},
        {"no selector entry follows the current record", AxisMode::Ojip, ticked1500, -1, r.fm400, 600},
        {"Fm 65535 does not wrap", AxisMode::Ojip, none, 1, r.fm65535, 65635},
        {"time course from the current record", AxisMode::TimeCourse, ticked1500, 0, r.fm65535, 65635},
        {"actinic curves: first actinic block's peak + 100", AxisMode::ActinicOjip, none, 1, r.actinic, 1400},
        {"actinic curves: all-zero block is raised to 500", AxisMode::ActinicOjip, none, 1, r.actinicZero, 600},
        {"actinic curves: no actinic block, Fm", AxisMode::ActinicOjip, none, 1, r.actinicMissing, 1000},
    };
    for (const Case &c : cases) {
        const AxisSetup a = axisSetup(c.mode, verticalTop(*r.buf, c.mode, AxisInputs{c.ticked, c.fnIndex, c.current}));
        EXPECT_EQ(a.yMin, 0) << c.what;
        EXPECT_EQ(a.yMax, c.yMax) << c.what;
    }

    MeasurementBuffer empty;
    EXPECT_EQ(verticalTop(empty, AxisMode::ActinicOjip, AxisInputs{none, -1, 0}), 500u) << "empty buffer, offset 0";
}

TEST(AxisRange, EveryModeEmptiesAllSeriesAndSetsItsScale)
{
    const Records r = makeRecords();
    ChartModel chart;
    chart.createCurvePool();
    const std::vector<RecordEntry> none;
    struct Case { AxisMode mode; AxisScale scale; double xMin, xMax; } cases[] = {
        {AxisMode::TimeCourse, AxisScale::Linear, 0, 600},
        {AxisMode::ActinicOjip, AxisScale::Logarithmic, 10, 10000000},
        {AxisMode::TimeCourse, AxisScale::Linear, 0, 600},
        {AxisMode::Ojip, AxisScale::Logarithmic, 10, 10000000},
    };
    for (const Case &c : cases) {
        for (ChartSeries &s : chart.CurvePool) {
            s.add(1, 1, 1);
            s.marker = MarkerStyle::Circle;
        }
        chart.Series1.add(1, 1, 1);
        chart.Series2.add(1, 1, 1);
        chart.Axes.xMax = 120;  // as the time course leaves it
        reDrawAxis(chart, *r.buf, c.mode, AxisInputs{none, 0, r.fm1500});
        EXPECT_EQ(chart.Axes.scale, c.scale);
        EXPECT_EQ(chart.Axes.xMin, c.xMin);
        EXPECT_EQ(chart.Axes.xMax, c.xMax);
        EXPECT_TRUE(chart.Series1.points.empty());
        EXPECT_TRUE(chart.Series2.points.empty());
        for (const ChartSeries &s : chart.CurvePool) {
            EXPECT_TRUE(s.points.empty());
            EXPECT_EQ(s.marker, MarkerStyle::Cross);
            EXPECT_EQ(s.markerSize, 4);
        }
    }
}

TEST(AxisRange, TickIntervalsAreRound)
{
    struct Case { double span; double interval; } cases[] = {
        {600, 100}, {120, 20}, {610, 100}, {10, 2}, {1600, 200}, {65635, 10000}, {2.5, 0.5},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(niceTickInterval(c.span), c.interval) << c.span;
}
