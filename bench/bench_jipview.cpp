// The JIP comparison for 61 ticked lines: building its data (61 JIP-test sets and Vt
// curves), choosing a control, and rendering the Vt / ΔVt chart and the radar offscreen
// at the designed size. The page's budget: ticking the 61st line, repaint included,
// under 50 ms.
#include "analysis/jipcomparison.h"
#include "charts/radarchart.h"
#include "charts/vtchart.h"
#include "data/recordindex.h"
#include "data/tickcolour.h"
#include "bench/jipfixture.h"
#include "sim/synthetic.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace corvane;

namespace {

// 61 OJIP records, every other one of ten seconds (208 samples), ticked in list order.
struct Ticked
{
    std::unique_ptr<MeasurementBuffer> buffer = std::make_unique<MeasurementBuffer>();
    RecordIndex index{};
    std::vector<int> lines;
    Ticked()
    {
        DataBuilder b;
        bench::addScaledOjipRecords(b, 61);
        b.loadInto(*buffer);
        buildRecordIndex(*buffer, kCurrentVersion, index);
        uint32_t state = kTickColourSeed;
        for (int i = 0; i < 61; ++i) {
            lines.push_back(i);
            index[size_t(i)].colour = nextTickColour(state);
        }
    }
};

const QSize kSize(728, 433);

} // namespace

static void BM_BuildComparisonOf61(benchmark::State &st)
{
    const Ticked t;
    JipComparison cmp;
    for (auto _ : st) {
        cmp.build(*t.buffer, t.index, t.lines);
        cmp.setControl(0);
        benchmark::DoNotOptimize(cmp.radar().data());
    }
}
BENCHMARK(BM_BuildComparisonOf61)->Unit(benchmark::kMillisecond);

static void BM_ChangeControlOf61(benchmark::State &st)
{
    const Ticked t;
    JipComparison cmp;
    cmp.build(*t.buffer, t.index, t.lines);
    int c = 0;
    for (auto _ : st) {
        cmp.setControl(c = (c + 1) % 61);
        benchmark::DoNotOptimize(cmp.deltaVt().data());
    }
}
BENCHMARK(BM_ChangeControlOf61)->Unit(benchmark::kMillisecond);

static void BM_RenderVtChartOf61(benchmark::State &st)
{
    const Ticked t;
    JipComparison cmp;
    cmp.build(*t.buffer, t.index, t.lines);
    cmp.setControl(0);
    VtChart chart;
    chart.resize(kSize);
    const VtView view = st.range(0) ? VtView::DeltaVt : VtView::Vt;
    for (auto _ : st) {
        chart.showCurves(cmp, view, QStringLiteral("Vt"));
        benchmark::DoNotOptimize(chart.renderImage().constBits());
    }
}
BENCHMARK(BM_RenderVtChartOf61)->Arg(0)->Arg(1)->ArgName("delta")->Unit(benchmark::kMillisecond);

static void BM_RenderRadarOf61(benchmark::State &st)
{
    const Ticked t;
    JipComparison cmp;
    cmp.build(*t.buffer, t.index, t.lines);
    cmp.setControl(0);
    RadarChart radar;
    radar.resize(kSize);
    for (auto _ : st) {
        radar.setPicture(radarPicture(cmp, QStringLiteral("radar")));
        benchmark::DoNotOptimize(radar.renderImage().constBits());
    }
}
BENCHMARK(BM_RenderRadarOf61)->Unit(benchmark::kMillisecond);

// Everything the page redoes when the 61st line is ticked: the data, then both pictures.
static void BM_TickThe61stLineDataAndBothPictures(benchmark::State &st)
{
    const Ticked t;
    JipComparison cmp;
    VtChart chart;
    chart.resize(kSize);
    RadarChart radar;
    radar.resize(kSize);
    for (auto _ : st) {
        cmp.build(*t.buffer, t.index, t.lines);
        cmp.setControl(0);
        chart.showCurves(cmp, VtView::Vt, QStringLiteral("Vt"));
        benchmark::DoNotOptimize(chart.renderImage().constBits());
        radar.setPicture(radarPicture(cmp, QStringLiteral("radar")));
        benchmark::DoNotOptimize(radar.renderImage().constBits());
    }
}
BENCHMARK(BM_TickThe61stLineDataAndBothPictures)->Unit(benchmark::kMillisecond);
