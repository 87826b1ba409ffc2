// Drawing the viewer's chart and rendering it to an image, offscreen: the list view
// with 61 ticked ten-second OJIP records, and all 61 pulse curves of one record.
#include "charts/curvechart.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "sim/synthetic.h"
#include "ui/windows.h"
#include "ui_Unit2.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace corvane;

namespace {

// The viewer shown at its designed size with `records` listed and ticked.
struct Viewer
{
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<Windows> w;

    explicit Viewer(const DataBuilder &b)
    {
        b.loadInto(state->MeasurementBuffer);
        const ListBuild built = buildRecordIndex(state->MeasurementBuffer, kCurrentVersion, state->RecordIndex);
        w = std::make_unique<Windows>(*state);
        w->form2.setExitFunction([](int) {});
        w->form2.show();
        auto *ui = w->form2.ui();
        {
            const QSignalBlocker block(ui->ChkListBox1);
            for (int i = 0; i < built.listed; ++i) {
                const QString text = listLineText(RecordHeader(state->MeasurementBuffer, state->RecordIndex[size_t(i)].offset));
                auto *item = new QListWidgetItem(text, ui->ChkListBox1);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
            }
        }
        // Ticked as clicks on their boxes, so the lines take their colours and the
        // file selector offers them.
        for (int i = 0; i < built.listed; ++i) {
            ui->ChkListBox1->setCurrentRow(i);
            ui->ChkListBox1->item(i)->setCheckState(Qt::Checked);
        }
        QCoreApplication::processEvents();
    }
};

int drawnCurves(Viewer &v)
{
    int n = 0;
    for (const ChartSeries &s : v.w->form2.chart1().model().CurvePool)
        n += s.points.empty() ? 0 : 1;
    return n;
}

} // namespace

static void BM_ListViewOf61TenSecondCurvesAndRender(benchmark::State &st)
{
    DataBuilder b;
    HeaderFields h;
    for (int i = 0; i < 61; ++i) {
        h.Number = uint16_t(i + 1);
        addOjipRecord(b, h, {400.0 + i, 900.0 + 3 * i, 1400.0 + 5 * i, 2000.0 + 8 * i}, true);
    }
    Viewer v(b);
    for (auto _ : st) {
        v.w->form2.DrawSelectInChart();
        benchmark::DoNotOptimize(v.w->form2.chart1().renderImage());
    }
    if (drawnCurves(v) != 61)
        st.SkipWithError("the ticked records were not drawn");
}
BENCHMARK(BM_ListViewOf61TenSecondCurvesAndRender)->Unit(benchmark::kMillisecond);

static void BM_All61PulseCurvesAndRender(benchmark::State &st)
{
    DataBuilder b;
    addPulseTransientRecord(b, HeaderFields{}, {400, 950, 1450, 2050}, 70);
    Viewer v(b);
    for (auto _ : st) {
        v.w->form2.ui()->CBoxFN->setCurrentIndex(1);
        v.w->form2.CBoxFNChange();
        benchmark::DoNotOptimize(v.w->form2.chart1().renderImage());
    }
    if (drawnCurves(v) != 61)
        st.SkipWithError("the record's pulses were not drawn");
}
BENCHMARK(BM_All61PulseCurvesAndRender)->Unit(benchmark::kMillisecond);
